#include "vorloctl/DocumentFiles.h"

#include "documents/SettingsFile.h"

namespace DocumentFiles
{
juce::File argumentFile (const juce::ArgumentList& arguments, int index)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (arguments[index].text);
}

bool hasOperands (const juce::ArgumentList& arguments, int count, const char* usage, std::ostream& err)
{
    if (arguments.size() == count + 1)
        return true;

    err << "vorloctl: usage: vorloctl " << usage << std::endl;
    return false;
}

bool load (ValueCache& cache, const juce::File& file, std::ostream& err)
{
    const auto result = SettingsFile::load (cache, file);
    if (result.failed())
        err << "vorloctl: " << file.getFullPathName() << " was not loaded: " << result.getErrorMessage() << std::endl;
    return result.wasOk();
}

int reportWrite (const juce::Result& result, const juce::File& file, std::ostream& err)
{
    if (result.wasOk())
        return succeeded;

    err << "vorloctl: " << file.getFullPathName() << " was not written: " << result.getErrorMessage() << std::endl;
    return taskFailed;
}
} // namespace DocumentFiles
