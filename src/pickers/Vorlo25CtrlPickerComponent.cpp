#include "pickers/Vorlo25CtrlPickerComponent.h"

#include "pickers/OxCtrlPickerButton.h"
#include "pickers/OxCtrlPickerKnob.h"

#include <PickerPictures.h>

namespace
{
enum class WidgetKind
{
    button,
    knob,
    shift // a button outside the radio group, flipping which pad identifier is used
};

struct WidgetEntry
{
    const char* tooltip;
    const char* identifierText; // one identifier, or a pad's pair "first-second"
    WidgetKind kind;
    int x, y, width, height;
};

// The controls in creation (and z-) order, with their place on the picture.
constexpr WidgetEntry widgetTable[] {
    { "Modulation Strip Setting", "0x40", WidgetKind::button, 140, 215, 32, 115 },
    { "Knob #1 - Volume", "0x30", WidgetKind::knob, 208, 23, 32, 32 },
    { "Shift Octave - Button Setting", "0x20", WidgetKind::button, 105, 152, 25, 25 },
    { "Shift Octave + Button Setting", "0x21", WidgetKind::button, 147, 151, 25, 25 },
    { "Pad #1 Setting", "0x70-0x78", WidgetKind::button, 200, 139, 48, 38 },
    { "Activate Pad Shift Mode (1-8 / 9-16)", "Shift", WidgetKind::shift, 147, 108, 25, 25 },
    { "Sustain Pedal Setting", "0x50", WidgetKind::button, 13, 47, 24, 24 },
    { "Pitch Strip Setting", "0x41", WidgetKind::button, 93, 216, 32, 115 },
    { "Pad #2 Setting", "0x71-0x79", WidgetKind::button, 273, 139, 48, 38 },
    { "Pad #3 Setting", "0x72-0x7A", WidgetKind::button, 345, 139, 48, 38 },
    { "Pad #4 Setting", "0x73-0x7B", WidgetKind::button, 418, 139, 48, 38 },
    { "Pad #5 Setting", "0x74-0x7C", WidgetKind::button, 490, 139, 48, 38 },
    { "Pad #6 Setting", "0x75-0x7D", WidgetKind::button, 562, 139, 48, 38 },
    { "Pad #7 Setting", "0x76-0x7E", WidgetKind::button, 636, 139, 48, 38 },
    { "Pad #8 Setting", "0x77-0x7F", WidgetKind::button, 709, 139, 48, 38 },
    { "Knob #2 - Cutoff", "0x01", WidgetKind::knob, 280, 23, 32, 32 },
    { "Knob #3 - Resonance", "0x02", WidgetKind::knob, 352, 23, 32, 32 },
    { "Knob #4 - LFO Rate", "0x09", WidgetKind::knob, 425, 23, 32, 32 },
    { "Knob #5 - LFO Amt", "0x0B", WidgetKind::knob, 498, 23, 32, 32 },
    { "Knob #6 - Chorus Amt", "0x0C", WidgetKind::knob, 571, 23, 32, 32 },
    { "Knob #7 - Attack", "0x0D", WidgetKind::knob, 644, 23, 32, 32 },
    { "Knob #8 - Decay", "0x0E", WidgetKind::knob, 717, 23, 32, 32 },
    { "Knob #9 - Preset", "0x33", WidgetKind::knob, 207, 87, 32, 32 },
    { "Knob #10 - Param 1", "0x03", WidgetKind::knob, 280, 87, 32, 32 },
    { "Knob #11 - Param 2", "0x04", WidgetKind::knob, 353, 87, 32, 32 },
    { "Knob #12 - Param 3", "0x0A", WidgetKind::knob, 425, 87, 32, 32 },
    { "Knob #13 - Param 4", "0x05", WidgetKind::knob, 499, 87, 32, 32 },
    { "Knob #14 - Delay Amt", "0x06", WidgetKind::knob, 571, 87, 32, 32 },
    { "Knob #15 - Sustain", "0x07", WidgetKind::knob, 643, 87, 32, 32 },
    { "Knob #16 - Release", "0x08", WidgetKind::knob, 717, 87, 32, 32 },
};

constexpr int controlRadioGroup = 1;

struct IdentifierRange
{
    int first, last;
};

// Every control that keeps an assignment. The octave buttons keep none,
// although the picture has widgets for them.
constexpr IdentifierRange assignableControls[] {
    { 0x01, 0x0E }, { 0x30, 0x30 }, { 0x33, 0x33 }, { 0x40, 0x41 }, { 0x50, 0x50 }, { 0x70, 0x7F },
};

std::unique_ptr<OxCtrlPickerWidget> createWidget (WidgetKind kind)
{
    if (kind == WidgetKind::knob)
        return std::make_unique<OxCtrlPickerKnob>();

    return std::make_unique<OxCtrlPickerButton>();
}

// A pad's text holds two identifiers, "0x70-0x78"; other controls have one,
// which serves in both shift states.
juce::String identifierToAnnounce (const juce::String& identifierText, bool shifted)
{
    if (! identifierText.containsChar ('-'))
        return identifierText;

    return shifted ? identifierText.fromFirstOccurrenceOf ("-", false, false) : identifierText.upToFirstOccurrenceOf ("-", false, false);
}
} // namespace

