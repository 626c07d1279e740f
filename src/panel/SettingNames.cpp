#include "panel/SettingNames.h"

#include "link/ValueCache.h"
#include "panel/ControlTable.h"

namespace SettingNames
{
namespace
{
constexpr int numChannels = 16;

const ControlTable& controlTable()
{
    static const auto table = buildControlTable();
    return table;
}

juce::String itemOr (const juce::StringArray& items, int index, int value)
{
    return juce::isPositiveAndBelow (index, items.size()) ? items[index] : juce::String (value);
}
} // namespace

juce::String controlName (int id)
{
    const auto& table = controlTable();
    const auto found = table.find ((juce::int16) id);
    return found != table.end() ? found->second.name : ValueCache::describeControl (id);
}

juce::String parameterLabel (int parameter)
{
    switch (parameter)
    {
        case 1: return "Mode";
        case 2: return "Channel";
        case 3: return "CC number";
        case 4: return "Min / LSB";
        case 5: return "Max / MSB";
        case 6: return "Option";
        default: return "parameter " + juce::String (parameter);
    }
}

juce::String globalLabel (int index) { return index == globalChannel ? "Channel" : "global " + juce::String (index); }

juce::String curveLabel (int index)
{
    switch (index)
    {
        case knobAccelCurve: return "Knob accel";
        case velocityCurve: return "Velocity curve";
        case padCurve: return "Pad Vel curve";
        default: return "curve " + juce::String (index);
    }
}

juce::StringArray channelItems()
{
    juce::StringArray items;
    for (int channel = 1; channel <= numChannels; ++channel)
        items.add (juce::String (channel));
    items.add ("Global");
    return items;
}

juce::StringArray optionItems (ModeRules::OptionBox box)
{
    switch (box)
    {
        case ModeRules::OptionBox::toggle: return { "Toggle", "Gate" };
        case ModeRules::OptionBox::encoding: return { "Absolute", "Relative #1", "Relative #2", "Relative #3" };
        case ModeRules::OptionBox::nrpn: return { "NRPN", "RPN" };
        case ModeRules::OptionBox::hold: return { "Standard", "Hold" };
        case ModeRules::OptionBox::none: break;
    }
    return {};
}

juce::StringArray curveItems (int index)
{
    switch (index)
    {
        case knobAccelCurve: return { "Slow (off)", "Medium", "Fast" };
        case velocityCurve:
        case padCurve: return { "Linear", "Logarithmic", "Exponential", "Full" };
        default: return {};
    }
}

juce::String controlValue (int id, int parameter, int value, int mode)
{
    switch (parameter)
    {
        case 1: return ModeRules::modeName (value);
        case 2: return itemOr (channelItems(), ModeRules::channelToItemIndex (value), value);
        case 6:
        {
            const auto& table = controlTable();
            const auto found = table.find ((juce::int16) id);
            const bool isKnob = found != table.end() && found->second.isKnob;
            return itemOr (optionItems (ModeRules::optionBoxFor (mode, isKnob)), value, value);
        }
        default: return juce::String (value);
    }
}

juce::String globalValue (int index, int value)
{
    // The global channel's box offers the sixteen channels, not "Global".
    return index == globalChannel && value < numChannels ? itemOr (channelItems(), value, value) : juce::String (value);
}

juce::String curveValue (int index, int value) { return itemOr (curveItems (index), value, value); }
} // namespace SettingNames
