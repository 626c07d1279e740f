#include "panel/KeyboardWatch.h"

#include "panel/KeyboardProblem.h"

namespace
{
// Nothing is to be pressed to try again: the editor goes on looking by itself.
const juce::String keyboardNotDetectedText = "The keyboard has not been detected. Please correct the problem and try again.\n\n"
                                             "The editor keeps watching the MIDI ports and finds the keyboard by itself as soon "
                                             "as it is plugged in. To try the editor without the keyboard, start the demo, "
                                             "vorlo-control-center-demo: it plays a simulated keyboard.";
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
} // namespace

KeyboardWatch::KeyboardWatch (juce::Component& ownerToWatchFor, PanelWidgets& widgetsToUse, OrvaneManager49& managerToUse,
                              KeyboardFollower& followerToUse, Dialogs& dialogsToUse, OpenDialogs& openDialogsToCount,
                              std::function<void()> showEditorsCopyToCall)
    : owner (ownerToWatchFor),
      widgets (widgetsToUse),
      manager (managerToUse),
      follower (followerToUse),
      dialogs (dialogsToUse),
      openDialogs (openDialogsToCount),
      showEditorsCopy (std::move (showEditorsCopyToCall))
{
    openDialogs.onAlertDue = [this] { triggerAsyncUpdate(); };
    follower.setListener (this);
}

void KeyboardWatch::keyboardEvent (int event, int a)
{
    // Reading the keyboard back would overwrite edits not yet kept. One
    // question answers every detection made before it comes up.
    if (event == eventDetected && manager.isVorloDetected() && manager.getCache().hasUnkeptEdits())
    {
        readBack.stop();
        if (! readBackQuestionQueued.exchange (true))
            juce::MessageManager::callAsync (
                [panel = juce::Component::SafePointer<juce::Component> (&owner), this]
                {
                    if (panel != nullptr)
                        askBeforeReadingBack();
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

void KeyboardWatch::askBeforeReadingBack()
{
    readBackQuestionQueued = false;

    // The keyboard may have gone again while the question waited.
    if (! manager.isVorloDetected() || manager.isKeyboardUnplugged())
        return;

    showKeyboardState();
    // The edits may have been sent or saved meanwhile: then there is nothing
    // to ask, and the keyboard is read as after any detection.
    const bool editsRemain = manager.getCache().hasUnkeptEdits();
    const OpenDialogs::Scope open (openDialogs);
    const int choice = editsRemain ? dialogs.askChoice (juce::MessageBoxIconType::QuestionIcon, keyboardConnectedTitle, readOverEditsText,
                                                        readOverEditsButtons)
                                   : readTheKeyboard;
    if (choice == readTheKeyboard && ! readBack.isReadingBack())
    {
        // Detection may have closed the inputs while the question was open.
        manager.openInputs();
        readBack.start();
    }

    showEditorsCopy();
}

void KeyboardWatch::keyboardStateChanged (KeyboardFollower::State) { showKeyboardState(); }

void KeyboardWatch::keyboardPolled()
{
    if (! readBack.abandonIfStalled())
        return;

    showEditorsCopy();
    const OpenDialogs::Scope open (openDialogs);
    dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, KeyboardProblem::title, readBackStalledText);
}

void KeyboardWatch::handleAsyncUpdate()
{
    if (manager.isKeyboardDetected())
        // A read-back over values the control showed before, as after the
        // keyboard came back, must not leave them on show.
        showEditorsCopy();
    else if (openDialogs.anyOpen())
        // Not over another of the editor's dialogs: once they are closed, if still true.
        openDialogs.deferAlert();
    else
    {
        const OpenDialogs::Scope open (openDialogs);
        dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, KeyboardProblem::title, keyboardNotDetectedText);
    }
}

void KeyboardWatch::showKeyboardState()
{
    auto& box = *widgets.firmwareRevisionBox;

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
        box.setTooltip (vorlo ? juce::String() : KeyboardProblem::notVorloText (code));
    }
}
