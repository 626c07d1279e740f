#include "vorloctl/DocumentFiles.h"

#include "documents/SettingsFile.h"

namespace DocumentFiles
{
juce::File argumentFile (const ParsedCommand& command, int index)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (command.getArguments()[index]);
}

bool load (ValueCache& cache, const juce::File& file, ToolContext& context)
{
    return reportLoad (SettingsFile::load (cache, file), file, context);
}

bool reportLoad (const juce::Result& result, const juce::File& file, ToolContext& context)
{
    if (result.failed())
        printError (context, file.getFullPathName() + " was not loaded: " + result.getErrorMessage());
    return result.wasOk();
}

int reportWrite (const juce::Result& result, const juce::File& file, ToolContext& context)
{
    if (result.wasOk())
        return ExitCode::success;

    return reportFailure (context, file.getFullPathName() + " was not written: " + result.getErrorMessage());
}
} // namespace DocumentFiles
