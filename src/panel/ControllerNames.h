#pragma once

#include "JuceIncludes.h"

// The name of a MIDI controller number, "Undefined" where the standard gives none.
juce::String controllerName (int number);

// "0 - Bank Select MSB" to "127 - Poly Mode On": the items of the CC number box.
juce::StringArray controllerItemTexts();
