#include "pickers/OV49CtrlPickerComponent.h"

#include <PickerPictures.h>

static_assert (PickerPictures::ov49Width == OV49CtrlPickerComponent::pictureWidth && PickerPictures::ov49Height == OV49CtrlPickerComponent::pictureHeight,
               "the picture's size is the picker's");

namespace
{
using Kind = OxCtrlPickerComponent::WidgetKind;

// The controls in creation (and z-) order, with their place on the picture.
constexpr OxCtrlPickerComponent::WidgetEntry widgetTable[] {
    { "Modulation Wheel Setting", "0x40", Kind::button, 63, 210, 20, 80 },
    { "Level Setting", "0x30", Kind::button, 20, 25, 26, 24 },
    { "Cutoff Knob Setting", "0x01", Kind::button, 572, 23, 26, 24 },
    { "Reso Knob Setting", "0x02", Kind::button, 619, 23, 26, 24 },
    { "LFO Rate Knob Setting", "0x03", Kind::button, 664, 23, 26, 24 },
    { "LFO Amount Knob Setting", "0x04", Kind::button, 710, 23, 26, 24 },
    { "Key Parameter #1 Knob Setting", "0x05", Kind::button, 571, 74, 26, 24 },
    { "Key Parameter #2 Knob Setting", "0x06", Kind::button, 618, 74, 26, 24 },
    { "Key Parameter #3 Knob Setting", "0x07", Kind::button, 665, 74, 26, 24 },
    { "Key Parameter #4 Knob Setting", "0x08", Kind::button, 710, 74, 26, 24 },
    { "Chorus Mix Knob Setting", "0x09", Kind::button, 757, 23, 26, 24 },
    { "Delay Mix Knob Setting", "0x0A", Kind::button, 758, 73, 26, 24 },
    { "Attack Envelope Slider Setting", "0x0B", Kind::button, 813, 27, 16, 64 },
    { "Delay Envelope Slider Setting", "0x0C", Kind::button, 843, 27, 16, 64 },
    { "Sustain Envelope Slider Setting", "0x0D", Kind::button, 870, 27, 16, 64 },
    { "Release Envelope Slider Setting", "0x0E", Kind::button, 898, 27, 16, 64 },
    { "Snapshot #1 Button Setting", "0x12", Kind::button, 235, 28, 27, 14 },
    { "Snapshot #2 Button Setting", "0x13", Kind::button, 270, 28, 27, 14 },
    { "Snapshot #3 Button Setting", "0x14", Kind::button, 304, 28, 27, 14 },
    { "Snapshot #4 Button Setting", "0x15", Kind::button, 337, 28, 27, 14 },
    { "Snapshot #5 Button Setting", "0x16", Kind::button, 372, 27, 27, 14 },
    { "Snapshot #6 Button Setting", "0x17", Kind::button, 235, 79, 27, 14 },
    { "Snapshot #7 Button Setting", "0x18", Kind::button, 270, 79, 27, 14 },
    { "Snapshot #8 Button Setting", "0x19", Kind::button, 303, 79, 27, 14 },
    { "Expression Pedal Setting", "0x51", Kind::button, 283, 228, 19, 18 },
    { "Sustain Pedal Setting", "0x50", Kind::button, 331, 228, 19, 18 },
    { "Attack Envelope #2 Slider Setting", "0x4B", Kind::button, 925, 26, 16, 64 },
    { "Delay Envelope #2 Slider Setting", "0x4C", Kind::button, 954, 26, 16, 64 },
    { "Sustain Envelope #2 Slider Setting", "0x4D", Kind::button, 982, 26, 16, 64 },
    { "Release Envelope #2 Slider Setting", "0x4E", Kind::button, 1009, 26, 16, 64 },
    { "Tempo Slider", "0x4F", Kind::button, 1037, 26, 16, 64 },
    { "Aux Pedal Setting", "0x53", Kind::button, 377, 228, 19, 18 },
    { "Breath Control Setting", "0x52", Kind::button, 408, 240, 11, 10 },
    { "Pad #1 Setting", "0x70", Kind::button, 750, 206, 48, 48 },
    { "Pad #2 Setting", "0x71", Kind::button, 823, 206, 48, 48 },
    { "Pad #3 Setting", "0x72", Kind::button, 897, 206, 48, 48 },
    { "Pad #4 Setting", "0x73", Kind::button, 970, 205, 48, 48 },
    { "Snapshot #9 Button Setting", "0x1A", Kind::button, 336, 79, 27, 14 },
    { "Snapshot #10 Button Setting", "0x1B", Kind::button, 370, 79, 27, 14 },
    { "Host Control #1 Button Setting", "0x58", Kind::button, 412, 28, 27, 14 },
    { "Host Control #2 Button Setting", "0x59", Kind::button, 445, 28, 27, 14 },
    { "Host Control #3 Button Setting", "0x5A", Kind::button, 479, 28, 27, 14 },
    { "Host Control #4 Button Setting", "0x5B", Kind::button, 410, 79, 27, 14 },
    { "Host Control #5 Button Setting", "0x5C", Kind::button, 445, 79, 27, 14 },
    { "Host Control #6 Button Setting", "0x5D", Kind::button, 479, 79, 27, 14 },
    { "Upper Panel Button Setting", "0x1D", Kind::button, 520, 28, 27, 14 },
    { "Lower Panel Button Setting", "0x1C", Kind::button, 519, 79, 27, 14 },
    { "Sound Mode Button Setting", "0x1E", Kind::button, 18, 78, 27, 14 },
    { "Scene Mode Button Setting", "0x1F", Kind::button, 53, 78, 27, 14 },
    { "Category Adjust Setting", "0x31", Kind::button, 139, 75, 26, 12 },
    { "Category Select Setting", "0x32", Kind::button, 139, 88, 26, 12 },
    { "Preset Adjust Setting", "0x33", Kind::button, 185, 75, 26, 12 },
    { "Preset Select Setting", "0x34", Kind::button, 185, 88, 26, 12 },
};

// The controls that keep an assignment. The panel, mode and host-control
// buttons (0x1C-0x1F, 0x58-0x5D) keep none, although they have widgets; the
// octave buttons (0x20, 0x21) keep one but have no widget.
constexpr OxCtrlPickerComponent::IdentifierRange assignableControls[] {
    { 0x01, 0x0E }, { 0x12, 0x1B }, { 0x20, 0x21 }, { 0x30, 0x34 }, { 0x40, 0x40 }, { 0x4B, 0x4F }, { 0x50, 0x53 }, { 0x70, 0x73 },
};

// Built on first use: the embedded picture's address is set up by another
// translation unit, so it is only read once the program runs.
const OxCtrlPickerComponent::Model& ov49()
{
    static const OxCtrlPickerComponent::Model model { widgetTable,
                                                      assignableControls,
                                                      PickerPictures::ov49,
                                                      OV49CtrlPickerComponent::pictureWidth,
                                                      OV49CtrlPickerComponent::pictureHeight,
                                                      true };
    return model;
}

constexpr juce::uint32 breathControlMarkColour = 0xFF1D1D1D;
} // namespace

OV49CtrlPickerComponent::OV49CtrlPickerComponent() : OxCtrlPickerComponent (ov49()) {}

juce::Image OV49CtrlPickerComponent::loadPicture() { return OxCtrlPickerComponent::loadPicture (ov49()); }

void OV49CtrlPickerComponent::paint (juce::Graphics& g)
{
    OxCtrlPickerComponent::paint (g);

    // The widgets paint themselves afterwards, so all of this lies under them.
    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (15.0f));
    g.drawText ("Back Panel", backPanelCaptionArea, juce::Justification::centred, true);
    g.drawText ("Drum Pads", drumPadsCaptionArea, juce::Justification::centred, true);

    g.setColour (juce::Colour (breathControlMarkColour));
    g.fillEllipse (breathControlMark);
}
