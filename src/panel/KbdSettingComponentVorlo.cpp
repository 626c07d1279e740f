#include "panel/KbdSettingComponentVorlo.h"

#include "calibration/PadCalibrationDialog.h"
#include "documents/MidiChart.h"
#include "documents/SettingsFile.h"
#include "firmware/UpdaterRunner.h"
#include "panel/ControllerNames.h"
#include "pickers/QLookAndFeel.h"

namespace
{
const juce::Colour controlNameBackground { 0x60ff8080 };
constexpr float labelFontHeight = 15.0f;

const juce::String keyboardProblemTitle = "Keyboard Problem";
// Nothing is to be pressed to try again: the editor goes on looking by itself.
const juce::String keyboardNotDetectedText = "The keyboard has not been detected. Please correct the problem and try again.\n\n"
                                             "The editor keeps watching the MIDI ports and finds the keyboard by itself as soon "
                                             "as it is plugged in. To try the editor without the keyboard, start the demo, "
                                             "vorlo-control-center-demo: it plays a simulated keyboard.";
const juce::String keyboardCannotBeSetText = "The keyboard has not been detected yet, so it can't be set.";
const juce::String keyboardDisconnectedText =
    "The keyboard has been disconnected, so it can't be set. Plug it back in: the editor finds it again by itself.";
const juce::String disconnectedBoxText = "Disconnected";
const juce::String disconnectedTooltip = "The keyboard was unplugged. Plug it back in: the editor finds it again by itself.";
const juce::String readBackStalledText =
    "Reading the keyboard's settings did not finish: the keyboard stopped answering. The settings that were not read are "
    "shown greyed, and \"Send to Keyboard\" leaves the keyboard's own values for them alone.";
const juce::String keyboardConnectedTitle = "Keyboard Connected";
const juce::String readOverEditsText =
    "The keyboard is connected. The editor holds changes that were neither sent to the keyboard nor saved to a file.\n\n"
    "Read the keyboard's settings and drop these changes, or keep the editor's values to send them later?";
const juce::StringArray readOverEditsButtons { "Keep the Editor's Values", "Read the Keyboard" };
constexpr int readTheKeyboard = 1;
const juce::String fileProblemTitle = "File Problem";

// "first" to "last" as decimal texts.
juce::StringArray numberTexts (int first, int last)
{
    juce::StringArray texts;
    for (int i = first; i <= last; ++i)
        texts.add (juce::String (i));
    return texts;
}

juce::StringArray channelItemTexts()
{
    auto texts = numberTexts (1, 16);
    texts.add ("Global");
    return texts;
}

const juce::Colour assumedTextColour { 0xff8c8c8c };
const juce::String notReadTooltip =
    "Not read from the keyboard: this is the editor's default, and Send leaves the keyboard's own value alone.";
const juce::Identifier baseTooltipProperty { "baseTooltip" };
const juce::String notSentTooltip =
    "The keyboard keeps the pitch strip's assignment for itself: Send does not write it, so it is shown here but cannot be changed.";

juce::String unlistedModeTooltip (int mode)
{
    return "The keyboard has this control in the mode " + ModeRules::modeName (mode).quoted() + " (" + juce::String (mode)
        + "), which none of these items stands for. Send leaves it as it is unless you choose an item.";
}

juce::String notVorloText (int deviceCode)
{
    return describeOtherModel (deviceCode) + " This editor reads and sets only the Vorlo, so it leaves that keyboard as it is.";
}

// Where the file choosers start: the user's documents, or home where there
// is no such folder (the chooser would otherwise offer "Documents" as the name).
juce::File documentsFolder()
{
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
    return documents.isDirectory() ? documents : juce::File::getSpecialLocation (juce::File::userHomeDirectory);
}
} // namespace

KbdSettingComponentVorlo::Services KbdSettingComponentVorlo::systemServices()
{
    return { SystemMidiPorts::instance(), Dialogs::system(), Clock::system() };
}

