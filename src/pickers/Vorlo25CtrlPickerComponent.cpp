#include "pickers/Vorlo25CtrlPickerComponent.h"

#include <PickerPictures.h>

static_assert (PickerPictures::vorlo25Width == Vorlo25CtrlPickerComponent::pictureWidth && PickerPictures::vorlo25Height == Vorlo25CtrlPickerComponent::pictureHeight,
               "the picture's size is the picker's");

namespace
{
using Kind = OxCtrlPickerComponent::WidgetKind;

// The controls in creation (and z-) order, with their place on the picture.
constexpr OxCtrlPickerComponent::WidgetEntry widgetTable[] {
    { "Modulation Strip Setting", "0x40", Kind::button, 140, 215, 32, 115 },
    { "Knob #1 - Volume", "0x30", Kind::knob, 208, 23, 32, 32 },
    { "Shift Octave - Button Setting", "0x20", Kind::button, 105, 152, 25, 25 },
    { "Shift Octave + Button Setting", "0x21", Kind::button, 147, 151, 25, 25 },
    { "Pad #1 Setting", "0x70-0x78", Kind::button, 200, 139, 48, 38 },
    { "Activate Pad Shift Mode (1-8 / 9-16)", "Shift", Kind::shift, 147, 108, 25, 25 },
    { "Sustain Pedal Setting", "0x50", Kind::button, 13, 47, 24, 24 },
    { "Pitch Strip Setting", "0x41", Kind::button, 93, 216, 32, 115 },
    { "Pad #2 Setting", "0x71-0x79", Kind::button, 273, 139, 48, 38 },
    { "Pad #3 Setting", "0x72-0x7A", Kind::button, 345, 139, 48, 38 },
    { "Pad #4 Setting", "0x73-0x7B", Kind::button, 418, 139, 48, 38 },
    { "Pad #5 Setting", "0x74-0x7C", Kind::button, 490, 139, 48, 38 },
    { "Pad #6 Setting", "0x75-0x7D", Kind::button, 562, 139, 48, 38 },
    { "Pad #7 Setting", "0x76-0x7E", Kind::button, 636, 139, 48, 38 },
    { "Pad #8 Setting", "0x77-0x7F", Kind::button, 709, 139, 48, 38 },
    { "Knob #2 - Cutoff", "0x01", Kind::knob, 280, 23, 32, 32 },
    { "Knob #3 - Resonance", "0x02", Kind::knob, 352, 23, 32, 32 },
    { "Knob #4 - LFO Rate", "0x09", Kind::knob, 425, 23, 32, 32 },
    { "Knob #5 - LFO Amt", "0x0B", Kind::knob, 498, 23, 32, 32 },
    { "Knob #6 - Chorus Amt", "0x0C", Kind::knob, 571, 23, 32, 32 },
    { "Knob #7 - Attack", "0x0D", Kind::knob, 644, 23, 32, 32 },
    { "Knob #8 - Decay", "0x0E", Kind::knob, 717, 23, 32, 32 },
    { "Knob #9 - Preset", "0x33", Kind::knob, 207, 87, 32, 32 },
    { "Knob #10 - Param 1", "0x03", Kind::knob, 280, 87, 32, 32 },
    { "Knob #11 - Param 2", "0x04", Kind::knob, 353, 87, 32, 32 },
    { "Knob #12 - Param 3", "0x0A", Kind::knob, 425, 87, 32, 32 },
    { "Knob #13 - Param 4", "0x05", Kind::knob, 499, 87, 32, 32 },
    { "Knob #14 - Delay Amt", "0x06", Kind::knob, 571, 87, 32, 32 },
    { "Knob #15 - Sustain", "0x07", Kind::knob, 643, 87, 32, 32 },
    { "Knob #16 - Release", "0x08", Kind::knob, 717, 87, 32, 32 },
};

// Every control that keeps an assignment. The octave buttons keep none,
// although the picture has widgets for them.
constexpr OxCtrlPickerComponent::IdentifierRange assignableControls[] {
    { 0x01, 0x0E }, { 0x30, 0x30 }, { 0x33, 0x33 }, { 0x40, 0x41 }, { 0x50, 0x50 }, { 0x70, 0x7F },
};

// Built on first use: the embedded picture's address is set up by another
// translation unit, so it is only read once the program runs.
const OxCtrlPickerComponent::Model& vorlo25()
{
    static const OxCtrlPickerComponent::Model model { widgetTable,
                                                      assignableControls,
                                                      PickerPictures::vorlo25,
                                                      Vorlo25CtrlPickerComponent::pictureWidth,
                                                      Vorlo25CtrlPickerComponent::pictureHeight,
                                                      false,
                                                      138.0f, // the "9-16" light beside the Shift widget
                                                      120.5f,
                                                      2.4f };
    return model;
}
} // namespace

Vorlo25CtrlPickerComponent::Vorlo25CtrlPickerComponent() : OxCtrlPickerComponent (vorlo25()) {}

juce::Image Vorlo25CtrlPickerComponent::loadPicture() { return OxCtrlPickerComponent::loadPicture (vorlo25()); }
