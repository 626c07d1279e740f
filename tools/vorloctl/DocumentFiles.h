#pragma once

#include "vorloctl/ParsedCommand.h"
#include "vorloctl/ToolContext.h"

#include "link/ValueCache.h"

// What the commands that read and write documents share: the reading and
// writing of files with the editor's own code, failures told on standard
// error.
namespace DocumentFiles
{
// The command's argument at index, a file relative to the working folder.
juce::File argumentFile (const ParsedCommand& command, int index);

// Loads the settings file onto the cache; false, after telling why, when it was refused.
bool load (ValueCache& cache, const juce::File& file, ToolContext& context);

// Whether a load went well; tells why when it did not.
bool reportLoad (const juce::Result& result, const juce::File& file, ToolContext& context);

// The exit code of a write, after telling why it failed.
int reportWrite (const juce::Result& result, const juce::File& file, ToolContext& context);
} // namespace DocumentFiles
