#pragma once

#include "JuceIncludes.h"

// How a box shows a value the editor holds: selected without telling the
// box's listeners, since showing must never write a value back, and greyed,
// with a word in its tooltip, where the editor only assumed it.
struct ValueBox
{
    // An absent value (-1) or one past the last item shows no selection, or
    // textOfNoItem where one is given. A note is added to the tooltip.
    static void show (juce::ComboBox& comboBox, int itemIndex, bool assumed, const juce::String& textOfNoItem = {},
                      const juce::String& note = {});
};
