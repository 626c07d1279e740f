#pragma once

#include "link/OrvaneManager49.h"
#include "panel/EditHistory.h"
#include "panel/OpenDialogs.h"
#include "panel/PanelWidgets.h"
#include "ui/Dialogs.h"

#include <functional>

// What the panel's command buttons do: "Send to Keyboard", "Default Values",
// "Load...", "Save...", "Chart...", "Pads..." and "Upgrade firmware...", each
// with its dialogs and what it tells the user; and the question before the
// editor closes over edits neither sent nor saved.
class CommandButtons
{
public:
    // "Default Values" and a Load are steps of the history. showEditorsCopy
    // puts what the editor holds back into every box, and its changes on
    // show, after a command replaced or kept it.
    CommandButtons (PanelWidgets& widgets, OrvaneManager49& manager, EditHistory& history, Dialogs& dialogs, OpenDialogs& openDialogs,
                    std::function<void()> showEditorsCopy);

    // Runs the command of a button; nothing for a button without one.
    void run (const juce::Button* button);

    // "Pads...": runs the pad calibration dialog, or says why it cannot.
    void openPadCalibration();
    // "Save...": asks for a file and saves the settings into it. True when
    // the file was written; a failure is shown to the user.
    bool saveSettingsAs();
    // Before the editor closes: true when nothing would be lost, asking
    // first whether to save, send or drop edits neither sent nor saved.
    bool confirmQuit();

private:
    // "Default Values": the default assignment and globals, in the editor only.
    void restoreDefaultValues();
    // "Send to Keyboard": everything, stored into the memory chosen.
    void sendToKeyboard();
    void reportSend (const SendAllReport& report, int memory);
    // "Load...": asks for a settings file and shows what it set.
    void loadSettings();
    // "Chart...": asks for a file and writes the MIDI chart into it.
    void exportChartAs();
    // "Upgrade firmware...": the whole update, file choice included.
    void upgradeFirmware();

    // Tells the user what failed on which file, why, and what that means.
    void showFileProblem (const juce::String& whatFailed, const juce::Result& result, const juce::String& consequence);
    // True when a keyboard is there that the editor may set; otherwise tells
    // the user why not.
    bool checkKeyboardCanBeSet();
    int chosenMemory() const;

    PanelWidgets& widgets;
    OrvaneManager49& manager;
    EditHistory& history;
    Dialogs& dialogs;
    OpenDialogs& openDialogs;
    std::function<void()> showEditorsCopy;
};
