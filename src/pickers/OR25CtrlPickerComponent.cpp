#include "pickers/OR25CtrlPickerComponent.h"

#include <PickerPictures.h>

static_assert (PickerPictures::or25Width == OR25CtrlPickerComponent::pictureWidth && PickerPictures::or25Height == OR25CtrlPickerComponent::pictureHeight,
               "the picture's size is the picker's");

namespace
{
using Kind = OxCtrlPickerComponent::WidgetKind;

// The controls in creation (and z-) order, with their place on the picture.
// The joystick is two controls, one widget for each direction.
constexpr OxCtrlPickerComponent::WidgetEntry widgetTable[] {
    { "Joystick Up - Modulation Wheel Setting", "0x40", Kind::button, 64, 0, 24, 32 },
    { "Level Setting", "0x30", Kind::button, 222, 25, 26, 24 },
    { "Cutoff Knob Setting/Attack", "0x01-0x0B", Kind::button, 274, 25, 26, 24 },
    { "Reso Knob Setting/Decay", "0x02-0x0C", Kind::button, 312, 24, 26, 24 },
    { "Chorus Mix Knob Setting/Sustain", "0x09-0x0D", Kind::button, 353, 25, 26, 24 },
    { "Delay Mix Knob Setting/Release", "0x0A-0x0E", Kind::button, 392, 24, 26, 24 },
    { "Preset - Button Setting", "0x10-0x20", Kind::button, 136, 30, 27, 14 },
    { "Preset + Button Setting", "0x11-0x21", Kind::button, 170, 30, 27, 14 },
    { "Snapshot #1 Button Setting", "0x12-0x22", Kind::button, 441, 31, 27, 14 },
    { "Snapshot #2 Button Setting", "0x13-0x23", Kind::button, 475, 31, 27, 14 },
    { "Snapshot #3 Button Setting", "0x14-0x24", Kind::button, 508, 31, 27, 14 },
    { "Snapshot #4 Button Setting", "0x15-0x25", Kind::button, 542, 31, 27, 14 },
    { "Activate Shift Mode", "Shift", Kind::shift, 581, 30, 26, 14 },
    { "Sustain Pedal Setting", "0x50", Kind::button, 358, 102, 19, 18 },
    { "Joystick Down - Extra Wheel Setting", "0x42", Kind::button, 64, 32, 24, 32 },
};

// The controls that keep an assignment: the preset buttons only in their
// shifted role (0x20, 0x21), and two controls the picture has no widget for
// (0x31, 0x32).
constexpr OxCtrlPickerComponent::IdentifierRange assignableControls[] {
    { 0x01, 0x02 }, { 0x09, 0x0E }, { 0x12, 0x15 }, { 0x20, 0x25 }, { 0x30, 0x32 }, { 0x40, 0x40 }, { 0x42, 0x42 }, { 0x50, 0x50 },
};

// Built on first use: the embedded picture's address is set up by another
// translation unit, so it is only read once the program runs.
const OxCtrlPickerComponent::Model& or25()
{
    static const OxCtrlPickerComponent::Model model { widgetTable,
                                                      assignableControls,
                                                      PickerPictures::or25,
                                                      OR25CtrlPickerComponent::pictureWidth,
                                                      OR25CtrlPickerComponent::pictureHeight,
                                                      true };
    return model;
}
} // namespace

OR25CtrlPickerComponent::OR25CtrlPickerComponent() : OxCtrlPickerComponent (or25()) {}

juce::Image OR25CtrlPickerComponent::loadPicture() { return OxCtrlPickerComponent::loadPicture (or25()); }