Vorlo25CtrlPickerComponent::Vorlo25CtrlPickerComponent()
    : picture (loadPicture())
{
    for (const auto& entry : widgetTable)
    {
        auto widget = createWidget (entry.kind);
        addAndMakeVisible (*widget);
        widget->setTooltip (entry.tooltip);
        widget->setButtonText (entry.identifierText);

        if (entry.kind == WidgetKind::shift)
            shiftButton = widget.get();
        else
            widget->setRadioGroupId (controlRadioGroup);

        widget->addListener (this);
        widgets.push_back (std::move (widget));
    }

    setSize (pictureWidth, pictureHeight);
}

Vorlo25CtrlPickerComponent::~Vorlo25CtrlPickerComponent() = default;

juce::Image Vorlo25CtrlPickerComponent::loadPicture()
{
    return juce::ImageCache::getFromMemory (PickerPictures::vorlo25_png, PickerPictures::vorlo25_pngSize);
}

void Vorlo25CtrlPickerComponent::paint (juce::Graphics& g)
{
    // Images are drawn with the opacity of the current colour.
    g.setColour (juce::Colours::black);
    g.drawImage (picture, 0, 0, pictureWidth, pictureHeight, 0, 0, picture.getWidth(), picture.getHeight());
}

void Vorlo25CtrlPickerComponent::resized()
{
    // The bounds belong to the picture, not to the picker's size.
    for (size_t i = 0; i < widgets.size(); ++i)
    {
        const auto& entry = widgetTable[i];
        widgets[i]->setBounds (entry.x, entry.y, entry.width, entry.height);
    }
}

juce::SortedSet<juce::int16> Vorlo25CtrlPickerComponent::getCtrlIds() const
{
    juce::SortedSet<juce::int16> ids;

    for (const auto& range : assignableControls)
        for (auto id = range.first; id <= range.last; ++id)
            ids.add ((juce::int16) id);

    return ids;
}

void Vorlo25CtrlPickerComponent::buttonClicked (juce::Button* clicked)
{
    if (clicked == shiftButton)
    {
        shiftButton->setToggleState (! shiftButton->getToggleState(), juce::dontSendNotification);

        // The selected control's click comes back later and announces it
        // again under the new shift state.
        if (selectedButton != nullptr)
            selectedButton->triggerClick();

        return;
    }

    // Turning it on turns the other controls of its radio group off; the
    // Shift widget is in no group and keeps its state.
    selectedButton = clicked;
    clicked->setToggleState (true, juce::dontSendNotification);

    sendActionMessage (identifierToAnnounce (clicked->getButtonText(), shiftButton->getToggleState()));
}
