#pragma once

#include "JuceIncludes.h"

// Whether there is a screen to open windows on. Without one (no DISPLAY),
// whatever asks for screen geometry, as a window or a modal box does,
// crashes inside JUCE: the tests that need one skip.
inline bool hasDisplay() { return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr; }
