#pragma once

#include "firmware/IFWUpdater.h"
#include "link/OrvaneManager49.h"
#include "ui/Dialogs.h"

// Leads the user through a firmware upgrade: the firmware file, checked
// before anything else; the request to restart the keyboard in boot-loader
// mode; the manager pointed at the boot loader's ports; the transfer on a
// worker thread behind a progress window; the result. Afterwards the editor
// looks for the keyboard again.
//
// It is the updater's helper (its sends go out through the manager) and the
// callback through which the boot loader's answers reach the updater, on the
// MIDI input thread; updaterLock keeps that forwarding apart from the
// updater's creation and destruction on the worker thread.
class UpdaterRunner : public MidiInputPortCallback, public IFWHelper, public ProgressTask
{
public:
    // How a run of the whole flow ended.
    enum class Outcome
    {
        abandoned,          // the user cancelled the file chooser or the question: nothing sent
        otherModel,         // the keyboard detected is not a Vorlo: nothing asked, nothing sent
        fileRefused,        // the file is missing, unreadable, empty or too large: nothing sent
        bootLoaderNotFound, // no port of the boot loader's name, or it would not open
        canceled,           // the user cancelled the transfer
        failed,             // the transfer ended without the boot loader's confirmation
        succeeded
    };

    static constexpr const char* bootLoaderPortName = "Velmora VORLO";
    static constexpr const char* fileChooserTitle = "Please select the firmware file to burn...";
    static constexpr const char* firmwareFilePattern = "VORLO*.bin";
    static constexpr const char* upgradeModeTitle = "Enter Firmware Upgrade Mode";
    static constexpr const char* upgradeModeText = "Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD "
                                                   "SHIFT KEY.\nClick 'OK' when ready, or 'Cancel' to abort firmware update.";
    static constexpr const char* errorTitle = "Firmware Update Error";
    static constexpr const char* resultTitle = "Firmware Update Result";
    // After the model's name.
    static constexpr const char* otherModelText =
        "Its firmware is not the Vorlo's, so this editor does not upgrade it, and the keyboard is left as it is.";
    static constexpr const char* notFoundText = "Can't find the keyboard. Make sure it's connected and retry.";
    static constexpr const char* canceledText = "The burn process has been canceled";
    static constexpr const char* failedText = "The burn process completed, but there was an error";
    static constexpr const char* succeededText = "The burn process completed without error";
    static constexpr const char* incompleteText = "The firmware on the keyboard is now incomplete: please run the firmware update again.";
    static constexpr const char* progressTitle = "Upgrading firmware, please wait...";
    static constexpr const char* cancelButtonText = "Cancel";
    static constexpr int stopTimeoutMs = 10000;

    // The whole upgrade, on the message thread. With the non-existent file
    // (an empty path) the user is asked for one.
    static Outcome runFirmwareUpdate (OrvaneManager49* manager, const juce::File& file, Dialogs& dialogs = Dialogs::system());

    UpdaterRunner (OrvaneManager49* manager, Dialogs& dialogs);
    // Detaches from the manager.
    ~UpdaterRunner() override;

    // The transfer, on the worker thread.
    void run() override;
    double getProgress() const override { return progress; }

    void handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage& message) override;
    void sendMidiMessage (const juce::MidiMessage& message) override;
    void setProgress (double value) override;

private:
    Outcome runFlow (const juce::File& file);
    std::optional<juce::File> chooseFile (const juce::File& given);
    void showResult (Outcome outcome);

    OrvaneManager49* manager;
    Dialogs& dialogs;
    FirmwareImage image;
    juce::File firmwareFile;

    juce::CriticalSection updaterLock;
    IFWUpdater* updater = nullptr;

    // Written by the worker, read by the message thread after the worker
    // ended, or while it runs for the progress bar.
    std::atomic<bool> burnSucceeded { false };
    std::atomic<double> progress { 0.0 };

    JUCE_DECLARE_NON_COPYABLE (UpdaterRunner)
};
