#include "support/PanelRig.h"

// Touch a control to find it: moving a control on the simulated keyboard
// selects it on the picture and in the boxes, while the panel listens, and
// writes nothing to the keyboard.
class PanelTouchToFind : public PanelRig
{
protected:
    void SetUp() override
    {
        readKeyboard (keyboard);
        receivedBefore = keyboard.getReceivedMessages().size();
    }

    // The user moves a control; true when the panel selected it.
    bool touchSelects (int id, int value = 64)
    {
        keyboard.moveControl (id, value);
        return runMessageLoopUntil ([&] { return panel->getSelectedControl() == id; }, 1000);
    }

    void expectNothingWritten()
    {
        ASSERT_TRUE (ports.waitUntilIdle());
        EXPECT_EQ (keyboard.getReceivedMessages().size(), receivedBefore) << "looking writes nothing";
        EXPECT_FALSE (manager().getCache().hasUnkeptEdits());
    }

    SimulatedKeyboard keyboard { ports };
    size_t receivedBefore = 0;
};

TEST_F (PanelTouchToFind, AKnobAPadAStripAndThePedalAreSelectedAsAClickWouldAndNothingIsWritten)
{
    panel->setListeningForTouches (true);
    EXPECT_EQ (ports.getNumOpenInputs(), 1) << "the keyboard's own input, and no other";

    struct Case
    {
        const char* what;
        int id;
        bool shifted;
        const char* name;
    };
    const Case cases[] = {
        { "knob 1, a controller", 0x30, false, "1 - Volume" },
        { "knob 9, relative moves", 0x33, false, "9 - Preset" },
        { "pad 4, a note", 0x73, false, "Pad #4" },
        { "pad 12, a note under Shift", 0x7B, true, "Pad #12" },
        { "the pitch strip, pitch bend", 0x41, false, "Pitch Strip" },
        { "the sustain pedal, its controller", 0x50, false, "Sustain Pedal" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        ASSERT_TRUE (touchSelects (c.id));

        const auto* picker = widgets().picker.get();
        const auto* widget = picker->findWidget (c.id);
        ASSERT_NE (widget, nullptr);
        EXPECT_TRUE (widget->getToggleState()) << "the widget shows selected";
        EXPECT_TRUE (widget->isFlashing());
        EXPECT_EQ (picker->isShifted(), c.shifted);
        EXPECT_TRUE (widgets().controlNameBox->getText().startsWith (c.name)) << widgets().controlNameBox->getText();
    }
    expectNothingWritten();
}

TEST_F (PanelTouchToFind, AFloodOfMovesKeepsTheControlSelectedAndTheBoxesAsTheyAre)
{
    panel->setListeningForTouches (true);
    ASSERT_TRUE (touchSelects (0x30));
    choose (*widgets().ccNumberCombo, 20);
    const auto shown = widgets().ccNumberCombo->getText();

    // Hundreds of moves of the knob come to one update of the message loop
    // (the cost of each is measured in the touchedMove benchmark), and the
    // boxes are not shown anew, so the user's edit stays on screen.
    for (int i = 0; i < 500; ++i)
        keyboard.moveControl (0x30, i % 128);
    ASSERT_TRUE (ports.waitUntilIdle());
    flushMessageLoop();

    EXPECT_EQ (panel->getSelectedControl(), 0x30);
    EXPECT_EQ (widgets().ccNumberCombo->getText(), shown);
}

TEST_F (PanelTouchToFind, WithoutListeningTheInputsAreLetGoAndAMoveSelectsNothing)
{
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    keyboard.moveControl (0x30, 10);
    ASSERT_TRUE (ports.waitUntilIdle());
    flushMessageLoop();
    EXPECT_EQ (panel->getSelectedControl(), -1);

    panel->setListeningForTouches (true);
    ASSERT_TRUE (touchSelects (0x30));
    panel->setListeningForTouches (false);
    EXPECT_EQ (ports.getNumOpenInputs(), 0) << "the user's other programs get the keyboard back";
    keyboard.moveControl (0x01, 10);
    ASSERT_TRUE (ports.waitUntilIdle());
    flushMessageLoop();
    EXPECT_EQ (panel->getSelectedControl(), 0x30);
    expectNothingWritten();
}

TEST_F (PanelTouchToFind, TheKeyboardsInputStaysOpenThroughASearchWhileListening)
{
    panel->setListeningForTouches (true);
    manager().restartDetection();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return manager().isKeyboardDetected(); }));
    tick();
    tick();
    tick();
    EXPECT_EQ (ports.getNumOpenInputs(), 1) << "when the search ends, the keyboard's input is kept";
    ASSERT_TRUE (touchSelects (0x01));
}

TEST_F (PanelTouchToFind, AKnobBumpedWhileABoxIsOpenDoesNotTakeTheChoiceMadeInIt)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        GTEST_SKIP() << "the box's list needs a display";

    panel->setListeningForTouches (true);
    pick ("0x30");
    panel->addToDesktop (0);
    panel->setVisible (true);
    widgets().ccNumberCombo->showPopup();
    ASSERT_TRUE (widgets().ccNumberCombo->isPopupActive());

    keyboard.moveControl (0x01, 10);
    ASSERT_TRUE (ports.waitUntilIdle());
    flushMessageLoop();
    EXPECT_EQ (panel->getSelectedControl(), 0x30) << "the open list still belongs to knob 1";

    widgets().ccNumberCombo->hidePopup();
    flushMessageLoop();
    ASSERT_TRUE (touchSelects (0x01));
    panel->removeFromDesktop();
    expectNothingWritten();
}