KbdSettingComponentVorlo::KbdSettingComponentVorlo (Services services)
    : dialogs (services.dialogs), manager (services.ports, services.clock), follower (manager, services.ports)
{
    createChildren();
    setSize (panelWidth, panelHeight);

    widgets.chartButton->setVisible (false);
    widgets.knobModeLabel->setVisible (false);
    widgets.knobModeCombo->setVisible (false);

    widgets.memoryCombo->setSelectedItemIndex (0, juce::sendNotification);

    widgets.picker->addActionListener (this);
    controlTable = buildControlTable();

    OrvaneManager49::setMidiInputsAllowed (true);
    manager.addListener (this);
    manager.startDetection();

    // With no MIDI output at all there is nothing to probe and the search
    // ends before it began: say so, as when it ends without an answer.
    if (! manager.isProbing() && ! manager.isKeyboardDetected())
        keyboardEvent (eventDetectionEnded, 0, 0, 0);

    follower.setListener (this);
    follower.startFollowing();
}

KbdSettingComponentVorlo::~KbdSettingComponentVorlo()
{
    // No MIDI callback may reach the panel while its children go.
    manager.stopListening();
    cancelPendingUpdate();
    widgets.picker->removeActionListener (this);
}

//==============================================================================
template <typename ComponentType, typename... Args>
std::unique_ptr<ComponentType> KbdSettingComponentVorlo::addChild (juce::Rectangle<int> bounds, Args&&... args)
{
    auto child = std::make_unique<ComponentType> (std::forward<Args> (args)...);
    addAndMakeVisible (*child);
    child->setBounds (bounds);
    layout.emplace_back (child.get(), bounds);
    return child;
}

std::unique_ptr<juce::Label> KbdSettingComponentVorlo::makeLabel (const juce::String& name, const juce::String& text,
                                                                  juce::Rectangle<int> bounds)
{
    auto label = addChild<juce::Label> (bounds, name, text);
    label->setFont (juce::Font (labelFontHeight, juce::Font::plain));
    label->setJustificationType (juce::Justification::centredLeft);
    label->setEditable (false, false, false);
    label->setColour (juce::TextEditor::textColourId, juce::Colours::black);
    label->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
    return label;
}

std::unique_ptr<juce::ComboBox> KbdSettingComponentVorlo::makeCombo (const juce::String& name, const juce::String& tooltip,
                                                                     const juce::StringArray& items, juce::Rectangle<int> bounds)
{
    auto comboBox = addChild<juce::ComboBox> (bounds, name);
    comboBox->setTooltip (tooltip);
    comboBox->setEditableText (false);
    comboBox->setJustificationType (juce::Justification::centredLeft);
    comboBox->setTextWhenNothingSelected ({});
    comboBox->setTextWhenNoChoicesAvailable ("(no choices)");
    comboBox->addItemList (items, 1);
    comboBox->addListener (this);
    return comboBox;
}

std::unique_ptr<juce::TextButton> KbdSettingComponentVorlo::makeButton (const juce::String& name, const juce::String& text,
                                                                        juce::Rectangle<int> bounds)
{
    auto button = addChild<juce::TextButton> (bounds, name);
    button->setButtonText (text);
    QLookAndFeel::colourCommandButton (*button);
    button->addListener (this);
    return button;
}

std::unique_ptr<juce::TextEditor> KbdSettingComponentVorlo::makeReadOnlyEditor (const juce::String& name, const juce::String& text,
                                                                                juce::Rectangle<int> bounds)
{
    auto editor = addChild<juce::TextEditor> (bounds, name);
    editor->setMultiLine (false);
    editor->setReturnKeyStartsNewLine (false);
    editor->setReadOnly (true);
    editor->setScrollbarsShown (false);
    editor->setCaretVisible (false);
    editor->setPopupMenuEnabled (false);
    editor->setText (text);
    return editor;
}

