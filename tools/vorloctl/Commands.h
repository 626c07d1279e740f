#pragma once

#include "JuceIncludes.h"
#include "link/MidiPorts.h"

#include <ostream>

// The commands of vorloctl. Each returns the process exit code; errors go to
// standard error.

// Looks for the keyboard on the system's MIDI ports (or, with --simulated, on
// virtual ones where a simulated keyboard answers) and prints what it found.
int runDetectCommand (const juce::ArgumentList& arguments);

// Prints the catalogue of the dialect's named message kinds.
int runCatalogueCommand (const juce::ArgumentList& arguments);

// Prints a message given as hex bytes, and what it is.
int runDescribeCommand (const juce::ArgumentList& arguments);

// Prints the eight pad gains read from the keyboard, or with --set sends and
// stores new ones.
int runPadsCommand (const juce::ArgumentList& arguments);
// The same on the given ports, writing to the given streams.
int runPadsCommandOn (MidiPorts& ports, const juce::ArgumentList& arguments, std::ostream& out, std::ostream& err);
// Streams a firmware file to the keyboard's boot loader (or, with
// --simulated, to a simulated one, then prints what it received).
int runFlashCommand (const juce::ArgumentList& arguments);

// The document commands: each writes its output atomically and returns 0 on
// success, 1 when a file could not be read, parsed or written, 2 on a usage
// error. Their registrations carry the help texts.
juce::ConsoleApplication::Command defaultsCommand (int& exitCode);
juce::ConsoleApplication::Command chartCommand (int& exitCode);
juce::ConsoleApplication::Command normalizeCommand (int& exitCode);

// Writes the settings file of "Default Values" to OUT.
int runDefaultsCommand (const juce::ArgumentList& arguments, std::ostream& err);
// Loads SETTINGS onto the defaults, as the editor does after "Default Values"
// then "Load...", and writes the MIDI chart to OUT.
int runChartCommand (const juce::ArgumentList& arguments, std::ostream& err);
// Loads IN onto the defaults and saves the result to OUT.
int runNormalizeCommand (const juce::ArgumentList& arguments, std::ostream& err);
