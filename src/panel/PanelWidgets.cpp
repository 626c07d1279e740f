#include "panel/PanelWidgets.h"

#include "panel/ControllerNames.h"
#include "panel/SettingNames.h"
#include "pickers/QLookAndFeel.h"

namespace
{
const juce::Colour controlNameBackground { 0x60ff8080 };
constexpr float labelFontHeight = 15.0f;

// "first" to "last" as decimal texts.
juce::StringArray numberTexts (int first, int last)
{
    juce::StringArray texts;
    for (int i = first; i <= last; ++i)
        texts.add (juce::String (i));
    return texts;
}

// A label's text: the name, then a colon.
juce::String labelText (const juce::String& name) { return name + ":"; }

// Child construction, one helper per kind; each child is added, made visible
// and given its fixed place in creation order.
class Builder
{
public:
    Builder (juce::Component& parentToFill, juce::ComboBox::Listener& boxes, juce::Button::Listener& buttons,
             std::vector<std::pair<juce::Component*, juce::Rectangle<int>>>& placesToRecord)
        : parent (parentToFill), boxListener (boxes), buttonListener (buttons), places (placesToRecord)
    {
    }

    template <typename ComponentType, typename... Args>
    std::unique_ptr<ComponentType> add (juce::Rectangle<int> bounds, Args&&... args)
    {
        auto child = std::make_unique<ComponentType> (std::forward<Args> (args)...);
        parent.addAndMakeVisible (*child);
        child->setBounds (bounds);
        places.emplace_back (child.get(), bounds);
        return child;
    }

    std::unique_ptr<juce::Label> label (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds)
    {
        auto madeLabel = add<juce::Label> (bounds, name, text);
        madeLabel->setFont (juce::Font (labelFontHeight, juce::Font::plain));
        madeLabel->setJustificationType (juce::Justification::centredLeft);
        madeLabel->setEditable (false, false, false);
        madeLabel->setColour (juce::TextEditor::textColourId, juce::Colours::black);
        madeLabel->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
        return madeLabel;
    }

    std::unique_ptr<juce::ComboBox> combo (const juce::String& name, const juce::String& tooltip, const juce::StringArray& items,
                                           juce::Rectangle<int> bounds)
    {
        auto comboBox = add<juce::ComboBox> (bounds, name);
        comboBox->setTooltip (tooltip);
        comboBox->setEditableText (false);
        comboBox->setJustificationType (juce::Justification::centredLeft);
        comboBox->setTextWhenNothingSelected ({});
        comboBox->setTextWhenNoChoicesAvailable ("(no choices)");
        comboBox->addItemList (items, 1);
        comboBox->addListener (&boxListener);
        return comboBox;
    }

    std::unique_ptr<juce::TextButton> button (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds)
    {
        auto madeButton = add<juce::TextButton> (bounds, name);
        madeButton->setButtonText (text);
        QLookAndFeel::colourCommandButton (*madeButton);
        madeButton->addListener (&buttonListener);
        return madeButton;
    }

    std::unique_ptr<ReadOnlyTextBox> readOnlyBox (const juce::String& name, const juce::String& text, juce::Rectangle<int> bounds)
    {
        auto box = add<ReadOnlyTextBox> (bounds, name);
        box->setText (text);
        return box;
    }

private:
    juce::Component& parent;
    juce::ComboBox::Listener& boxListener;
    juce::Button::Listener& buttonListener;
    std::vector<std::pair<juce::Component*, juce::Rectangle<int>>>& places;
};
} // namespace