void KbdSettingComponentVorlo::createChildren()
{
    using R = juce::Rectangle<int>;
    auto& w = widgets;

    w.globalGroup = addChild<juce::GroupComponent> (R (16, 8, 203, 155), "global group", "Global Parameters");
    w.knobModeLabel = makeLabel ("knob mode label", "Knob mode:", R (23, 64, 88, 24));
    w.knobModeCombo = makeCombo ("knob mode combo", {}, { "Individual", "Relative" }, R (113, 64, 88, 24));
    w.selectedGroup = addChild<juce::GroupComponent> (R (225, 8, 479, 124), "new group", "Selected Control Parameters");

    w.controlNameEditor = makeReadOnlyEditor ("new text editor", "<Click a Control>", R (240, 32, 177, 24));
    w.controlNameEditor->setColour (juce::TextEditor::textColourId, juce::Colours::black);
    w.controlNameEditor->setColour (juce::TextEditor::backgroundColourId, controlNameBackground);
    w.controlNameEditor->applyColourToAllText (juce::Colours::black);

    w.ccNumberLabel = makeLabel ("new label", "CC number:", R (425, 64, 80, 24));
    w.ccNumberCombo =
        makeCombo ("CC number combo", "Midi control number assigned to the selected control", controllerItemTexts(), R (509, 64, 180, 24));
    w.defaultValuesButton = makeButton ("new button", "Default Values", R (712, 62, 96, 22));
    w.sendButton = makeButton ("new button", "Send to Keyboard", R (712, 16, 96, 22));
    w.picker = addChild<Vorlo25CtrlPickerComponent> (R (9, 165, 800, 378));

    w.modeLabel = makeLabel ("new label", "Mode:", R (425, 32, 50, 24));
    w.modeCombo = makeCombo ("Mode combo", "Mode assigned to the selected control",
                             { "Off", "Continuous", "NRPN/RPN", "MMC", "Switched", "MIDI Note", "Patch Chg", "Pitch Bend", "Aftertouch" },
                             R (509, 32, 90, 24));
    w.channelLabel = makeLabel ("new label", "Channel:", R (237, 64, 80, 24));
    w.channelCombo = makeCombo ("Channel combo", "Midi channel assigned to the selected control", channelItemTexts(), R (317, 64, 100, 24));
    w.maxLabel = makeLabel ("new label", "Max / MSB:", R (425, 96, 80, 24));
    w.maxCombo = makeCombo ("Max MSB combo", "Max value (or MSB) set for the selected control", numberTexts (0, 127), R (509, 96, 100, 24));
    w.minLabel = makeLabel ("new label", "Min / LSB:", R (237, 96, 80, 24));
    w.minCombo = makeCombo ("Min LSB combo", "Min value (or LSB) set for the selected control", numberTexts (0, 127), R (317, 96, 100, 24));
    w.globalChannelLabel = makeLabel ("channel label", "Channel:", R (24, 32, 93, 24));
    w.globalChannelCombo = makeCombo ("upper channel combo", {}, numberTexts (1, 16), R (113, 32, 88, 24));
    w.globalChannelCombo->setJustificationType (juce::Justification::centredRight);

    w.loadButton = makeButton ("load button", "Load...", R (712, 87, 96, 22));
    w.saveButton = makeButton ("save button", "Save...", R (712, 112, 96, 22));
    w.chartButton = makeButton ("chart button", "Chart...", R (712, 137, 96, 22));

    // The four option boxes share one place; the mode decides which shows.
    const R optionBounds (599, 32, 90, 24);
    w.toggleOptionCombo = makeCombo ("Option Combo", "States if control toggles when pressed or reacts at both press and release",
                                     { "Toggle", "Gate" }, optionBounds);
    w.encodingOptionCombo = makeCombo ("Option Combo", "States the encoding scheme used for control messages",
                                       { "Absolute", "Relative #1", "Relative #2", "Relative #3" }, optionBounds);
    w.nrpnOptionCombo =
        makeCombo ("Option Combo", "States the kind of control messages generated (NRPN vs. RPN)", { "NRPN", "RPN" }, optionBounds);
    w.holdOptionCombo = makeCombo ("Option Combo", "States if the auto-returns to 0 (standard) or else holds the value (hold)",
                                   { "Standard", "Hold" }, optionBounds);

    w.memoryLabel = makeLabel ("new label", "to Mem:", R (712, 38, 48, 24));
    w.memoryCombo = makeCombo ("new combo box", "Memory number targeted", numberTexts (1, 8), R (760, 38, 39, 24));
    w.firmwareButton = makeButton ("FW button", "Upgrade firmware...", R (511, 137, 96, 22));
    w.knobAccelLabel = makeLabel ("knob accel label", "Knob accel:", R (23, 96, 88, 24));
    w.knobAccelCombo = makeCombo ("knob accel combo", {}, { "Slow (off)", "Medium", "Fast" }, R (113, 96, 88, 24));
    w.velCurveLabel = makeLabel ("vel curve label", "Velocity curve:", R (23, 128, 88, 24));
    w.velCurveCombo = makeCombo ("vel curve combo", {}, { "Linear", "Logarithmic", "Exponential", "Full" }, R (113, 128, 88, 24));
    w.firmwareLabel = makeLabel ("new label", "Firmware revision:", R (237, 137, 130, 24));
    w.firmwareRevisionEditor = makeReadOnlyEditor ("firmware revision", "Not detected yet", R (368, 135, 133, 24));
    w.padCurveLabel = makeLabel ("pad curve label", "Pad Vel curve:", R (23, 64, 88, 24));
    w.padCurveCombo = makeCombo ("pad curve combo", "Sets the pad velocity curve (for all pads)",
                                 { "Linear", "Logarithmic", "Exponential", "Full" }, R (113, 64, 88, 24));
    w.padsButton = makeButton ("new button", "Pads...", R (558, 352, 51, 24));
    w.padsButton->setTooltip ("Opens the pad calibration page");

    w.notice = std::make_unique<NoticeBubble>();
    addChildComponent (*w.notice);

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
}

