#pragma once

#include "JuceIncludes.h"

// For work that blocks the message thread: on construction every window
// finishes drawing and the wait cursor shows, both sent to the screen at
// once, so that nothing is left half-drawn while the thread is away; the
// normal cursor comes back on destruction.
class ScopedBusyScreen
{
public:
    ScopedBusyScreen();
    ~ScopedBusyScreen();

private:
    JUCE_DECLARE_NON_COPYABLE (ScopedBusyScreen)
};
