#pragma once

#include "JuceIncludes.h"

// What the kernel says of this process now: its resident memory, the peak of
// it, its threads and open file descriptors. Zero where the system does not
// tell (only Linux does, through /proc).
struct ProcessStatus
{
    juce::int64 residentKb = 0;     // VmRSS
    juce::int64 peakResidentKb = 0; // VmHWM
    int threads = 0;
    int openFiles = 0;

    static ProcessStatus now();
};
