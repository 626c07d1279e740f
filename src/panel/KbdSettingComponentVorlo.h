#pragma once

#include "link/KeyboardFollower.h"
#include "link/OrvaneManager49.h"
#include "panel/ChangeMarks.h"
#include "panel/CommandButtons.h"
#include "panel/EditHistory.h"
#include "panel/GlobalsColumn.h"
#include "panel/KeyboardWatch.h"
#include "panel/OpenDialogs.h"
#include "panel/PanelWidgets.h"
#include "panel/SelectedControlEditor.h"
#include "panel/TouchFinder.h"
#include "ui/Dialogs.h"

// The editor's working surface: the keyboard's global parameters at the left,
// the assignment of the selected control in the middle, the commands at the
// right, and the picture of the keyboard below. It owns the keyboard manager,
// starts the search for the keyboard, reads the keyboard's settings once it is
// found, and edits the manager's cache. Editing never sends anything.
//
// It puts together the parts that do the work: the widgets, the selected
// control's editor, the globals column, the edit history, the change marks,
// the command buttons, the keyboard watch and touch to find.
class KbdSettingComponentVorlo : public juce::Component,
                                 public juce::ActionListener,
                                 public OrvaneManagerListener,
                                 public juce::ComboBox::Listener,
                                 public juce::Button::Listener
{
public:
    // Where the panel reaches the world: the MIDI ports, the user's dialogs
    // and the clock. The real editor uses the system's.
    struct Services
    {
        MidiPorts& ports;
        Dialogs& dialogs;
        Clock& clock;
    };

    static Services systemServices();

    // When the search for the keyboard starts: with the panel, or when
    // startKeyboardSearch is called. The window starts it once its first
    // frame is on screen, so that the search does not delay it.
    enum class Search
    {
        startNow,
        startLater
    };

    explicit KbdSettingComponentVorlo (Services services = systemServices(), Search search = Search::startNow);
    ~KbdSettingComponentVorlo() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    // A control picked on the picture: its identifier in hexadecimal.
    void actionListenerCallback (const juce::String& message) override;
    void comboBoxChanged (juce::ComboBox* comboBox) override;
    void buttonClicked (juce::Button* button) override;

    // Starts looking for the keyboard and following it; once only.
    void startKeyboardSearch();

    // The manager's events, on the thread that raised them.
    void keyboardEvent (int event, int a, int b, int third) override;

    // Ctrl+Z undoes the last edit, Ctrl+Shift+Z and Ctrl+Y redo it (Cmd on
    // macOS), wherever the focus is inside the panel.
    bool keyPressed (const juce::KeyPress& key) override;
    bool undo();
    bool redo();

    // While on, moving a control on the keyboard selects it: the window
    // turns it on while it is the active one.
    void setListeningForTouches (bool listen);

    // Puts the selected control's cached assignment into its widgets.
    void showSelectedControl();
    // Puts the global parameters and the firmware revision into their widgets.
    void showGlobals();
    // "Pads...": runs the pad calibration dialog, or says why it cannot.
    void openPadCalibration();
    // "Save...": asks for a file and saves the settings into it. True when
    // the file was written; a failure is shown to the user.
    bool saveSettingsAs();
    // Before the editor closes: true when nothing would be lost, asking
    // first whether to save, send or drop edits neither sent nor saved.
    bool confirmQuit();

    // Enables the mode items the control allows.
    void enableModesFor (int id);
    // Shows the one option box that fits the mode and hides the others.
    void showOptionComboFor (int mode, bool isKnob);

    static constexpr int panelWidth = 816;
    static constexpr int panelHeight = 545;

    using Widgets = PanelWidgets;

    const Widgets& getWidgets() const noexcept { return widgets; }
    OrvaneManager49& getManager() noexcept { return manager; }
    KeyboardFollower& getFollower() noexcept { return follower; }
    int getSelectedControl() const noexcept { return controlEditor.getSelected(); }
    bool isReadingBack() const noexcept { return watch.isReadingBack(); }

private:
    // Shows the globals, the keyboard's state, the selected control and the changes.
    void showEditorsCopy();

    Dialogs& dialogs;
    OrvaneManager49 manager;
    KeyboardFollower follower;
    OpenDialogs openDialogs;
    EditHistory history { manager.getCache() };

    Widgets widgets;
    SelectedControlEditor controlEditor { widgets, manager.getCache() };
    GlobalsColumn globals { widgets, manager.getCache() };
    ChangeMarks changeMarks { widgets, manager.getCache() };
    CommandButtons commands { widgets, manager, history, dialogs, openDialogs, [this] { showEditorsCopy(); } };
    KeyboardWatch watch { *this, widgets, manager, follower, dialogs, openDialogs, [this] { showEditorsCopy(); } };
    TouchFinder touchFinder { manager, widgets, controlEditor };
    bool searchStarted = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KbdSettingComponentVorlo)
};
