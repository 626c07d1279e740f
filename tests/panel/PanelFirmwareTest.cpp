#include "firmware/UpdaterRunner.h"
#include "sim/SimulatedBootLoader.h"
#include "support/IdleSkippingClock.h"
#include "support/PanelRig.h"

#include <gmock/gmock.h>

class PanelFirmware : public PanelRig
{
protected:
    SimulatedKeyboard keyboard { ports };
    SimulatedBootLoader bootLoader { ports };
};

TEST_F (PanelFirmware, UpgradeFirmwareAsksForTheFileAndItsCancelSendsNothing)
{
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    tick();

    widgets().firmwareButton->triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.getShown().size(), 1u);
    EXPECT_EQ (dialogs.getShown()[0].title, UpdaterRunner::fileChooserTitle);
    EXPECT_TRUE (bootLoader.getReceivedMessages().empty());
}

TEST_F (PanelFirmware, AnEmptyFirmwareFileIsRefusedAndTheKeyboardCanStillBeSet)
{
    const juce::TemporaryFile empty ("VORLO_empty.bin");
    ASSERT_TRUE (empty.getFile().create());
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    tick();

    dialogs.answerFile (empty.getFile());
    widgets().firmwareButton->triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.getShown().size(), 2u);
    EXPECT_EQ (dialogs.getShown()[1].title, UpdaterRunner::errorTitle);
    EXPECT_TRUE (manager().isKeyboardDetected());
    EXPECT_TRUE (manager().sendAllToKeyboard (1).stored);
}

// After a transfer the keyboard restarts, maybe only after the search that
// follows the transfer has given up: it is found again as it comes back,
// and no alert says it was not found.
TEST_F (PanelFirmware, AfterATransferTheKeyboardIsFoundAgainAsItComesBackWithoutAnAlert)
{
    const juce::TemporaryFile firmware ("VORLO_1.0.4.bin");
    std::vector<juce::uint8> bytes (3 * SimulatedBootLoader::blockSize, 0x5A);
    ASSERT_TRUE (firmware.getFile().replaceWithData (bytes.data(), bytes.size()));
    // The transfer waits on the boot loader's answers in real time; waits
    // with nothing under way pass at once.
    IdleSkippingClock idleSkipping { ports };
    const auto tickSettling = [&]
    {
        idleSkipping.sleep (OrvaneManager49::probeIntervalMs);
        manager().timerCallback();
    };
    panel = std::make_unique<KbdSettingComponentVorlo> (KbdSettingComponentVorlo::Services { ports, dialogs, idleSkipping });
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    tickSettling();
    panel->getFollower().poll();

    // The user restarts the keyboard in its boot loader while the question is up.
    dialogs.whileOpen (
        [this] (const ScriptedDialogs::Shown& shown)
        {
            if (shown.title == UpdaterRunner::upgradeModeTitle)
            {
                keyboard.unplug();
                panel->getFollower().poll();
                flushMessageLoop();
            }
        });
    dialogs.answerFile (firmware.getFile());
    dialogs.answerOk (true);
    widgets().firmwareButton->triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (bootLoader.isImageComplete()) << dialogs.getShown().back().title << ": " << dialogs.getShown().back().text;

    // The search after the transfer ends before the keyboard is back.
    for (int i = 0; i < 4; ++i)
    {
        tickSettling();
        panel->getFollower().poll();
        flushMessageLoop();
    }
    ASSERT_FALSE (manager().isKeyboardDetected() && ! manager().isKeyboardUnplugged());

    bootLoader.unplug();
    keyboard.plugIn();
    ASSERT_TRUE (runMessageLoopUntil (
        [&]
        {
            panel->getFollower().poll();
            tickSettling();
            return panel->getFollower().getState() == KeyboardFollower::State::connected;
        },
        8000));

    EXPECT_EQ (dialogs.countTitled ("Keyboard Problem"), 0);
    for (const auto& shown : dialogs.getShown())
        EXPECT_TRUE (shown.over.isEmpty()) << shown.title << " came up over " << shown.over;
}
