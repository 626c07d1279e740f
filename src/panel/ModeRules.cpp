#include "panel/ModeRules.h"

#include "documents/MidiChart.h"

namespace ModeRules
{
namespace
{
// The item that stands for each mode value 0 to 14.
constexpr int itemForMode[numModes] = { 0, 1, -1, -1, 2, -1, -1, 3, 4, 5, -1, 6, 7, -1, 8 };

// The mode whose item each mode value 0 to 14 sits under.
constexpr int itemModeForMode[numModes] = { 0, 1, 1, 4, 4, -1, -1, 7, 8, 9, 9, 11, 12, -1, 14 };

// The mode value each of the nine items stores.
constexpr int modeForItem[] = { 0, 1, 4, 7, 8, 9, 11, 12, 14 };

struct MaskRange
{
    int firstId, lastId, mask;
};

// Controls of the whole keyboard family; the Vorlo's are the first rows.
constexpr MaskRange modeMasks[] = {
    { 1, 14, 0x001E },    { 48, 48, 0x001E }, { 51, 51, 0x001E }, // knobs
    { 64, 64, 0x401E },                                           // modulation strip
    { 65, 65, 0x1000 },                                           // pitch strip
    { 80, 80, 0x0700 },                                           // sustain pedal
    { 112, 127, 0x0F80 },                                         // pads
    { 49, 49, 0x001E },   { 75, 79, 0x001E }, { 18, 27, 0x0F06 }, // the other models' controls
    { 50, 50, 0x0706 },   { 52, 52, 0x0706 }, { 83, 83, 0x0706 }, { 66, 66, 0x401E }, { 81, 82, 0x401E }, { 88, 93, 0x0F86 },
};
} // namespace

int modeToItemIndex (int mode) { return juce::isPositiveAndBelow (mode, numModes) ? itemForMode[mode] : -1; }

int itemModeFor (int mode) { return juce::isPositiveAndBelow (mode, numModes) ? itemModeForMode[mode] : -1; }

juce::String modeName (int mode)
{
    // The chart's names end in the value ("Rel. Control - 2"), and 13 has none.
    if (mode == 13 || ! juce::isPositiveAndBelow (mode, numModes))
        return "Mode " + juce::String (mode);
    return MidiChart::modeName (mode).upToLastOccurrenceOf (" - ", false, false);
}

int itemIndexToMode (int itemIndex)
{
    return juce::isPositiveAndBelow (itemIndex, (int) std::size (modeForItem)) ? modeForItem[itemIndex] : -1;
}

int modeMaskFor (int controlId)
{
    for (const auto& range : modeMasks)
        if (controlId >= range.firstId && controlId <= range.lastId)
            return range.mask;
    return 0;
}

OptionBox optionBoxFor (int mode, bool isKnob)
{
    switch (itemModeFor (mode))
    {
        case 1: return isKnob ? OptionBox::encoding : OptionBox::none;
        case 4: return OptionBox::nrpn;
        case 8:
        case 9: return OptionBox::toggle;
        case 12:
        case 14: return OptionBox::hold;
        default: return OptionBox::none;
    }
}

int channelToItemIndex (int channel) { return channel == globalChannelValue ? globalChannelItem : channel; }

int itemIndexToChannel (int itemIndex) { return itemIndex == globalChannelItem ? globalChannelValue : itemIndex; }
} // namespace ModeRules
