#include "protocol/OrvaneMidiMessage49.h"
#include "support/KeyboardRig.h"
#include "support/SettlingClock.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

using ::testing::Contains;
using ::testing::ElementsAre;

using KeyboardRoundTrip = KeyboardRig;

TEST_F (KeyboardRoundTrip, SendAllStoresTheEditorsCacheIntoTheKeyboardsMemory)
{
    connect();
    manager->getCache().applyDefaultValues(); // every value given, so every value is sent
    manager->setNumber (0x30, 10);
    manager->setItemParam (2, 0x70, 3);
    manager->setGlobal (6, 5);
    manager->setCurve (1, 2);

    ASSERT_TRUE (manager->sendAllToKeyboard (3).stored);
    settle();

    const auto memory = keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[3]; });
    ASSERT_TRUE (memory.has_value());
    for (const int id : manager->getControlsWithNumber())
    {
        if (id == 0x41) // the pitch strip is never sent
            continue;
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ (memory->controls.at (id)[(size_t) p], manager->getItemParam (p, id)) << "parameter " << p << " of " << id;
    }
    EXPECT_EQ (memory->globals[6], 5);
    for (int curve : { 1, 3, 4 })
        EXPECT_EQ (memory->curves[(size_t) curve], manager->getCurve (curve));

    EXPECT_FALSE (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[2].has_value(); }));
}

TEST_F (KeyboardRoundTrip, RequestsOfAllControlsFillTheCacheFromTheKeyboard)
{
    connect();
    manager->requestControllerNumbers (0);
    for (int p : { 1, 2, 4, 5, 6 })
        manager->requestValue (p, 0, 0);
    settle();

    EXPECT_THAT (listener.getEventCodes(),
                 ElementsAre (eventControllerNumbers, eventParameterValues, eventParameterValues, eventParameterValues,
                              eventParameterValues, eventParameterValues));
    EXPECT_EQ (listener.getEvents()[0], (RecordingListener::Event { eventControllerNumbers, 0, 0, false }));

    const auto working = keyboard.inspect ([] (const KeyboardModel& k) { return k.working; });
    for (const auto& [id, setting] : working.controls)
    {
        if (! manager->isKnownItem (id))
            continue;
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ (manager->getItemParam (p, id), setting[(size_t) p]) << "parameter " << p << " of " << id;
    }

    EXPECT_EQ (manager->getNumber (0x30), 10) << "the keyboard's own, not the editor's default";
    EXPECT_EQ (manager->getItemParam (1, 0x41), 12);
}

TEST_F (KeyboardRoundTrip, GlobalsCurvesAndLedsGoBothWays)
{
    connect();
    manager->requestMidiChannel();
    manager->requestRelativeMode();
    manager->requestCurve (3);
    manager->requestOctaveShift();
    settle();

    EXPECT_EQ (manager->getGlobal (6), 2);
    EXPECT_EQ (manager->getGlobal (2), 1);
    EXPECT_EQ (manager->getCurve (3), 1);
    EXPECT_EQ (listener.getEvents().back(), (RecordingListener::Event { eventOctaveShift, 0, 0, false }));

    manager->sendOctaveShift (-2);
    manager->sendLedState (100, 0);
    manager->requestOctaveShift();
    settle();
    EXPECT_EQ (listener.getEvents().back(), (RecordingListener::Event { eventOctaveShift, -2, 0, false }));
    EXPECT_EQ (keyboard.inspect ([] (const KeyboardModel& k) { return k.itemValues.at (100); }), 0);
}

TEST_F (KeyboardRoundTrip, QueryReturnsTheKeyboardsPadGain)
{
    connect (Clock::system());
    keyboard.change ([] (KeyboardModel& k) { k.padGains[2] = 99; });

    EXPECT_EQ (manager->queryValue (0x34, 0x72, -1), 99);
    EXPECT_EQ (manager->queryValue (0x34, 0x70, 0x40), 80);

    // A query that accepts any memory still asks with the pad gains' own memory byte.
    EXPECT_TRUE (sameBytes (sentToKeyboard().front().message, OrvaneMidiMessage49::createRequest (0x34, 0x72, 0x40)));
}

