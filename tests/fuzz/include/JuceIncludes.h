#pragma once

// The fuzzers' stand-in for src/JuceIncludes.h: the code they reach needs no
// graphics, no display and no MIDI system.
#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_core/juce_core.h>
#include <juce_events/juce_events.h>
