#include "firmware/UpdaterRunner.h"
#include "sim/SimulatedBootLoader.h"
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
