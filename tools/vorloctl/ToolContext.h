#pragma once

#include "JuceIncludes.h"

#include <ostream>

class MidiPorts;

// Where a command writes and which keyboard it talks to.
struct ToolContext
{
    std::ostream& out;
    std::ostream& err;

    // Progress is shown only to someone watching: when standard error is a
    // terminal, and never when it is piped into a file or a script.
    bool showsProgress = false;

    // Device commands talk through these ports when set, in place of the
    // system's or a simulated keyboard's: for tests that arrange the keyboard.
    MidiPorts* ports = nullptr;

    // The command being run, which every error it prints is prefixed with.
    juce::String commandName {};
};

// Exit codes of every command.
namespace ExitCode
{
constexpr int success = 0;
constexpr int failed = 1;     // the keyboard is missing, did not answer, a file could not be read or written
constexpr int usageError = 2; // the command line is wrong: nothing was done
} // namespace ExitCode

// "vorloctl NAME: TEXT." and a pointer to the command's help, on standard
// error; returns ExitCode::usageError.
int reportUsageError (ToolContext& context, const juce::String& commandName, const juce::String& text);

// "vorloctl NAME: TEXT" on standard error, NAME being the command run, if any.
void printError (ToolContext& context, const juce::String& text);

// The same; returns ExitCode::failed.
int reportFailure (ToolContext& context, const juce::String& text);
