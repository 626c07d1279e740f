#include "protocol/OrvaneMidiMessage49.h"
#include "support/Midi.h"
#include "support/PanelRig.h"

#include <gmock/gmock.h>

class PanelCommands : public PanelRig
{
protected:
    SimulatedKeyboard keyboard { ports };
};

TEST_F (PanelCommands, SendStoresEverythingIntoTheChosenMemory)
{
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    tick(); // the inputs close: sending needs none

    pick ("0x30");
    choose (*widgets().ccNumberCombo, 11);
    choose (*widgets().memoryCombo, 7);
    widgets().sendButton->triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());

    const auto memory8 = keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[8]; });
    ASSERT_TRUE (memory8.has_value());
    EXPECT_EQ (memory8->controls.at (0x30)[3], 11);
    EXPECT_TRUE (sameBytes (keyboard.getReceivedMessages().back(), OrvaneMidiMessage49::createStoreToMemory (8)));
    EXPECT_TRUE (dialogs.getShown().empty());
}

TEST_F (PanelCommands, SendWithoutAKeyboardSaysSoAndSendsNothing)
{
    keyboard.unplug();
    ports.addOutput ("Synth");
    createPanel();
    tick();
    tick();
    flushMessageLoop();

    widgets().sendButton->triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.getShown().size(), 2u);
    EXPECT_EQ (dialogs.getShown().back().title, "Keyboard Problem");
    EXPECT_EQ (dialogs.getShown().back().text, "The keyboard has not been detected yet, so it can't be set.");
}

TEST_F (PanelCommands, DefaultValuesRestoreTheEditorsDefaultsAndSendNothing)
{
    createPanel();
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    tick();
    pick ("0x30");
    ASSERT_EQ (widgets().ccNumberCombo->getText(), "10 - Pan");
    const auto receivedBefore = keyboard.getReceivedMessages().size();

    widgets().defaultValuesButton->triggerClick();
    flushMessageLoop();

    const auto& w = widgets();
    EXPECT_EQ (w.ccNumberCombo->getText(), "7 - Channel Volume");
    EXPECT_EQ (w.globalChannelCombo->getText(), "1");
    EXPECT_EQ (w.knobAccelCombo->getText(), "Fast");
    EXPECT_EQ (w.velCurveCombo->getText(), "Linear");
    EXPECT_EQ (w.padCurveCombo->getText(), "Linear");
    EXPECT_EQ (w.firmwareRevisionBox->getText(), "1.0.3.0") << "defaults are about settings, not the keyboard's firmware";
    EXPECT_EQ (manager().getGlobal (2), 1);
    EXPECT_EQ (manager().getNumber (0x33), 114);
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (keyboard.getReceivedMessages().size(), receivedBefore);
}
