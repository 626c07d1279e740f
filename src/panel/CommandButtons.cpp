#include "panel/CommandButtons.h"

#include "calibration/PadCalibrationDialog.h"
#include "documents/MidiChart.h"
#include "documents/SettingsFile.h"
#include "firmware/UpdaterRunner.h"
#include "panel/KeyboardProblem.h"

namespace
{
const juce::String keyboardCannotBeSetText = "The keyboard has not been detected yet, so it can't be set.";
const juce::String keyboardDisconnectedText =
    "The keyboard has been disconnected, so it can't be set. Plug it back in: the editor finds it again by itself.";
const juce::String fileProblemTitle = "File Problem";

// Where the file choosers start: the user's documents, or home where there
// is no such folder (the chooser would otherwise offer "Documents" as the name).
juce::File documentsFolder()
{
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
    return documents.isDirectory() ? documents : juce::File::getSpecialLocation (juce::File::userHomeDirectory);
}
} // namespace

CommandButtons::CommandButtons (PanelWidgets& widgetsToUse, OrvaneManager49& managerToUse, EditHistory& historyToRecordIn,
                                Dialogs& dialogsToUse, OpenDialogs& openDialogsToCount, std::function<void()> showEditorsCopyToCall)
    : widgets (widgetsToUse),
      manager (managerToUse),
      history (historyToRecordIn),
      dialogs (dialogsToUse),
      openDialogs (openDialogsToCount),
      showEditorsCopy (std::move (showEditorsCopyToCall))
{
}

void CommandButtons::run (const juce::Button* button)
{
    const OpenDialogs::Scope open (openDialogs);

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

int CommandButtons::chosenMemory() const { return widgets.memoryCombo->getSelectedItemIndex() + 1; }

void CommandButtons::openPadCalibration()
{
    if (! checkKeyboardCanBeSet())
        return;

    PadCalibrationDialog dialog (&manager, dialogs);
    dialog.runModalLoop();
}

void CommandButtons::upgradeFirmware()
{
    // The non-existent file makes the runner ask the user for one.
    UpdaterRunner::runFirmwareUpdate (&manager, juce::File(), dialogs);
}

void CommandButtons::restoreDefaultValues()
{
    history.perform ("Default Values",
                     [this]
                     {
                         manager.getCache().applyDefaultValues();
                         return true;
                     });
    showEditorsCopy();
}

void CommandButtons::loadSettings()
{
    const auto file =
        dialogs.chooseFileToOpen ("Please select the settings file you want to load...", documentsFolder(), SettingsFile::filePattern);
    if (! file)
        return;

    auto result = juce::Result::ok();
    history.perform ("Load " + file->getFileName(),
                     [&]
                     {
                         result = SettingsFile::load (manager.getCache(), *file);
                         return result.wasOk();
                     });
    if (result.failed())
    {
        showFileProblem ("The settings file " + file->getFullPathName().quoted() + " was not loaded", result,
                         "Nothing in the editor was changed.");
        return;
    }

    showEditorsCopy();
    widgets.notice->show ("Loaded " + file->getFileName(), *widgets.loadButton);
}

bool CommandButtons::confirmQuit()
{
    if (! manager.getCache().hasUnkeptEdits())
        return true;

    const OpenDialogs::Scope open (openDialogs);
    const int memory = chosenMemory();
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

bool CommandButtons::saveSettingsAs()
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
    showEditorsCopy();
    widgets.notice->show ("Saved as " + file->getFileName(), *widgets.saveButton);
    return true;
}

void CommandButtons::exportChartAs()
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

void CommandButtons::showFileProblem (const juce::String& whatFailed, const juce::Result& result, const juce::String& consequence)
{
    dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, fileProblemTitle,
                         whatFailed + ": " + result.getErrorMessage() + ". " + consequence);
}

bool CommandButtons::checkKeyboardCanBeSet()
{
    if (manager.isKeyboardUnplugged())
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, KeyboardProblem::title, keyboardDisconnectedText);
        return false;
    }

    if (! manager.isKeyboardDetected())
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, KeyboardProblem::title, keyboardCannotBeSetText);
        return false;
    }

    if (! manager.isVorloDetected())
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, KeyboardProblem::title,
                             KeyboardProblem::notVorloText (manager.getDeviceCode()));
        return false;
    }

    return true;
}

void CommandButtons::sendToKeyboard()
{
    if (! checkKeyboardCanBeSet())
        return;

    const int memory = chosenMemory();
    juce::MouseCursor::showWaitCursor();
    const auto report = manager.sendAllToKeyboard (memory);
    juce::MouseCursor::hideWaitCursor();
    showEditorsCopy();

    reportSend (report, memory);
}

void CommandButtons::reportSend (const SendAllReport& report, int memory)
{
    if (report.refusedModel)
    {
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, KeyboardProblem::title,
                             KeyboardProblem::notVorloText (manager.getDeviceCode()));
        return;
    }

    const auto problem = report.describeProblem (memory);
    if (problem.isEmpty())
        widgets.notice->show ("Stored in memory " + juce::String (memory), *widgets.sendButton);
    else
        dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, KeyboardProblem::title, problem);
}
