#include "documents/SettingsFile.h"
#include "support/DocumentFiles.h"
#include "support/PanelRig.h"

#include <gmock/gmock.h>

// Closing the editor: nothing the user changed is lost without their word.
class PanelQuit : public PanelRig
{
protected:
    void SetUp() override
    {
        createPanel();
        ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
        tick();
    }

    void editKnob1()
    {
        pick ("0x30");
        choose (*widgets().ccNumberCombo, 20);
        ASSERT_TRUE (manager().getCache().hasUnkeptEdits());
    }

    enum Button
    {
        cancel,
        save,
        send,
        discard
    };

    SimulatedKeyboard keyboard { ports };
    ScratchFolder scratch;
};

TEST_F (PanelQuit, WithoutEditsItClosesWithoutAQuestion)
{
    pick ("0x30"); // looking changes nothing
    EXPECT_TRUE (panel->confirmQuit());
    EXPECT_TRUE (dialogs.getShown().empty());
}

TEST_F (PanelQuit, WithEditsItAsksAndEachAnswerDoesWhatItSays)
{
    editKnob1();

    dialogs.answerChoice (cancel);
    EXPECT_FALSE (panel->confirmQuit());
    ASSERT_EQ (dialogs.countTitled ("Unsaved Changes"), 1);

    dialogs.answerChoice (discard);
    EXPECT_TRUE (panel->confirmQuit());
    EXPECT_EQ (keyboard.inspect ([] (const KeyboardModel& k) { return k.working.controls.at (0x30)[3]; }), 10) << "nothing sent";
}

TEST_F (PanelQuit, SaveWritesTheEditsAndThenCloses)
{
    editKnob1();
    const auto file = scratch.file ("Before closing.vorlo25");
    dialogs.answerChoice (save);
    dialogs.answerFile (file);

    EXPECT_TRUE (panel->confirmQuit());

    ValueCache saved;
    ASSERT_TRUE (SettingsFile::load (saved, file).wasOk());
    EXPECT_EQ (saved.getItemParam (3, 0x30), 20);
}

TEST_F (PanelQuit, SendStoresTheEditsAndClosesOnlyWhenTheyGotThere)
{
    editKnob1();
    choose (*widgets().memoryCombo, 4);
    dialogs.answerChoice (send);
    EXPECT_TRUE (panel->confirmQuit());
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[5]->controls.at (0x30)[3]; }), 20);

    choose (*widgets().ccNumberCombo, 21);
    keyboard.unplug();
    dialogs.answerChoice (send);
    EXPECT_FALSE (panel->confirmQuit()) << "a send that failed keeps the editor open, with the edits";
    EXPECT_TRUE (manager().getCache().hasUnkeptEdits());
}

TEST_F (PanelQuit, ASaveThatIsCancelledKeepsTheEditorOpen)
{
    editKnob1();
    dialogs.answerChoice (save);
    dialogs.answerFile (std::nullopt);
    EXPECT_FALSE (panel->confirmQuit());
}

TEST_F (PanelQuit, ALoadedFileIsKeptInThatFile)
{
    editKnob1();
    const auto file = scratch.file ("Gig.vorlo25");
    ASSERT_TRUE (SettingsFile::save (manager().getCache(), file).wasOk());
    dialogs.answerFile (file);
    widgets().loadButton->triggerClick();
    flushMessageLoop();

    EXPECT_TRUE (panel->confirmQuit());
    EXPECT_EQ (dialogs.countTitled ("Unsaved Changes"), 0);
}
