#include "firmware/UpdaterRunner.h"

#include "firmware/SolvikFWUpdater.h"

UpdaterRunner::Outcome UpdaterRunner::runFirmwareUpdate (OrvaneManager49* manager, const juce::File& file, Dialogs& dialogs)
{
    jassert (manager != nullptr);

    // A Vorlo image would leave another model unable to start. A keyboard
    // already in its boot loader is not detected at all, and may go ahead.
    if (manager->isKeyboardDetected() && ! manager->isVorloDetected())
    {
        dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, errorTitle,
                             describeOtherModel (manager->getDeviceCode()) + " " + otherModelText);
        return Outcome::otherModel;
    }

    const bool wasProbing = manager->isProbing();

    Outcome outcome;
    {
        UpdaterRunner runner (manager, dialogs);
        outcome = runner.runFlow (file);
    }

    // The transfer took the manager's ports, and the keyboard comes back
    // from its boot loader as a new device: look for it again. Detaching
    // also closed the inputs that a search under way listened on.
    const bool attached = outcome == Outcome::canceled || outcome == Outcome::failed || outcome == Outcome::succeeded;
    if (attached || wasProbing)
        manager->restartDetection();

    return outcome;
}

UpdaterRunner::UpdaterRunner (OrvaneManager49* managerToUse, Dialogs& dialogsToUse) : manager (managerToUse), dialogs (dialogsToUse) {}

UpdaterRunner::~UpdaterRunner() { manager->attachFirmwareCallback (nullptr, bootLoaderPortName); }

UpdaterRunner::Outcome UpdaterRunner::runFlow (const juce::File& file)
{
    const auto chosen = chooseFile (file);
    if (! chosen)
        return Outcome::abandoned;

    // The whole image is read and checked before the user puts the keyboard
    // into boot-loader mode, and sent from memory: a bad file is refused
    // while the keyboard still works, and a file that goes away meanwhile
    // cannot stop the transfer half-way.
    firmwareFile = *chosen;
    image = FirmwareImage::load (firmwareFile);
    if (! image.isUsable())
    {
        dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, errorTitle, image.describeProblem());
        return Outcome::fileRefused;
    }

    if (! dialogs.askOkCancel (juce::MessageBoxIconType::WarningIcon, upgradeModeTitle, upgradeModeText))
        return Outcome::abandoned;

    if (! manager->attachFirmwareCallback (this, bootLoaderPortName))
    {
        dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, errorTitle, notFoundText);
        return Outcome::bootLoaderNotFound;
    }

    const bool ended = dialogs.runWithProgress (progressTitle, cancelButtonText, stopTimeoutMs, *this);
    const auto outcome = ! ended ? Outcome::canceled : (burnSucceeded ? Outcome::succeeded : Outcome::failed);
    showResult (outcome);
    return outcome;
}

std::optional<juce::File> UpdaterRunner::chooseFile (const juce::File& given)
{
    if (! given.getFullPathName().equalsIgnoreCase (juce::File().getFullPathName()))
        return given;

    return dialogs.chooseFileToOpen (fileChooserTitle, juce::File::getSpecialLocation (juce::File::userHomeDirectory), firmwareFilePattern);
}

// The keyboard restarts from its boot loader meanwhile: the search for it
// begins once the user has read the result.
void UpdaterRunner::showResult (Outcome outcome)
{
    if (outcome == Outcome::succeeded)
    {
        dialogs.showMessageAndWait (juce::MessageBoxIconType::InfoIcon, resultTitle, succeededText);
        return;
    }

    juce::String text = outcome == Outcome::canceled ? canceledText : failedText;

    // Once a block went out the boot loader holds part of the new image.
    if (progress > 0.0)
        text << "\n\n" << incompleteText;

    dialogs.showMessageAndWait (juce::MessageBoxIconType::WarningIcon, errorTitle, text);
}

//==============================================================================
void UpdaterRunner::run()
{
    burnSucceeded = false;
    progress = 0.0;

    auto solvik = std::make_unique<SolvikFWUpdater> (manager->getClock());
    solvik->setHelper (this);
    {
        const juce::ScopedLock lock (updaterLock);
        updater = solvik.get();
    }

    if (solvik->setFirmwareImage (image))
        burnSucceeded = solvik->burn();
    solvik->close();

    {
        // Waits for a message being forwarded to the updater.
        const juce::ScopedLock lock (updaterLock);
        updater = nullptr;
    }
}

void UpdaterRunner::handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage& message)
{
    const juce::ScopedLock lock (updaterLock);
    if (updater != nullptr)
        updater->handleMidiMessage (message);
}

void UpdaterRunner::sendMidiMessage (const juce::MidiMessage& message) { manager->sendMessage (message); }

void UpdaterRunner::setProgress (double value) { progress = value; }