//==============================================================================
void KbdSettingComponentVorlo::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffcfcfc), 328.0f, 8.0f, juce::Colour (0xffababab), 344.0f, 544.0f, false));
    g.fillRect (0, 0, panelWidth, panelHeight);
}

void KbdSettingComponentVorlo::resized()
{
    // Laid out for the window's one size.
    for (const auto& [child, bounds] : layout)
        child->setBounds (bounds);
}

//==============================================================================
void KbdSettingComponentVorlo::actionListenerCallback (const juce::String& message)
{
    const int id = message.getHexValue32();
    if (controlTable.count ((juce::int16) id) == 0)
        return;

    selectedControl = id;
    showSelectedControl();
}

void KbdSettingComponentVorlo::showValue (juce::ComboBox& comboBox, int itemIndex, bool assumed, const juce::String& textOfNoItem,
                                          const juce::String& note)
{
    // An absent value (-1) or one past the last item shows no selection, or
    // the text given for a value no item stands for.
    if (textOfNoItem.isNotEmpty())
        comboBox.setText (textOfNoItem, juce::dontSendNotification);
    else
        comboBox.setSelectedItemIndex (itemIndex, juce::dontSendNotification);

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

void KbdSettingComponentVorlo::showSelectedControl()
{
    const int id = selectedControl;
    const auto& cache = manager.getCache();
    const auto& control = controlTable.at ((juce::int16) id);
    auto& w = widgets;

    w.controlNameEditor->setText (control.name);

    // What Send does not write cannot be changed.
    const bool sent = OrvaneManager49::isControlSent (id);
    const auto note = sent ? juce::String() : notSentTooltip;
    const auto showParameter = [&] (juce::ComboBox& comboBox, int itemIndex, int parameter)
    {
        comboBox.setEnabled (sent);
        showValue (comboBox, itemIndex, cache.isAssumed (parameter, id), {}, note);
    };

    // A mode that no item stands for shows its own name, and the option box
    // is the one the control and its mode call for.
    const int mode = cache.getItemParam (1, id);
    const int modeItem = ModeRules::modeToItemIndex (mode);
    const bool unlisted = modeItem < 0 && mode != ValueCache::missing;
    w.modeCombo->setEnabled (sent);
    showValue (*w.modeCombo, modeItem, cache.isAssumed (1, id), unlisted ? ModeRules::modeName (mode) : juce::String(),
               unlisted ? unlistedModeTooltip (mode) : note);
    showOptionComboFor (ModeRules::itemModeFor (mode), control.isKnob);

    showParameter (*w.channelCombo, ModeRules::channelToItemIndex (cache.getItemParam (2, id)), 2);
    showParameter (*w.ccNumberCombo, cache.getItemParam (3, id), 3);
    showParameter (*w.minCombo, cache.getItemParam (4, id), 4);
    showParameter (*w.maxCombo, cache.getItemParam (5, id), 5);

    for (auto* comboBox : optionCombos())
        showParameter (*comboBox, cache.getItemParam (6, id), 6);

    enableModesFor (id);
}

void KbdSettingComponentVorlo::enableModesFor (int id)
{
    const int mask = ModeRules::modeMaskFor (id) | 1;

    // Values that share an item are allowed or refused together.
    for (int mode = 0; mode < ModeRules::numModes; ++mode)
    {
        const int item = ModeRules::modeToItemIndex (mode);
        if (item >= 0)
            widgets.modeCombo->setItemEnabled (item + 1, (mask & (1 << mode)) != 0);
    }
}

juce::ComboBox* KbdSettingComponentVorlo::optionComboFor (ModeRules::OptionBox box) const
{
    switch (box)
    {
        case ModeRules::OptionBox::toggle: return widgets.toggleOptionCombo.get();
        case ModeRules::OptionBox::encoding: return widgets.encodingOptionCombo.get();
        case ModeRules::OptionBox::nrpn: return widgets.nrpnOptionCombo.get();
        case ModeRules::OptionBox::hold: return widgets.holdOptionCombo.get();
        case ModeRules::OptionBox::none: break;
    }
    return nullptr;
}

std::array<juce::ComboBox*, 4> KbdSettingComponentVorlo::optionCombos() const
{
    return { widgets.toggleOptionCombo.get(), widgets.holdOptionCombo.get(), widgets.encodingOptionCombo.get(),
             widgets.nrpnOptionCombo.get() };
}

bool KbdSettingComponentVorlo::isOptionCombo (const juce::ComboBox* comboBox) const
{
    const auto combos = optionCombos();
    return std::find (combos.begin(), combos.end(), comboBox) != combos.end();
}

void KbdSettingComponentVorlo::showOptionComboFor (int mode, bool isKnob)
{
    // A mode without options, or none known, shows no option box.
    auto* shown = optionComboFor (ModeRules::optionBoxFor (mode, isKnob));
    for (auto* comboBox : optionCombos())
        comboBox->setVisible (comboBox == shown);
}

void KbdSettingComponentVorlo::showGlobals()
{
    const auto& cache = manager.getCache();
    auto& w = widgets;

    const auto showGlobal = [&] (juce::ComboBox& comboBox, int index)
    { showValue (comboBox, cache.getGlobal (index), cache.getGlobalSource (index) == ValueSource::assumed); };
    const auto showCurve = [&] (juce::ComboBox& comboBox, int index)
    { showValue (comboBox, cache.getCurve (index), cache.getCurveSource (index) == ValueSource::assumed); };

    showGlobal (*w.globalChannelCombo, OrvaneMidiMessage49::globalMidiChannel);
    showCurve (*w.knobAccelCombo, 4);
    showCurve (*w.velCurveCombo, 1);
    showCurve (*w.padCurveCombo, 3);

    showKeyboardState();
}

void KbdSettingComponentVorlo::showKeyboardState()
{
    auto& box = *widgets.firmwareRevisionEditor;

    if (manager.isKeyboardUnplugged())
    {
        box.setText (disconnectedBoxText);
        box.setTooltip (disconnectedTooltip);
        return;
    }

    // Without a keyboard there is no revision to show.
    if (manager.isKeyboardDetected())
    {
        const auto revision = formatFirmwareRevision (manager.getFirmwareRevision());
        const int code = manager.getDeviceCode();
        const bool vorlo = code == DeviceCode::vorlo;
        box.setText (vorlo ? revision : modelNameFor (code) + " " + revision);
        box.setTooltip (vorlo ? juce::String() : notVorloText (code));
    }
}

//==============================================================================
int KbdSettingComponentVorlo::parameterShownBy (const juce::ComboBox* comboBox) const
{
    const auto& w = widgets;
    if (comboBox == w.modeCombo.get())
        return 1;
    if (comboBox == w.channelCombo.get())
        return 2;
    if (comboBox == w.ccNumberCombo.get())
        return 3;
    if (comboBox == w.minCombo.get())
        return 4;
    if (comboBox == w.maxCombo.get())
        return 5;
    if (isOptionCombo (comboBox)) // visible or not
        return 6;
    return 0;
}

std::optional<int> KbdSettingComponentVorlo::cachedValueShownBy (const juce::ComboBox* comboBox) const
{
    const auto& w = widgets;
    const auto& cache = manager.getCache();

    if (comboBox == w.globalChannelCombo.get())
        return cache.getGlobal (OrvaneMidiMessage49::globalMidiChannel);
    if (comboBox == w.knobModeCombo.get())
        return cache.getGlobal (OrvaneMidiMessage49::globalRelativeMode);
    if (comboBox == w.knobAccelCombo.get())
        return cache.getCurve (4);
    if (comboBox == w.velCurveCombo.get())
        return cache.getCurve (1);
    if (comboBox == w.padCurveCombo.get())
        return cache.getCurve (3);

    const int parameter = parameterShownBy (comboBox);
    if (parameter > 0 && selectedControl >= 0)
        return cache.getItemParam (parameter, selectedControl);
    return std::nullopt;
}

int KbdSettingComponentVorlo::itemShownFor (const juce::ComboBox* comboBox, int value) const
{
    if (comboBox == widgets.modeCombo.get())
        return ModeRules::modeToItemIndex (value);
    if (comboBox == widgets.channelCombo.get())
        return ModeRules::channelToItemIndex (value);
    if (comboBox == widgets.knobModeCombo.get())
        return value == 127 ? 1 : 0;
    return value;
}

void KbdSettingComponentVorlo::comboBoxChanged (juce::ComboBox* comboBox)
{
    const int index = comboBox->getSelectedItemIndex();
    if (index < 0)
        return;

    // Only the user's own choice changes a value. A box that shows what the
    // cache holds has nothing to write, even when a notification comes late,
    // after the selection moved on.
    if (const auto cached = cachedValueShownBy (comboBox); cached.has_value() && index == itemShownFor (comboBox, *cached))
        return;

    // What the user chose is no longer the editor's guess.
    if (editGlobals (comboBox, index) || editSelectedControl (comboBox, index))
        showValue (*comboBox, index, false);
}

bool KbdSettingComponentVorlo::editGlobals (juce::ComboBox* comboBox, int index)
{
    const auto& w = widgets;

    if (comboBox == w.globalChannelCombo.get())
        manager.setGlobal (OrvaneMidiMessage49::globalMidiChannel, index);
    else if (comboBox == w.knobModeCombo.get())
        manager.setKnobRelative (index == 1);
    else if (comboBox == w.knobAccelCombo.get())
        manager.setCurve (4, index);
    else if (comboBox == w.velCurveCombo.get())
        manager.setCurve (1, index);
    else if (comboBox == w.padCurveCombo.get())
        manager.setCurve (3, index);
    else // the memory box is read when sending
        return false;

    return true;
}

bool KbdSettingComponentVorlo::editSelectedControl (juce::ComboBox* comboBox, int index)
{
    // Before the first pick these boxes edit nothing.
    const int id = selectedControl;
    const int parameter = parameterShownBy (comboBox);
    if (id < 0 || parameter == 0)
        return false;

    switch (parameter)
    {
        case 1:
        {
            const int mode = ModeRules::itemIndexToMode (index);
            if (mode < 0)
                return false;
            manager.setItemParam (1, id, mode);
            showOptionComboFor (mode, controlTable.at ((juce::int16) id).isKnob);
            return true;
        }
        case 2: manager.setItemParam (2, id, ModeRules::itemIndexToChannel (index)); return true;
        case 6:
        {
            manager.setItemParam (6, id, index);
            // An option belongs to the mode its item shows: choosing one for
            // a mode without an item of its own (a relative knob) stores that
            // item's mode with it, so that the keyboard does what is shown.
            const int mode = manager.getItemParam (1, id);
            const int itemMode = ModeRules::itemModeFor (mode);
            if (itemMode >= 0 && itemMode != mode)
            {
                manager.setItemParam (1, id, itemMode);
                showValue (*widgets.modeCombo, ModeRules::modeToItemIndex (itemMode), false);
            }
            return true;
        }
        default: manager.setItemParam (parameter, id, index); return true;
    }
}

void KbdSettingComponentVorlo::buttonClicked (juce::Button* button)
{
    const DialogsOpen open (*this);

    if (button == widgets.defaultValuesButton.get())
        restoreDefaultValues();
    else if (button == widgets.sendButton.get())
        sendToKeyboard();
    else if (button == widgets.padsButton.get())
        openPadCalibration();
    else if (button == widgets.loadButton.get())
        loadSettings();
    else if (button == widgets.saveButton.get())
        saveSettingsAs();
    else if (button == widgets.chartButton.get())
        exportChartAs();
    else if (button == widgets.firmwareButton.get())
        upgradeFirmware();
}

void KbdSettingComponentVorlo::openPadCalibration()
{
    if (! checkKeyboardCanBeSet())
        return;

    PadCalibrationDialog dialog (&manager, dialogs);
    dialog.runModalLoop();
}

void KbdSettingComponentVorlo::upgradeFirmware()
{
    // The non-existent file makes the runner ask the user for one.
    UpdaterRunner::runFirmwareUpdate (&manager, juce::File(), dialogs);
}

void KbdSettingComponentVorlo::restoreDefaultValues()
{
    manager.getCache().applyDefaultValues();

    showGlobals();
    if (selectedControl >= 0)
        showSelectedControl();
}

void KbdSettingComponentVorlo::loadSettings()
{
    const auto file =
        dialogs.chooseFileToOpen ("Please select the settings file you want to load...", documentsFolder(), SettingsFile::filePattern);
    if (! file)
        return;

    const auto result = SettingsFile::load (manager.getCache(), *file);
    if (result.failed())
    {
        showFileProblem ("The settings file " + file->getFullPathName().quoted() + " was not loaded", result,
                         "Nothing in the editor was changed.");
        return;
    }

    // Where the file replaced every edit, the editor's copy is what the file
    // holds: nothing to ask about on quitting.
    manager.getCache().markKeptUnlessEditsRemain();

    showGlobals();
    if (selectedControl >= 0)
        showSelectedControl();
    widgets.notice->show ("Loaded " + file->getFileName(), *widgets.loadButton);
}

bool KbdSettingComponentVorlo::confirmQuit()
{
    if (! manager.getCache().hasUnkeptEdits())
        return true;

    const DialogsOpen open (*this);
    const int memory = widgets.memoryCombo->getSelectedItemIndex() + 1;
    // Cancel first: closing the box or pressing Return loses nothing.
    enum Choice
    {
        cancel,
        save,
        send,
        discard
    };
    const juce::StringArray buttons { "Cancel", "Save...", "Send to Memory " + juce::String (memory), "Discard Changes" };

    switch (dialogs.askChoice (juce::MessageBoxIconType::QuestionIcon, "Unsaved Changes",
                               "The editor holds changes that were neither sent to the keyboard nor saved to a file. "
                               "Save them, send them into memory "
                                   + juce::String (memory) + ", or close without them?",
                               buttons))
    {
        case save: return saveSettingsAs();
        case send: sendToKeyboard(); return ! manager.getCache().hasUnkeptEdits(); // only a complete send keeps them
        case discard: return true;
        default: return false;
    }
}

bool KbdSettingComponentVorlo::saveSettingsAs()
{
    const auto file = dialogs.chooseFileToWrite ("Please select the settings file where to save...", documentsFolder(),
                                                 SettingsFile::filePattern, SettingsFile::fileExtension);
    if (! file)
        return false;

    const auto result = SettingsFile::save (manager.getCache(), *file);
    if (result.failed())
    {
        showFileProblem ("The settings were not saved to " + file->getFullPathName().quoted(), result,
                         "Any file that was there is unchanged.");
        return false;
    }

    manager.getCache().markKept();
    widgets.notice->show ("Saved as " + file->getFileName(), *widgets.saveButton);
    return true;
}

void KbdSettingComponentVorlo::exportChartAs()
{
    const auto file =
        dialogs.chooseFileToWrite ("Please select the chart file...", documentsFolder(), MidiChart::filePattern, MidiChart::fileExtension);
    if (! file)
        return;

    const auto result = MidiChart::save (manager.getCache(), *file);
    if (result.failed())
        showFileProblem ("The MIDI chart was not written to " + file->getFullPathName().quoted(), result,
                         "Any file that was there is unchanged.");
    else
        widgets.notice->show ("Chart written to " + file->getFileName(), *widgets.chartButton);
}

void KbdSettingComponentVorlo::showFileProblem (const juce::String& whatFailed, const juce::Result& result, const juce::String& consequence)
{
    dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, fileProblemTitle,
                         whatFailed + ": " + result.getErrorMessage() + ". " + consequence);
}

