#include "sim/SimulatedKeyboard.h"
#include "support/KeyboardRig.h"

using SimulatedKeyboardRecord = KeyboardRig;

// A long-running program turns the record off: the keyboard must go on
// answering and storing as before, only without the list that grew with
// every message.
TEST_F (SimulatedKeyboardRecord, WithoutARecordItStillAnswersAndStoresButKeepsNoMessages)
{
    keyboard.setRecording (false);
    connect();
    manager->getCache().applyDefaultValues();
    manager->setNumber (0x30, 21);

    ASSERT_TRUE (manager->sendAllToKeyboard (2).stored);
    ASSERT_TRUE (manager->requestMidiChannel());
    settle();

    EXPECT_EQ (listener.count (eventMidiChannel), 1) << "it still answers";
    EXPECT_EQ (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[2]->controls.at (0x30)[3]; }), 21);
    EXPECT_TRUE (keyboard.getReceivedMessages().empty());
}
