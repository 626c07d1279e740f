#pragma once

#include "panel/ModeRules.h"
#include "protocol/OrvaneMidiMessage49.h"

// The settings panel's words for the settings: the names of its controls,
// the labels of its boxes and the items they offer. The panel builds its
// boxes from these, so that whatever shows settings outside it (vorloctl
// diff) names them as the panel does.
namespace SettingNames
{
// The global and the curves the globals column shows.
constexpr int globalChannel = OrvaneMidiMessage49::globalMidiChannel;
constexpr int velocityCurve = 1, padCurve = 3, knobAccelCurve = 4;

// The control's name as the panel shows it once picked ("1 - Volume",
// "Pad #3"); for a control the panel does not edit, "control N".
juce::String controlName (int id);

// The label of a control parameter's box, 1 to 6, without its colon:
// "Mode", "Channel", "CC number", "Min / LSB", "Max / MSB", and "Option"
// for the option boxes, which have none.
juce::String parameterLabel (int parameter);

// The label of the globals column's box of a global or a curve, without its
// colon; "global N" or "curve N" for one the column does not show.
juce::String globalLabel (int index);
juce::String curveLabel (int index);

// The items of the control's channel box: "1" to "16", then "Global".
juce::StringArray channelItems();
// The items of an option box; none for OptionBox::none.
juce::StringArray optionItems (ModeRules::OptionBox box);
// The items of the column's box of a curve; none for a curve it does not show.
juce::StringArray curveItems (int index);

// A value as the panel names it: a mode by the keyboard's own name (every
// mode value has one, where the mode box shows some under one item), a
// channel counted from 1, an option, the global channel or a curve by its
// box's item, the option after the control's mode. A value no item stands
// for is given as the number it is.
juce::String controlValue (int id, int parameter, int value, int mode);
juce::String globalValue (int index, int value);
juce::String curveValue (int index, int value);
} // namespace SettingNames
