#include "pickers/OxCtrlPickerComponent.h"

#include "pickers/BakedPicture.h"
#include "pickers/OxCtrlPickerButton.h"
#include "pickers/OxCtrlPickerKnob.h"

namespace
{
constexpr int controlRadioGroup = 1;

std::unique_ptr<OxCtrlPickerWidget> createWidget (OxCtrlPickerComponent::WidgetKind kind)
{
    if (kind == OxCtrlPickerComponent::WidgetKind::knob)
        return std::make_unique<OxCtrlPickerKnob>();

    return std::make_unique<OxCtrlPickerButton>();
}

// A pair "0x70-0x78" names the control under the widget without and with
// Shift; a single identifier serves in both states.
juce::String identifierToAnnounce (const juce::String& identifierText, bool shifted)
{
    if (! identifierText.containsChar ('-'))
        return identifierText;

    return shifted ? identifierText.fromFirstOccurrenceOf ("-", false, false) : identifierText.upToFirstOccurrenceOf ("-", false, false);
}

// The identifiers a widget stands for: without Shift, and with it.
std::pair<int, int> identifiersOf (const juce::String& identifierText)
{
    return { identifierToAnnounce (identifierText, false).getHexValue32(), identifierToAnnounce (identifierText, true).getHexValue32() };
}
} // namespace

OxCtrlPickerComponent::OxCtrlPickerComponent (const Model& pickerModel) : model (pickerModel), picture (loadPicture (pickerModel))
{
    for (size_t i = 0; i < model.numWidgets; ++i)
    {
        const auto& entry = model.widgets[i];
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

    setSize (model.width, model.height);
}

OxCtrlPickerComponent::~OxCtrlPickerComponent() = default;

juce::Image OxCtrlPickerComponent::loadPicture (const Model& pickerModel)
{
    return bakedPicture (pickerModel.pixels, pickerModel.width, pickerModel.height);
}

void OxCtrlPickerComponent::paint (juce::Graphics& g)
{
    if (model.whiteUnderPicture)
        g.fillAll (juce::Colours::white);

    // Images are drawn with the opacity of the current colour.
    g.setColour (juce::Colours::black);
    g.drawImage (picture, 0, 0, model.width, model.height, 0, 0, picture.getWidth(), picture.getHeight());

    if (isShifted() && model.shiftLightRadius > 0.0f)
        paintShiftLight (g);
}

void OxCtrlPickerComponent::paintShiftLight (juce::Graphics& g) const
{
    // A red light with a soft glow around it, as the keyboard's own.
    const juce::Point<float> centre (model.shiftLightX, model.shiftLightY);
    const auto radius = model.shiftLightRadius;
    const auto glowRadius = radius * 3.0f;

    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xb0ff4a2a), centre, juce::Colour (0x00ff4a2a), centre.translated (glowRadius, 0.0f), true));
    g.fillEllipse (juce::Rectangle<float> (2.0f * glowRadius, 2.0f * glowRadius).withCentre (centre));

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffffd2b8), centre.translated (-0.3f * radius, -0.3f * radius),
                                             juce::Colour (0xffff3b1f), centre.translated (radius, 0.0f), true));
    g.fillEllipse (juce::Rectangle<float> (2.0f * radius, 2.0f * radius).withCentre (centre));
}

void OxCtrlPickerComponent::resized()
{
    // The bounds belong to the picture, not to the picker's size.
    for (size_t i = 0; i < widgets.size(); ++i)
    {
        const auto& entry = model.widgets[i];
        widgets[i]->setBounds (entry.x, entry.y, entry.width, entry.height);
    }
}

juce::SortedSet<juce::int16> OxCtrlPickerComponent::getCtrlIds() const
{
    juce::SortedSet<juce::int16> ids;

    for (size_t i = 0; i < model.numCtrlIdRanges; ++i)
        for (auto id = model.ctrlIds[i].first; id <= model.ctrlIds[i].last; ++id)
            ids.add ((juce::int16) id);

    return ids;
}

OxCtrlPickerWidget* OxCtrlPickerComponent::findWidget (int id, bool* needsShift) const
{
    for (const auto& widget : widgets)
    {
        if (widget.get() == shiftButton)
            continue;
        const auto [plain, shifted] = identifiersOf (widget->getButtonText());
        if (id == plain || id == shifted)
        {
            if (needsShift != nullptr)
                *needsShift = id != plain;
            return widget.get();
        }
    }
    return nullptr;
}

bool OxCtrlPickerComponent::selectControl (int id)
{
    bool needsShift = false;
    auto* widget = findWidget (id, &needsShift);
    if (widget == nullptr)
        return false;

    if (shiftButton != nullptr && shiftButton->getToggleState() != needsShift)
    {
        shiftButton->setToggleState (needsShift, juce::dontSendNotification);
        repaint(); // the shift light
    }

    selectedButton = widget;
    widget->setToggleState (true, juce::dontSendNotification);
    return true;
}

void OxCtrlPickerComponent::flashControl (int id)
{
    if (auto* widget = findWidget (id))
        widget->flash();
}

void OxCtrlPickerComponent::markControls (const std::set<int>& ids)
{
    for (const auto& widget : widgets)
    {
        if (widget.get() == shiftButton)
            continue;
        const auto [plain, shifted] = identifiersOf (widget->getButtonText());
        widget->setMarked (ids.count (plain) > 0 || ids.count (shifted) > 0);
    }
}

void OxCtrlPickerComponent::buttonClicked (juce::Button* clicked)
{
    if (clicked == shiftButton)
    {
        shiftButton->setToggleState (! shiftButton->getToggleState(), juce::dontSendNotification);
        repaint(); // the shift light

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

    const auto shifted = shiftButton != nullptr && shiftButton->getToggleState();
    sendActionMessage (identifierToAnnounce (clicked->getButtonText(), shifted));
}
