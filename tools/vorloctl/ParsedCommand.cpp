#include "vorloctl/ParsedCommand.h"

#include "documents/StrictUtf8.h"

#include <cstring>

namespace
{
constexpr int excerptLength = 24;

juce::String plural (int count, const char* word) { return juce::String (count) + " " + word + (count == 1 ? "" : "s"); }
} // namespace

juce::String excerptOf (const juce::String& word)
{
    return word.length() <= excerptLength ? word : word.substring (0, excerptLength) + juce::String::fromUTF8 ("\xe2\x80\xa6");
}

std::optional<juce::StringArray> commandLineWords (int argc, const char* const* argv, juce::String& error)
{
    juce::StringArray words;
    for (int i = 1; i < argc; ++i)
    {
        const auto size = std::strlen (argv[i]);
        if (! StrictUtf8::isWellFormed (argv[i], size))
        {
            error = "argument " + juce::String (i) + ", '" + excerptOf (StrictUtf8::withIllFormedBytesEscaped (argv[i], size))
                + "', is not UTF-8 text";
            return std::nullopt;
        }
        words.add (juce::String::fromUTF8 (argv[i], (int) size));
    }
    return words;
}

juce::String ParsedCommand::valueOf (const juce::String& option) const
{
    const auto found = values.find (option);
    return found != values.end() ? found->second : juce::String();
}

std::optional<ParsedCommand> ParsedCommand::parse (const CommandSpec& spec, const juce::StringArray& words, juce::String& error)
{
    ParsedCommand parsed;
    bool optionsEnded = false;

    for (int i = 0; i < words.size(); ++i)
    {
        const auto& word = words[i];
        if (optionsEnded || ! word.startsWith ("-") || word == "-")
        {
            parsed.arguments.add (word);
            continue;
        }

        if (word == "--")
        {
            optionsEnded = true;
            continue;
        }

        if (word == "--help" || word == "-h")
        {
            parsed.helpAsked = true;
            continue;
        }

        const auto name = word.upToFirstOccurrenceOf ("=", false, false);
        const bool valueAttached = word.containsChar ('=');
        const auto option = std::find_if (spec.options.begin(), spec.options.end(), [&] (const OptionSpec& o) { return o.name == name; });

        if (option == spec.options.end())
        {
            error = "unknown option '" + excerptOf (word) + "'";
            return std::nullopt;
        }

        if (option->valueName.isEmpty())
        {
            if (valueAttached)
            {
                error = name + " takes no value";
                return std::nullopt;
            }
            parsed.values[name] = {};
            continue;
        }

        if (valueAttached)
            parsed.values[name] = word.fromFirstOccurrenceOf ("=", false, false);
        else if (i + 1 < words.size())
            parsed.values[name] = words[++i];
        else
        {
            error = name + " needs its " + option->valueName;
            return std::nullopt;
        }
    }

    if (parsed.helpAsked)
        return parsed;

    const int count = parsed.arguments.size();
    if (count > spec.maxArguments)
    {
        const auto& extra = parsed.arguments[spec.maxArguments];
        error = spec.maxArguments == 0
            ? "takes no arguments, but was given '" + excerptOf (extra) + "'"
            : "takes at most " + plural (spec.maxArguments, "argument") + ", but was also given '" + excerptOf (extra) + "'";
        return std::nullopt;
    }

    if (count < spec.minArguments)
    {
        error = "needs " + spec.arguments;
        return std::nullopt;
    }
    return parsed;
}