TEST_F (KeyboardRoundTrip, QueryOfASilentKeyboardIsSentThreeTimesThenGivenUp)
{
    connect();
    keyboard.setSilent (true);
    const auto start = clock.getMillisecondCounterHiRes();

    EXPECT_EQ (manager->queryValue (0x34, 0x70, -1), -1);
    EXPECT_NEAR (clock.getMillisecondCounterHiRes() - start, 3 * OrvaneManager49::queryTimeoutMs, 10.0);
    const auto request = OrvaneMidiMessage49::createRequest (0x34, 0x70, 0x40);
    const auto sent = sentToKeyboard();
    EXPECT_EQ (std::count_if (sent.begin(), sent.end(), [&] (const auto& s) { return sameBytes (s.message, request); }), 3);
}

TEST_F (KeyboardRoundTrip, AQueryWhoseReplyWasLostIsAnsweredByItsNextSending)
{
    SettlingClock settling { ports };
    connect (settling);
    keyboard.change ([] (KeyboardModel& k) { k.padGains = { 70, 71, 72, 73, 74, 75, 76, 77 }; });
    keyboard.setDropsEveryNthReply (2);

    for (int pad = 0; pad < 4; ++pad)
        EXPECT_EQ (manager->queryValue (0x34, 0x70 + pad, -1), 70 + pad) << "pad " << pad + 1;
}

TEST_F (KeyboardRoundTrip, StrayMessagesDoNotEndAPadGainQuery)
{
    connect (Clock::system());
    keyboard.setReplyLatencyMs (40.0);
    keyboard.change ([] (KeyboardModel& k) { k.padGains[0] = 101; });

    // A pad struck and a knob turned while the dialog waits for the gain.
    ports.sendToInput (keyboard.getEditorInput(), juce::MidiMessage::noteOn (10, 36, (juce::uint8) 90), 5.0);
    ports.sendToInput (keyboard.getEditorInput(), juce::MidiMessage::controllerEvent (1, 7, 3), 10.0);
    ports.sendToInput (keyboard.getEditorInput(), OrvaneMidiMessage49::createValue (0x34, 0x71, 5, 0x40), 15.0);

    EXPECT_EQ (manager->queryValue (0x34, 0x70, -1), 101);
}

TEST_F (KeyboardRoundTrip, AReplyCutShortBeforeItsValueDoesNotEndAPadGainQueryAsZero)
{
    connect (Clock::system());
    keyboard.setReplyLatencyMs (40.0);
    keyboard.change ([] (KeyboardModel& k) { k.padGains[0] = 101; });

    // The awaited reply up to its item, then F7: it carries no gain at all.
    ports.sendToInput (keyboard.getEditorInput(), midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x40, 0x34, 0x70, 0xF7 }), 10.0);

    EXPECT_EQ (manager->queryValue (0x34, 0x70, -1), 101);
}

TEST_F (KeyboardRoundTrip, AQueryAnsweredOnlyByRepliesCutShortTimesOutInsteadOfReadingZero)
{
    connect (Clock::system());
    keyboard.setAnswersCutShort (true);

    EXPECT_EQ (manager->queryValue (0x34, 0x70, -1), -1);
}

TEST_F (KeyboardRoundTrip, ControlMovesAreReportedOnlyFromTheKeyboardsInput)
{
    const auto otherKeys = ports.addInput ("Other Keys");
    connect();

    ports.sendToInput (otherKeys, juce::MidiMessage::controllerEvent (1, 7, 33));
    keyboard.moveControl (0x02, 66); // knob 3, number 71
    keyboard.movePitchWheel (12000);
    keyboard.pressNote (72, 100);
    keyboard.pressChannelPressure (20);
    settle();

    const auto events = listener.getEvents();
    EXPECT_THAT (events,
                 ElementsAre (RecordingListener::Event { eventControlMoved, 0x02, 66, false },
                              RecordingListener::Event { eventPitchMoved, 0x41, 12000, false },
                              RecordingListener::Event { eventPadPressure, 0x82, 20, false }));
}
