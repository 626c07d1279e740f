#pragma once

#include "vorloctl/CommandSpec.h"

#include <map>
#include <optional>

// The words after a command's name, read against its spec with CLI11: its
// options and its positional arguments. "--" ends the options.
class ParsedCommand
{
public:
    // Nothing, with the reason in error, when the words do not fit the command's spec:
    // an unknown option, an option without its value, a value given to a
    // flag, too few or too many arguments.
    static std::optional<ParsedCommand> parse (const CommandSpec& spec, const juce::StringArray& words, juce::String& error);

    bool has (const juce::String& option) const { return values.count (option) != 0; }
    // The option's value; empty when it was not given.
    juce::String valueOf (const juce::String& option) const;
    const juce::StringArray& getArguments() const { return arguments; }
    // "--help" or "-h" was among the options: the command is not run.
    bool wantsHelp() const { return helpAsked; }

private:
    std::map<juce::String, juce::String> values;
    juce::StringArray arguments;
    bool helpAsked = false;
};

// At most the first few characters of a word, for an error message: a
// mistyped argument may be very long.
juce::String excerptOf (const juce::String& word);

// ". Did you mean '--simulated'?" for the candidate nearest a mistyped word,
// when one is near enough; empty otherwise.
juce::String suggestionFor (const juce::String& word, const juce::StringArray& candidates);

// The command line's arguments (argv[1] on) as text. Nothing, with the
// reason in error, when one of them is not well-formed UTF-8, as from a
// terminal set to another encoding: read any other way, a file name would
// name another file, and an overlong form would pass for a character it
// only resembles.
std::optional<juce::StringArray> commandLineWords (int argc, const char* const* argv, juce::String& error);
