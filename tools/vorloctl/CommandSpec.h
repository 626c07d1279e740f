#pragma once

#include "JuceIncludes.h"

#include <functional>
#include <vector>

class ParsedCommand;
struct ToolContext;

// An option of a command: a flag, or with valueName an option that takes a
// value ("--memory N" or "--memory=N").
struct OptionSpec
{
    juce::String name;
    juce::String valueName;
    juce::String help;
};

// One command of vorloctl: what it takes, its help, and what runs it. A
// command is added to the tool by listing its spec in vorloctlCommands().
struct CommandSpec
{
    juce::String name;
    juce::String arguments; // as the help shows them: "FILE", "HEX-BYTES..."
    int minArguments = 0;
    int maxArguments = 0;
    std::vector<OptionSpec> options;
    juce::String summary;     // one line, in the list of commands
    juce::String description; // the longer help of "vorloctl help NAME"
    std::function<int (const ParsedCommand&, ToolContext&)> run;

    // "vorloctl read FILE [--simulated] [--trace]"
    juce::String synopsis() const;
    // The synopsis, the description and one line per option.
    juce::String helpText() const;
};

// Options shared by the commands that talk to the keyboard.
std::vector<OptionSpec> deviceOptions();
// Options plus more, for a command's option list.
std::vector<OptionSpec> withOptions (std::vector<OptionSpec> options, const std::vector<OptionSpec>& more);