bool KbdSettingComponentVorlo::checkKeyboardCanBeSet()
{
    if (manager.isKeyboardUnplugged())
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, keyboardProblemTitle, keyboardDisconnectedText);
        return false;
    }

    if (! manager.isKeyboardDetected())
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, keyboardProblemTitle, keyboardCannotBeSetText);
        return false;
    }

    if (! manager.isVorloDetected())
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, keyboardProblemTitle, notVorloText (manager.getDeviceCode()));
        return false;
    }

    return true;
}

void KbdSettingComponentVorlo::sendToKeyboard()
{
    if (! checkKeyboardCanBeSet())
        return;

    const int memory = widgets.memoryCombo->getSelectedItemIndex() + 1;
    juce::MouseCursor::showWaitCursor();
    const auto report = manager.sendAllToKeyboard (memory);
    juce::MouseCursor::hideWaitCursor();

    reportSend (report, memory);
}

void KbdSettingComponentVorlo::reportSend (const OrvaneManager49::SendAllReport& report, int memory)
{
    const auto memoryText = "memory " + juce::String (memory);

    if (report.refusedModel)
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, keyboardProblemTitle, notVorloText (manager.getDeviceCode()));
        return;
    }

    const auto problem = report.describeProblem (memory);
    if (problem.isEmpty())
        widgets.notice->show ("Stored in " + memoryText, *widgets.sendButton);
    else
        dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, keyboardProblemTitle, problem);
}

