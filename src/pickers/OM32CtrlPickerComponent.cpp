#include "pickers/OM32CtrlPickerComponent.h"

#include <PickerPictures.h>

static_assert (PickerPictures::om32Width == OM32CtrlPickerComponent::pictureWidth && PickerPictures::om32Height == OM32CtrlPickerComponent::pictureHeight,
               "the picture's size is the picker's");

namespace
{
using Kind = OxCtrlPickerComponent::WidgetKind;

// The controls in creation (and z-) order, with their place on the picture.
constexpr OxCtrlPickerComponent::WidgetEntry widgetTable[] {
    { "Modulation Wheel Setting", "0x40", Kind::button, 49, 16, 20, 72 },
    { "Level Setting", "0x30", Kind::button, 119, 21, 26, 24 },
    { "Cutoff Knob Setting", "0x01", Kind::button, 184, 21, 26, 24 },
    { "Reso Knob Setting", "0x02", Kind::button, 218, 21, 26, 24 },
    { "LFO Rate Knob Setting", "0x03", Kind::button, 258, 21, 26, 24 },
    { "LFO Amount Knob Setting", "0x04", Kind::button, 292, 21, 26, 24 },
    { "Key Parameter #1 Knob Setting", "0x05", Kind::button, 333, 21, 26, 24 },
    { "Key Parameter #2 Knob Setting", "0x06", Kind::button, 367, 21, 26, 24 },
    { "Key Parameter #3 Knob Setting", "0x07", Kind::button, 399, 21, 26, 24 },
    { "Key Parameter #4 Knob Setting", "0x08", Kind::button, 433, 21, 26, 24 },
    { "Chorus Mix Knob Setting", "0x09", Kind::button, 474, 21, 26, 24 },
    { "Delay Mix Knob Setting", "0x0A", Kind::button, 508, 21, 26, 24 },
    { "Attack Envelope Slider Setting", "0x0B", Kind::button, 549, 17, 24, 72 },
    { "Delay Envelope Slider Setting", "0x0C", Kind::button, 572, 17, 24, 72 },
    { "Sustain Envelope Slider Setting", "0x0D", Kind::button, 595, 17, 24, 72 },
    { "Release Envelope Slider Setting", "0x0E", Kind::button, 618, 17, 24, 72 },
    { "Preset - Button Setting", "0x10-0x20", Kind::button, 104, 68, 27, 14 },
    { "Preset + Button Setting", "0x11-0x21", Kind::button, 132, 68, 27, 14 },
    { "Snapshot #1 Button Setting", "0x12-0x22", Kind::button, 241, 68, 27, 14 },
    { "Snapshot #2 Button Setting", "0x13-0x23", Kind::button, 268, 68, 27, 14 },
    { "Snapshot #3 Button Setting", "0x14-0x24", Kind::button, 295, 68, 27, 14 },
    { "Snapshot #4 Button Setting", "0x15-0x25", Kind::button, 323, 68, 27, 14 },
    { "Snapshot #5 Button Setting", "0x16-0x26", Kind::button, 350, 68, 27, 14 },
    { "Snapshot #6 Button Setting", "0x17-0x27", Kind::button, 378, 68, 27, 14 },
    { "Snapshot #7 Button Setting", "0x18-0x28", Kind::button, 404, 68, 27, 14 },
    { "Snapshot #8 Button Setting", "0x19-0x29", Kind::button, 432, 68, 27, 14 },
    { "Activate Shift Mode", "Shift", Kind::shift, 187, 68, 26, 14 },
    { "Expression Pedal Setting", "0x51", Kind::button, 365, 111, 19, 18 },
    { "Sustain Pedal Setting", "0x50", Kind::button, 403, 111, 19, 18 },
};

// The controls that keep an assignment: the preset buttons only in their
// shifted role (0x20, 0x21), and two controls the picture has no widget for
// (0x31, 0x32).
constexpr OxCtrlPickerComponent::IdentifierRange assignableControls[] {
    { 0x01, 0x0E }, { 0x12, 0x19 }, { 0x20, 0x29 }, { 0x30, 0x32 }, { 0x40, 0x40 }, { 0x50, 0x51 },
};

// Built on first use: the embedded picture's address is set up by another
// translation unit, so it is only read once the program runs.
const OxCtrlPickerComponent::Model& om32()
{
    static const OxCtrlPickerComponent::Model model { widgetTable,
                                                      assignableControls,
                                                      PickerPictures::om32,
                                                      OM32CtrlPickerComponent::pictureWidth,
                                                      OM32CtrlPickerComponent::pictureHeight,
                                                      true };
    return model;
}
} // namespace

OM32CtrlPickerComponent::OM32CtrlPickerComponent() : OxCtrlPickerComponent (om32()) {}

juce::Image OM32CtrlPickerComponent::loadPicture() { return OxCtrlPickerComponent::loadPicture (om32()); }
