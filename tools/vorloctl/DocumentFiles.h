#pragma once

#include "link/ValueCache.h"

#include <ostream>

// What the document commands share: their exit codes, and the reading and
// writing of files with the editor's own code, failures told on err.
namespace DocumentFiles
{
constexpr int succeeded = 0;
constexpr int taskFailed = 1;
constexpr int usageError = 2;

// A file named on the command line, relative to the working folder.
juce::File argumentFile (const juce::ArgumentList& arguments, int index);

// Checks that the command got exactly its operands; says how to call it otherwise.
bool hasOperands (const juce::ArgumentList& arguments, int count, const char* usage, std::ostream& err);

// Loads the settings file onto the cache; false, after telling why, when it was refused.
bool load (ValueCache& cache, const juce::File& file, std::ostream& err);

// The exit code of a write, after telling why it failed.
int reportWrite (const juce::Result& result, const juce::File& file, std::ostream& err);
} // namespace DocumentFiles
