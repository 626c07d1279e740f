#include "vorloctl/ParsedCommand.h"

#include "documents/StrictUtf8.h"

#include <CLI/CLI.hpp>

#include <cstring>
#include <numeric>

namespace
{
constexpr int excerptLength = 24;

juce::String plural (int count, const char* word) { return juce::String (count) + " " + word + (count == 1 ? "" : "s"); }

// CLI11's word for an option it could not take, in the tool's: a flag given
// a value, or an option whose value is missing.
juce::String describeOptionFailure (const CommandSpec& spec, const juce::String& what)
{
    // CLI11 names an option with or without its dashes.
    for (const auto& option : spec.options)
        if (const auto bare = option.name.trimCharactersAtStart ("-");
            what.startsWith (option.name + ":") || what.startsWith (option.name + " ") || what.startsWith (bare + ":") || what.startsWith (bare + " "))
            return option.valueName.isEmpty() ? option.name + " takes no value" : option.name + " needs its " + option.valueName;
    return what;
}
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
    // CLI11 reads the words: options with their values, in either form,
    // "--" and the positional arguments. Unknown options and words beyond the
    // arguments are left over rather than thrown, so that they are worded
    // here, with the nearest option suggested.
    CLI::App app;
    app.allow_extras();

    std::map<juce::String, std::string> optionValues;
    std::map<juce::String, CLI::Option*> options;
    for (const auto& option : spec.options)
    {
        const auto name = option.name.toStdString();
        // Given twice, an option's last value counts, as it always has.
        options[option.name] = option.valueName.isEmpty()
                                 ? app.add_flag (name)->disable_flag_override()
                                 : app.add_option (name, optionValues[option.name])->multi_option_policy (CLI::MultiOptionPolicy::TakeLast);
    }
    std::vector<std::string> positionals;
    app.add_option ("arguments", positionals);

    // CLI11 takes the words last first.
    std::vector<std::string> reversed;
    for (int i = words.size(); --i >= 0;)
        reversed.push_back (words[i].toStdString());

    ParsedCommand parsed;
    try
    {
        app.parse (reversed);
    }
    catch (const CLI::CallForHelp&)
    {
        parsed.helpAsked = true;
        return parsed;
    }
    catch (const CLI::ParseError& failure)
    {
        error = describeOptionFailure (spec, failure.what());
        return std::nullopt;
    }

    for (const auto& [name, option] : options)
        if (option->count() > 0)
            parsed.values[name] = juce::String::fromUTF8 (optionValues[name].c_str());
    for (const auto& word : positionals)
        parsed.arguments.add (juce::String::fromUTF8 (word.c_str()));

    // What is left over is an option no one knows, or the words after "--",
    // which are arguments whatever they look like.
    bool optionsEnded = false;
    for (const auto& leftOver : app.remaining())
    {
        const auto word = juce::String::fromUTF8 (leftOver.c_str());
        if (! optionsEnded && word == "--")
            optionsEnded = true;
        else if (! optionsEnded && word.startsWith ("-") && word != "-")
        {
            juce::StringArray known;
            for (const auto& option : spec.options)
                known.add (option.name);
            error = "unknown option '" + excerptOf (word) + "'" + suggestionFor (word.upToFirstOccurrenceOf ("=", false, false), known);
            return std::nullopt;
        }
        else
            parsed.arguments.add (word);
    }

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

juce::String suggestionFor (const juce::String& word, const juce::StringArray& candidates)
{
    // Edits (insert, delete, change a character) from one word to another.
    const auto distance = [] (const juce::String& a, const juce::String& b)
    {
        std::vector<int> row ((size_t) b.length() + 1);
        std::iota (row.begin(), row.end(), 0);
        for (int i = 1; i <= a.length(); ++i)
        {
            int diagonal = row[0];
            row[0] = i;
            for (int j = 1; j <= b.length(); ++j)
            {
                const int above = row[(size_t) j];
                row[(size_t) j] = std::min ({ above + 1, row[(size_t) j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1) });
                diagonal = above;
            }
        }
        return row.back();
    };

    juce::String nearest;
    int best = std::max (2, word.length() / 3) + 1; // further than this is another word
    for (const auto& candidate : candidates)
        if (const int d = distance (word, candidate); d < best)
        {
            best = d;
            nearest = candidate;
        }
    return nearest.isEmpty() ? juce::String() : ". Did you mean '" + nearest + "'?";
}
