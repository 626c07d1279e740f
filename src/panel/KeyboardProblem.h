#pragma once

#include "JuceIncludes.h"

// The "Keyboard Problem" alerts' title, and what the panel says of a keyboard
// of another model, from the commands as from the revision box.
namespace KeyboardProblem
{
inline const juce::String title = "Keyboard Problem";

juce::String notVorloText (int deviceCode);
} // namespace KeyboardProblem