PanelWidgets PanelWidgets::create (juce::Component& panel, juce::ComboBox::Listener& boxListener, juce::Button::Listener& buttonListener)
{
    using R = juce::Rectangle<int>;
    using namespace SettingNames;
    PanelWidgets w;
    Builder make (panel, boxListener, buttonListener, w.places);

    w.globalGroup = make.add<juce::GroupComponent> (R (16, 8, 203, 155), "global group", "Global Parameters");
    w.knobModeLabel = make.label ("knob mode label", "Knob mode:", R (23, 64, 88, 24));
    w.knobModeCombo = make.combo ("knob mode combo", {}, { "Individual", "Relative" }, R (113, 64, 88, 24));
    w.selectedGroup = make.add<juce::GroupComponent> (R (225, 8, 479, 124), "new group", "Selected Control Parameters");

    w.controlNameBox = make.readOnlyBox ("new text editor", "<Click a Control>", R (240, 32, 177, 24));
    w.controlNameBox->setColour (juce::TextEditor::textColourId, juce::Colours::black);
    w.controlNameBox->setColour (juce::TextEditor::backgroundColourId, controlNameBackground);

    w.ccNumberLabel = make.label ("new label", labelText (parameterLabel (3)), R (425, 64, 80, 24));
    w.ccNumberCombo =
        make.combo ("CC number combo", "Midi control number assigned to the selected control", controllerItemTexts(), R (509, 64, 180, 24));
    w.defaultValuesButton = make.button ("new button", "Default Values", R (712, 62, 96, 22));
    w.sendButton = make.button ("new button", "Send to Keyboard", R (712, 16, 96, 22));
    w.picker = make.add<Vorlo25CtrlPickerComponent> (R (9, 165, 800, 378));

    w.modeLabel = make.label ("new label", labelText (parameterLabel (1)), R (425, 32, 50, 24));
    w.modeCombo = make.combo ("Mode combo", "Mode assigned to the selected control",
                              { "Off", "Continuous", "NRPN/RPN", "MMC", "Switched", "MIDI Note", "Patch Chg", "Pitch Bend", "Aftertouch" },
                              R (509, 32, 90, 24));
    w.channelLabel = make.label ("new label", labelText (parameterLabel (2)), R (237, 64, 80, 24));
    w.channelCombo = make.combo ("Channel combo", "Midi channel assigned to the selected control", channelItems(), R (317, 64, 100, 24));
    w.maxLabel = make.label ("new label", labelText (parameterLabel (5)), R (425, 96, 80, 24));
    w.maxCombo = make.combo ("Max MSB combo", "Max value (or MSB) set for the selected control", numberTexts (0, 127), R (509, 96, 100, 24));
    w.minLabel = make.label ("new label", labelText (parameterLabel (4)), R (237, 96, 80, 24));
    w.minCombo = make.combo ("Min LSB combo", "Min value (or LSB) set for the selected control", numberTexts (0, 127), R (317, 96, 100, 24));
    w.globalChannelLabel = make.label ("channel label", labelText (globalLabel (globalChannel)), R (24, 32, 93, 24));
    w.globalChannelCombo = make.combo ("upper channel combo", {}, numberTexts (1, 16), R (113, 32, 88, 24));
    w.globalChannelCombo->setJustificationType (juce::Justification::centredRight);

    w.defaultValuesButton->setTooltip ("Puts the default assignment and globals into the editor, for Send to write. "
                                       "Ctrl+Z (Cmd+Z on macOS) undoes it; Ctrl+Shift+Z or Ctrl+Y redoes it.");
    w.loadButton = make.button ("load button", "Load...", R (712, 87, 96, 22));
    w.loadButton->setTooltip ("Loads a settings file into the editor, for Send to write. "
                              "Ctrl+Z (Cmd+Z on macOS) undoes it; Ctrl+Shift+Z or Ctrl+Y redoes it.");
    w.saveButton = make.button ("save button", "Save...", R (712, 112, 96, 22));
    w.chartButton = make.button ("chart button", "Chart...", R (712, 137, 96, 22));
    w.chartButton->setTooltip ("Writes a MIDI chart of the editor's settings, a page to print or keep beside the keyboard");

    // The four option boxes share one place; the mode decides which shows.
    const R optionBounds (599, 32, 90, 24);
    w.toggleOptionCombo = make.combo ("Option Combo", "States if control toggles when pressed or reacts at both press and release",
                                      optionItems (ModeRules::OptionBox::toggle), optionBounds);
    w.encodingOptionCombo = make.combo ("Option Combo", "States the encoding scheme used for control messages",
                                        optionItems (ModeRules::OptionBox::encoding), optionBounds);
    w.nrpnOptionCombo = make.combo ("Option Combo", "States the kind of control messages generated (NRPN vs. RPN)",
                                    optionItems (ModeRules::OptionBox::nrpn), optionBounds);
    w.holdOptionCombo = make.combo ("Option Combo", "States if the auto-returns to 0 (standard) or else holds the value (hold)",
                                    optionItems (ModeRules::OptionBox::hold), optionBounds);

    w.memoryLabel = make.label ("new label", "to Mem:", R (712, 38, 48, 24));
    w.memoryCombo = make.combo ("new combo box", "Memory number targeted", numberTexts (1, 8), R (760, 38, 39, 24));
    w.firmwareButton = make.button ("FW button", "Upgrade firmware...", R (511, 137, 96, 22));
    w.knobAccelLabel = make.label ("knob accel label", labelText (curveLabel (knobAccelCurve)), R (23, 96, 88, 24));
    w.knobAccelCombo = make.combo ("knob accel combo", {}, curveItems (knobAccelCurve), R (113, 96, 88, 24));
    w.velCurveLabel = make.label ("vel curve label", labelText (curveLabel (velocityCurve)), R (23, 128, 88, 24));
    w.velCurveCombo = make.combo ("vel curve combo", {}, curveItems (velocityCurve), R (113, 128, 88, 24));
    w.firmwareLabel = make.label ("new label", "Firmware revision:", R (237, 137, 130, 24));
    w.firmwareRevisionBox = make.readOnlyBox ("firmware revision", "Not detected yet", R (368, 135, 133, 24));
    w.padCurveLabel = make.label ("pad curve label", labelText (curveLabel (padCurve)), R (23, 64, 88, 24));
    w.padCurveCombo =
        make.combo ("pad curve combo", "Sets the pad velocity curve (for all pads)", curveItems (padCurve), R (113, 64, 88, 24));
    w.padsButton = make.button ("new button", "Pads...", R (558, 352, 51, 24));
    w.padsButton->setTooltip ("Opens the pad calibration page");
    w.changesLabel = make.label ("changes label", {}, R (612, 137, 96, 22));
    w.changesLabel->setFont (juce::Font (13.0f, juce::Font::plain));
    w.changesLabel->setJustificationType (juce::Justification::centredRight);

    w.notice = std::make_unique<NoticeBubble>();
    panel.addChildComponent (*w.notice);

    // Keyboard focus: the global channel label, then the value boxes, then
    // the other global labels and boxes.
    w.globalChannelLabel->setExplicitFocusOrder (1);
    for (auto* comboBox :
         { w.ccNumberCombo.get(), w.modeCombo.get(), w.channelCombo.get(), w.maxCombo.get(), w.minCombo.get(), w.globalChannelCombo.get() })
        comboBox->setExplicitFocusOrder (2);
    for (auto* label : { w.knobModeLabel.get(), w.knobAccelLabel.get(), w.velCurveLabel.get(), w.padCurveLabel.get() })
        label->setExplicitFocusOrder (3);
    for (auto* comboBox : { w.knobModeCombo.get(), w.knobAccelCombo.get(), w.velCurveCombo.get(), w.padCurveCombo.get() })
        comboBox->setExplicitFocusOrder (4);

    return w;
}

void PanelWidgets::layOut() const
{
    for (const auto& [child, bounds] : places)
        child->setBounds (bounds);
}

bool PanelWidgets::isChoiceOpen() const
{
    return std::any_of (places.begin(), places.end(),
                        [] (const auto& place)
                        {
                            const auto* box = dynamic_cast<const juce::ComboBox*> (place.first);
                            return box != nullptr && box->isPopupActive();
                        });
}