//==============================================================================
void KbdSettingComponentVorlo::keyboardEvent (int event, int a, int, int)
{
    // Reading the keyboard back would overwrite edits not yet kept. One
    // question answers every detection made before it comes up.
    if (event == eventDetected && manager.isVorloDetected() && manager.getCache().hasUnkeptEdits())
    {
        readBack.stop();
        if (! readBackQuestionQueued.exchange (true))
            juce::MessageManager::callAsync (
                [panel = juce::Component::SafePointer<KbdSettingComponentVorlo> (this)]
                {
                    if (panel != nullptr)
                        panel->askBeforeReadingBack();
                });
        return;
    }

    // Only the editor's first search tells the user that no keyboard was
    // found. Those that follow (new ports, the keyboard's restart after a
    // firmware transfer) end quietly: the firmware-revision box says what
    // is there, and the editor keeps watching.
    const bool searchedBefore = (event == eventDetected || event == eventDetectionEnded) && firstSearchOver.exchange (true);
    if (event == eventDetectionEnded && (searchedBefore || follower.isSearchingAgain()))
    {
        manager.setDetectionFinished (true);
        return;
    }

    if (readBack.handle (event, a) == ReadBackChain::Outcome::refreshGlobals)
        triggerAsyncUpdate();
}

void KbdSettingComponentVorlo::askBeforeReadingBack()
{
    readBackQuestionQueued = false;

    // The keyboard may have gone again while the question waited.
    if (! manager.isVorloDetected() || manager.isKeyboardUnplugged())
        return;

    showKeyboardState();
    // The edits may have been sent or saved meanwhile: then there is nothing
    // to ask, and the keyboard is read as after any detection.
    const bool editsRemain = manager.getCache().hasUnkeptEdits();
    const DialogsOpen open (*this);
    const int choice = editsRemain ? dialogs.askChoice (juce::MessageBoxIconType::QuestionIcon, keyboardConnectedTitle, readOverEditsText,
                                                        readOverEditsButtons)
                                   : readTheKeyboard;
    if (choice == readTheKeyboard && ! readBack.isReadingBack())
    {
        // Detection may have closed the inputs while the question was open.
        manager.openInputs();
        readBack.start();
        if (selectedControl >= 0)
            showSelectedControl();
    }

    showGlobals();
}

