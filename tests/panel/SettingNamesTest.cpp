#include "panel/SettingNames.h"

#include "link/ValueCache.h"

#include <gtest/gtest.h>

using namespace SettingNames;

TEST (SettingNames, NamesAndValuesAsThePanelShowsThem)
{
    struct Case
    {
        const char* what;
        juce::String shown, expected;
    };
    const Case cases[] = {
        { "a control", controlName (0x30), "1 - Volume" },
        { "a control the panel does not edit", controlName (0x42), "control 66" },
        { "the labels", parameterLabel (3) + " | " + parameterLabel (6) + " | " + globalLabel (6) + " | " + curveLabel (3),
          "CC number | Option | Channel | Pad Vel curve" },
        { "a global and a curve the column does not show", globalLabel (2) + " | " + curveLabel (0), "global 2 | curve 0" },
        // The mode box shows modes 1 and 2 under one item; a value is named for itself.
        { "a mode", controlValue (0x30, 1, 2, 2), "Rel. Control" },
        { "a channel, counted from 1", controlValue (0x70, 2, 9, 9), "10" },
        { "the global channel", controlValue (0x70, 2, 65, 9), "Global" },
        { "a number, as it is", controlValue (0x30, 3, 7, 1), "7" },
        { "a knob's option in a continuous mode", controlValue (0x30, 6, 1, 1), "Relative #1" },
        { "a strip's, which has no option box there", controlValue (0x40, 6, 1, 1), "1" },
        { "an option after the mode it goes with", controlValue (0x70, 6, 0, 9), "Toggle" },
        { "an option past its box's items", controlValue (0x70, 6, 5, 9), "5" },
        { "an option without a mode", controlValue (0x70, 6, 1, ValueCache::missing), "1" },
        { "the global channel's global", globalValue (6, 4), "5" },
        { "a global channel no box offers", globalValue (6, 65), "65" },
        { "another global", globalValue (3, -1), "-1" },
        { "knob acceleration", curveValue (4, 2), "Fast" },
        { "a velocity curve", curveValue (1, 1), "Logarithmic" },
        { "a curve past its items", curveValue (3, 9), "9" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (c.shown, c.expected) << c.what;
}
