#pragma once

#include "vorloctl/CommandSpec.h"
#include "vorloctl/ToolContext.h"

// Every command of the tool, in the order the help lists them.
const std::vector<CommandSpec>& vorloctlCommands();

// Runs the tool on the words after its name ("detect", "--simulated"): a
// command, "help [COMMAND]", "--help" or "--version". Returns the exit code.
int runVorloctl (const juce::StringArray& words, ToolContext& context);
