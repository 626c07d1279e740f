#include "firmware/UpdaterRunner.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "support/Midi.h"
#include "support/PanelRig.h"

#include <gmock/gmock.h>

// The editor against the simulated keyboard, end to end: whatever the user
// only looked at reaches the keyboard's memory as the keyboard had it.
class PanelKeepsWhatTheUserDidNotTouch : public PanelRig
{
protected:
    void readKeyboard() { PanelRig::readKeyboard (keyboard); }

    // Parameter p of control id in the keyboard's memory, or -1 when it holds nothing.
    int inMemory (int memory, int id, int p) const
    {
        return keyboard.inspect (
            [=] (const KeyboardModel& k)
            {
                const auto& stored = k.memories[(size_t) memory];
                return stored.has_value() ? stored->controls.at (id)[(size_t) p] : -1;
            });
    }

    SimulatedKeyboard keyboard { ports };
};

TEST_F (PanelKeepsWhatTheUserDidNotTouch, PicksThenSendLeaveEveryUntouchedControlAsTheKeyboardHadIt)
{
    struct Row
    {
        const char* what;
        int id, parameter, value;
        std::vector<const char*> picks;
    };
    const Row rows[] = {
        { "knob 9 in Rel. Control, picked after a pad", 0x33, 1, 2, { "0x70", "0x33" } },
        { "knob 9 in Rel. Control, picked after knob 1", 0x33, 1, 2, { "0x30", "0x33" } },
        { "a knob in RPN", 0x01, 1, 3, { "0x70", "0x01" } },
        { "a pad in Midi Note Gated", 0x70, 1, 10, { "0x30", "0x70" } },
        { "an octave button on CC 50", 0x20, 3, 50, { "0x20" } },
        { "an octave button on channel 5", 0x20, 2, 4, { "0x30", "0x20", "0x21" } },
        { "the pitch strip on channel 5", 0x41, 2, 4, { "0x41" } },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.what);
        keyboard.change (
            [&] (KeyboardModel& k)
            {
                k = KeyboardModel();
                k.working.controls[row.id][(size_t) row.parameter] = row.value;
            });
        dialogs.forgetShown();
        readKeyboard();

        for (const auto* message : row.picks)
            pick (message);
        sendToMemory (1);

        EXPECT_EQ (inMemory (1, row.id, row.parameter), row.value);
        EXPECT_EQ (widgets().notice->getText(), "Stored in memory 1");
        EXPECT_TRUE (dialogs.getShown().empty());
        panel.reset();
    }
}

TEST_F (PanelKeepsWhatTheUserDidNotTouch, WhatTheUserChoosesInABoxDoesReachTheMemory)
{
    readKeyboard();
    pick ("0x33");
    choose (*widgets().modeCombo, 2); // "NRPN/RPN"
    pick ("0x20");
    choose (*widgets().ccNumberCombo, 30);
    sendToMemory (3);

    EXPECT_EQ (inMemory (3, 0x33, 1), 4);
    EXPECT_EQ (inMemory (3, 0x20, 3), 30);
    EXPECT_EQ (inMemory (3, 0x20, 2), 0) << "the button's other values were never read, so the keyboard kept its own";
    EXPECT_EQ (widgets().notice->getText(), "Stored in memory 3");
    EXPECT_TRUE (widgets().notice->isVisible());
}

TEST_F (PanelKeepsWhatTheUserDidNotTouch, ControlsNeverReadShowGreyedAndReadOnesDoNot)
{
    readKeyboard();
    pick ("0x20"); // the keyboard's replies do not cover the octave buttons
    EXPECT_TRUE (widgets().ccNumberCombo->isColourSpecified (juce::ComboBox::textColourId));
    EXPECT_EQ (widgets().ccNumberCombo->getText(), "20 - Undefined");

    pick ("0x30");
    EXPECT_FALSE (widgets().ccNumberCombo->isColourSpecified (juce::ComboBox::textColourId));
    EXPECT_FALSE (widgets().globalChannelCombo->isColourSpecified (juce::ComboBox::textColourId));
}

TEST_F (PanelKeepsWhatTheUserDidNotTouch, ASendThatCannotReachTheKeyboardSaysSo)
{
    readKeyboard();
    keyboard.unplug();

    widgets().sendButton->triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.countTitled ("Keyboard Problem"), 1);
    EXPECT_THAT (dialogs.getShown().back().text.toStdString(), ::testing::StartsWith ("Sending to the keyboard failed"));
    EXPECT_THAT (dialogs.getShown().back().text.toStdString(), ::testing::HasSubstr ("memory 1 was not stored"));
    EXPECT_FALSE (widgets().notice->isVisible());
}

TEST_F (PanelKeepsWhatTheUserDidNotTouch, AGlobalThatFitsNoDataByteIsNotSentAndTheUserIsTold)
{
    readKeyboard();
    manager().getCache().setGlobal (6, 200, ValueSource::file);
    sendToMemory (2);

    EXPECT_EQ (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[2]->globals[6]; }), 2) << "the keyboard's own channel 3";
    ASSERT_EQ (dialogs.countTitled ("Keyboard Problem"), 1);
    EXPECT_THAT (dialogs.getShown().back().text.toStdString(), ::testing::HasSubstr ("global 6 (200)"));
    for (const auto& m : keyboard.getReceivedMessages())
        EXPECT_TRUE (OrvaneMidiMessage49 (m).hasOnlySevenBitData());
}

//==============================================================================
TEST_F (PanelKeepsWhatTheUserDidNotTouch, AnotherModelOfTheFamilyIsNamedAndNeitherReadNorSentNorCalibratedNorFlashed)
{
    keyboard.setModelNumber (3); // an OV49
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return widgets().firmwareRevisionBox->getText() != "Not detected yet"; }));
    ASSERT_TRUE (ports.waitUntilIdle());

    EXPECT_EQ (widgets().firmwareRevisionBox->getText(), "OV49 1.0.3.0");
    const auto receivedAfterDetection = keyboard.getReceivedMessages().size();
    EXPECT_EQ (receivedAfterDetection, 1u) << "only the identity request: no read-back";

    widgets().sendButton->triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());

    widgets().padsButton->triggerClick(); // refused before any dialog opens
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());

    // A Vorlo image would leave another model unable to start: refused
    // before the file is even asked for.
    widgets().firmwareButton->triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());

    EXPECT_EQ (keyboard.getReceivedMessages().size(), receivedAfterDetection);
    ASSERT_EQ (dialogs.countTitled ("Keyboard Problem"), 2);
    ASSERT_EQ (dialogs.countTitled (UpdaterRunner::errorTitle), 1);
    EXPECT_EQ (dialogs.getShown().size(), 3u) << "no file chooser, no question";
    EXPECT_THAT (dialogs.getShown().back().text.toStdString(), ::testing::HasSubstr ("so this editor does not upgrade it"));
    for (const auto& shown : dialogs.getShown())
        EXPECT_THAT (shown.text.toStdString(), ::testing::HasSubstr ("Orvane OV49, not a Velmora Vorlo"));
}
