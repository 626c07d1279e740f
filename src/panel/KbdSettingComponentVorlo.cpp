#include "panel/KbdSettingComponentVorlo.h"

KbdSettingComponentVorlo::Services KbdSettingComponentVorlo::systemServices()
{
    return { SystemMidiPorts::instance(), Dialogs::system(), Clock::system() };
}

KbdSettingComponentVorlo::KbdSettingComponentVorlo (Services services, Search search)
    : dialogs (services.dialogs),
      manager (services.ports, services.clock),
      follower (manager, services.ports),
      widgets (PanelWidgets::create (*this, *this, *this))
{
    setSize (panelWidth, panelHeight);

    widgets.knobModeLabel->setVisible (false);
    widgets.knobModeCombo->setVisible (false);

    widgets.memoryCombo->setSelectedItemIndex (0, juce::sendNotification);

    widgets.picker->addActionListener (this);
    manager.addListener (this);

    if (search == Search::startNow)
        startKeyboardSearch();
}

void KbdSettingComponentVorlo::startKeyboardSearch()
{
    if (std::exchange (searchStarted, true))
        return;

    OrvaneManager49::setMidiInputsAllowed (true);
    manager.startDetection();

    // With no MIDI output at all there is nothing to probe and the search
    // ends before it began: say so, as when it ends without an answer.
    if (! manager.isProbing() && ! manager.isKeyboardDetected())
        keyboardEvent (eventDetectionEnded, 0, 0, 0);

    follower.startFollowing();
}

KbdSettingComponentVorlo::~KbdSettingComponentVorlo()
{
    // No MIDI callback may reach the panel while its children go.
    manager.stopListening();
    widgets.picker->removeActionListener (this);
}

void KbdSettingComponentVorlo::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffcfcfc), 328.0f, 8.0f, juce::Colour (0xffababab), 344.0f, 544.0f, false));
    g.fillRect (0, 0, panelWidth, panelHeight);
}

// Laid out for the window's one size.
void KbdSettingComponentVorlo::resized() { widgets.layOut(); }

void KbdSettingComponentVorlo::actionListenerCallback (const juce::String& message) { controlEditor.select (message.getHexValue32()); }

void KbdSettingComponentVorlo::comboBoxChanged (juce::ComboBox* comboBox)
{
    const int index = comboBox->getSelectedItemIndex();
    if (index < 0)
        return;

    // Only the user's own choice changes a value, each one a step to undo;
    // the memory box is read when sending.
    if (history.perform ("Change " + comboBox->getName(),
                         [&] { return globals.edit (comboBox, index) || controlEditor.edit (comboBox, index); }))
        changeMarks.refresh();
}

bool KbdSettingComponentVorlo::keyPressed (const juce::KeyPress& key)
{
    const auto command = juce::ModifierKeys::commandModifier;
    const bool undoKey = key == juce::KeyPress ('z', command, 0);
    const bool redoKey = key == juce::KeyPress ('z', command | juce::ModifierKeys::shiftModifier, 0) || key == juce::KeyPress ('y', command, 0);
    if (undoKey)
        undo();
    else if (redoKey)
        redo();
    // Taken even with nothing to undo: the key means nothing else here.
    return undoKey || redoKey;
}

bool KbdSettingComponentVorlo::undo()
{
    // A read-back under way is filling the copy: no step may put back an older one.
    if (watch.isReadingBack() || ! history.undo())
        return false;
    showEditorsCopy();
    return true;
}

bool KbdSettingComponentVorlo::redo()
{
    if (watch.isReadingBack() || ! history.redo())
        return false;
    showEditorsCopy();
    return true;
}

void KbdSettingComponentVorlo::setListeningForTouches (bool listen) { touchFinder.setListening (listen); }

void KbdSettingComponentVorlo::buttonClicked (juce::Button* button) { commands.run (button); }

void KbdSettingComponentVorlo::keyboardEvent (int event, int a, int, int)
{
    if (event == eventControlTouched)
        touchFinder.touched (a);
    else
        watch.keyboardEvent (event, a);
}

void KbdSettingComponentVorlo::showSelectedControl() { controlEditor.show(); }

void KbdSettingComponentVorlo::showGlobals()
{
    globals.show();
    watch.showKeyboardState();
}

void KbdSettingComponentVorlo::showEditorsCopy()
{
    showGlobals();
    showSelectedControl();
    changeMarks.refresh();
}

void KbdSettingComponentVorlo::openPadCalibration() { commands.openPadCalibration(); }
bool KbdSettingComponentVorlo::saveSettingsAs() { return commands.saveSettingsAs(); }
bool KbdSettingComponentVorlo::confirmQuit() { return commands.confirmQuit(); }
void KbdSettingComponentVorlo::enableModesFor (int id) { controlEditor.enableModesFor (id); }
void KbdSettingComponentVorlo::showOptionComboFor (int mode, bool isKnob) { controlEditor.showOptionComboFor (mode, isKnob); }
