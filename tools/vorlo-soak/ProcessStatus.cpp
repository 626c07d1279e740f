#include "ProcessStatus.h"

namespace
{
// The number after "Name:" in /proc/self/status, whatever unit follows it.
juce::int64 statusField (const juce::StringArray& lines, const juce::String& name)
{
    for (const auto& line : lines)
        if (line.startsWith (name + ":"))
            return line.fromFirstOccurrenceOf (":", false, false).trim().getLargeIntValue();
    return 0;
}
} // namespace

ProcessStatus ProcessStatus::now()
{
    juce::StringArray lines;
    lines.addLines (juce::File ("/proc/self/status").loadFileAsString());

    ProcessStatus status;
    status.residentKb = statusField (lines, "VmRSS");
    status.peakResidentKb = statusField (lines, "VmHWM");
    status.threads = (int) statusField (lines, "Threads");

    // Counting the entries opens the folder itself: that one is not counted.
    const juce::File descriptors ("/proc/self/fd");
    if (descriptors.isDirectory())
        status.openFiles =
            juce::jmax (0, descriptors.getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles) - 1);
    return status;
}
