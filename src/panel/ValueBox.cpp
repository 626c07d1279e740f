#include "panel/ValueBox.h"

namespace
{
const juce::Colour assumedTextColour { 0xff8c8c8c };
const juce::String notReadTooltip =
    "Not read from the keyboard: this is the editor's default, and Send leaves the keyboard's own value alone.";
const juce::Identifier baseTooltipProperty { "baseTooltip" };
} // namespace

void ValueBox::show (juce::ComboBox& comboBox, int itemIndex, bool assumed, const juce::String& textOfNoItem, const juce::String& note)
{
    if (textOfNoItem.isNotEmpty())
        comboBox.setText (textOfNoItem, juce::dontSendNotification);
    else
        comboBox.setSelectedItemIndex (itemIndex, juce::dontSendNotification);

    // The box's own tooltip is kept aside, so that notes never pile up.
    auto& boxProperties = comboBox.getProperties();
    if (! boxProperties.contains (baseTooltipProperty))
        boxProperties.set (baseTooltipProperty, comboBox.getTooltip());
    const auto baseTooltip = boxProperties[baseTooltipProperty].toString();

    juce::StringArray lines { baseTooltip, note, assumed ? notReadTooltip : juce::String() };
    lines.removeEmptyStrings();
    comboBox.setTooltip (lines.joinIntoString ("\n"));
    if (assumed)
        comboBox.setColour (juce::ComboBox::textColourId, assumedTextColour);
    else
        comboBox.removeColour (juce::ComboBox::textColourId);
}
