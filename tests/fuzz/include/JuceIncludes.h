#pragma once

// The fuzzers' stand-in for src/JuceIncludes.h: the code they reach needs
// juce_core alone.
#include <juce_core/juce_core.h>
