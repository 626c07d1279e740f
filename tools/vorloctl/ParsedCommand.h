#pragma once

#include "vorloctl/CommandSpec.h"

#include <map>
#include <optional>

// The words after a command's name, read against its spec: its options and
// its positional arguments. "--" ends the options.
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

// One command-line argument as text: its bytes read as UTF-8, or, when they
// are not valid UTF-8 (a terminal set to another encoding), each byte as the
// character of that code, so that the argument can still be shown and
// refused, and nothing reads past its end.
juce::String commandLineArgument (const char* bytes);