void KbdSettingComponentVorlo::keyboardStateChanged (KeyboardFollower::State) { showKeyboardState(); }

void KbdSettingComponentVorlo::keyboardPolled()
{
    if (! readBack.abandonIfStalled())
        return;

    showGlobals();
    if (selectedControl >= 0)
        showSelectedControl();
    const DialogsOpen open (*this);
    dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, keyboardProblemTitle, readBackStalledText);
}

void KbdSettingComponentVorlo::handleAsyncUpdate()
{
    if (manager.isKeyboardDetected())
    {
        showGlobals();
        // A read-back over values the control showed before, as after the
        // keyboard came back, must not leave them on show.
        if (selectedControl >= 0)
            showSelectedControl();
    }
    else if (dialogsOpen > 0)
        // Not over another of the editor's dialogs, where a click meant for
        // it would hit this one: once they are closed, if still true.
        notFoundAlertDeferred = true;
    else
    {
        const DialogsOpen open (*this);
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, keyboardProblemTitle, keyboardNotDetectedText);
    }
}

KbdSettingComponentVorlo::DialogsOpen::DialogsOpen (KbdSettingComponentVorlo& p) : panel (p) { ++panel.dialogsOpen; }

KbdSettingComponentVorlo::DialogsOpen::~DialogsOpen()
{
    if (--panel.dialogsOpen == 0 && std::exchange (panel.notFoundAlertDeferred, false))
        panel.triggerAsyncUpdate();
}
