#pragma once

#include "JuceIncludes.h"

// Looks for the keyboard on the system's MIDI ports, or on simulated ones,
// and prints what it found. Returns the process exit code.
int runDetectCommand (const juce::ArgumentList& arguments);
