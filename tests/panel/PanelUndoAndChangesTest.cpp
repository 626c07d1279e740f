#include "documents/SettingsFile.h"
#include "support/DocumentFiles.h"
#include "support/PanelRig.h"

// Undo and redo of the user's edits, and the marks of what changed, against
// the simulated keyboard: after every undo, Send writes what the screen shows.
class PanelUndoAndChanges : public PanelRig
{
protected:
    void SetUp() override { readKeyboard (keyboard); }

    void pressKey (const juce::KeyPress& key)
    {
        // With the focus on a box, the key goes up to the panel when the box
        // does not take it.
        EXPECT_FALSE (widgets().ccNumberCombo->keyPressed (key));
        EXPECT_TRUE (panel->keyPressed (key));
        flushMessageLoop();
    }
    void undoKey() { pressKey (juce::KeyPress ('z', juce::ModifierKeys::commandModifier, 0)); }
    void redoKey() { pressKey (juce::KeyPress ('y', juce::ModifierKeys::commandModifier, 0)); }

    // What the chosen memory holds for a control after Send.
    KeyboardModel::ControlSetting sentToMemory (int id)
    {
        sendToMemory (2);
        return keyboard.inspect ([=] (const KeyboardModel& k) { return k.memories[2]->controls.at (id); });
    }

    int numberOnScreen() const { return widgets().ccNumberCombo->getSelectedItemIndex(); }
    bool marked (int id) const { return widgets().picker->findWidget (id)->isMarked(); }
    juce::String changesText() const { return widgets().changesLabel->getText(); }

    SimulatedKeyboard keyboard { ports };
    ScratchFolder scratch;
};

TEST_F (PanelUndoAndChanges, ABoxChoiceIsUndoneAndRedoneAndSendWritesWhatTheScreenShows)
{
    pick ("0x30");
    const int read = numberOnScreen();
    choose (*widgets().ccNumberCombo, 20);
    choose (*widgets().ccNumberCombo, 21);
    EXPECT_TRUE (marked (0x30));
    EXPECT_EQ (changesText(), "1 change not sent");

    undoKey();
    EXPECT_EQ (numberOnScreen(), 20);
    undoKey();
    EXPECT_EQ (numberOnScreen(), read);
    EXPECT_FALSE (marked (0x30)) << "back at what was read";
    EXPECT_EQ (changesText(), "");
    EXPECT_FALSE (manager().getCache().hasUnkeptEdits()) << "closing has nothing to ask";

    redoKey();
    EXPECT_EQ (numberOnScreen(), 20);
    EXPECT_EQ (sentToMemory (0x30)[3], 20);
    EXPECT_FALSE (marked (0x30)) << "sent: nothing left to mark";
    EXPECT_EQ (changesText(), "");

    // Undoing after Send takes the screen away from what the keyboard holds:
    // that is a change again, and Send writes it.
    undoKey();
    EXPECT_EQ (numberOnScreen(), read);
    EXPECT_TRUE (marked (0x30));
    EXPECT_EQ (sentToMemory (0x30)[3], read);
}

TEST_F (PanelUndoAndChanges, DefaultValuesAreUndoneWithWhereTheValuesCameFrom)
{
    pick ("0x01");
    choose (*widgets().ccNumberCombo, 90);
    sendToMemory (1);
    const int read = numberOnScreen();
    widgets().defaultValuesButton->triggerClick();
    flushMessageLoop();
    const int byDefault = numberOnScreen();
    ASSERT_NE (byDefault, read);
    EXPECT_TRUE (marked (0x01));
    EXPECT_TRUE (manager().getCache().isControlChanged (0x41));
    EXPECT_FALSE (marked (0x41)) << "Send never writes the pitch strip: no change to send";
    EXPECT_NE (changesText(), "");

    undoKey();
    EXPECT_EQ (numberOnScreen(), read);
    EXPECT_EQ (manager().getCache().getItemSource (3, 0x01), ValueSource::user) << "the user's, as before";
    EXPECT_EQ (changesText(), "");
    EXPECT_EQ (sentToMemory (0x01)[3], read);

    redoKey();
    EXPECT_EQ (numberOnScreen(), byDefault);
    EXPECT_EQ (sentToMemory (0x01)[3], byDefault);
}

TEST_F (PanelUndoAndChanges, ALoadIsUndoneAndSaveKeepsTheHistory)
{
    pick ("0x30");
    const int read = numberOnScreen();
    {
        ValueCache fromFile;
        fromFile.applyDefaultValues();
        fromFile.setItemParam (3, 0x30, 33);
        ASSERT_TRUE (SettingsFile::save (fromFile, scratch.file ("thirty-three.vorlo25")).wasOk());
    }
    dialogs.answerFile (scratch.file ("thirty-three.vorlo25"));
    widgets().loadButton->triggerClick();
    flushMessageLoop();
    ASSERT_EQ (numberOnScreen(), 33);
    EXPECT_FALSE (marked (0x30)) << "what a file gives is kept as it comes";

    undoKey();
    EXPECT_EQ (numberOnScreen(), read);
    EXPECT_TRUE (marked (0x30)) << "the screen differs from the file last loaded";
    EXPECT_EQ (sentToMemory (0x30)[3], read);

    // Save keeps the copy, but not away from the history.
    choose (*widgets().ccNumberCombo, 40);
    dialogs.answerFile (scratch.file ("forty.vorlo25"));
    ASSERT_TRUE (panel->saveSettingsAs());
    EXPECT_FALSE (marked (0x30));
    EXPECT_EQ (changesText(), "");
    undoKey();
    EXPECT_EQ (numberOnScreen(), read);
    EXPECT_EQ (changesText(), "1 change not sent");
}

TEST_F (PanelUndoAndChanges, AReadBackClearsTheHistory)
{
    pick ("0x30");
    choose (*widgets().ccNumberCombo, 20);
    sendToMemory (1);

    // The keyboard comes back and is read again: its copy replaces the editor's.
    keyboard.unplug();
    ports.waitUntilIdle();
    keyboard.plugIn();
    manager().restartDetection();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return manager().isKeyboardDetected() && ! panel->isReadingBack(); }));
    flushMessageLoop();
    const int read = numberOnScreen();

    EXPECT_FALSE (panel->undo()) << "nothing before the read-back can come back";
    EXPECT_EQ (numberOnScreen(), read);
}

TEST_F (PanelUndoAndChanges, GlobalsCountAmongTheChangesAndAChoiceThatChangesNothingIsNoStep)
{
    choose (*widgets().velCurveCombo, (widgets().velCurveCombo->getSelectedItemIndex() + 1) % 4);
    choose (*widgets().padCurveCombo, (widgets().padCurveCombo->getSelectedItemIndex() + 1) % 4);
    EXPECT_EQ (changesText(), "2 changes not sent");

    undoKey();
    undoKey();
    EXPECT_EQ (changesText(), "");
    EXPECT_FALSE (panel->undo()) << "only two steps were made";
}
