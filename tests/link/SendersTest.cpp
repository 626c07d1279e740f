#include "protocol/OrvaneMidiMessage49.h"
#include "support/KeyboardRig.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

#include <thread>

using ::testing::ElementsAre;

namespace
{
// (operation, parameter, item, value) of each SysEx message sent.
struct Sent
{
    int operation, parameter, item, value;
    bool operator== (const Sent& other) const
    {
        return operation == other.operation && parameter == other.parameter && item == other.item && value == other.value;
    }
};

std::vector<Sent> decode (const std::vector<VirtualMidiPorts::SentMessage>& sent)
{
    std::vector<Sent> result;
    for (const auto& s : sent)
    {
        const OrvaneMidiMessage49 m (s.message);
        result.push_back ({ s.message.getSysExData()[5], m.getParameter(), m.getItem(), m.getValue() });
    }
    return result;
}
} // namespace

using SendersWithKeyboard = KeyboardRig;

TEST (Senders, WithoutAKeyboardOutputReturnFalseAndSendNothing)
{
    VirtualMidiPorts ports;
    const auto output = ports.addOutput ("Synth");
    ManualClock clock;
    OrvaneManager49 manager (ports, clock);
    manager.setDevice ("Velmora Vorlo", "Velmora Vorlo", DeviceCode::vorlo); // detected, but no such port

    const std::function<bool()> senders[] = {
        [&] { return manager.requestControllerNumbers (0); }, [&] { return manager.requestValue (1, 0, 0); },
        [&] { return manager.sendValue (3, 0x30, 7, 0); },    [&] { return manager.sendItemParam (3, 0x30, 7); },
        [&] { return manager.requestItemValue (1); },         [&] { return manager.sendItemValue (1, 2); },
        [&] { return manager.requestMidiChannel(); },         [&] { return manager.requestRelativeMode(); },
        [&] { return manager.sendRelativeMode (true); },      [&] { return manager.requestOctaveShift(); },
        [&] { return manager.sendOctaveShift (-1); },         [&] { return manager.requestGlobal (7); },
        [&] { return manager.sendGlobalValue (7, 1); },       [&] { return manager.requestCurve (4); },
        [&] { return manager.sendCurveValue (4, 1); },        [&] { return manager.requestLedState (99); },
        [&] { return manager.sendLedState (99, 0); },         [&] { return manager.storeToMemory (1); },
        [&] { return manager.sendMemoryCommand05 (1); },      [&] { return manager.sendCachedGlobal (6); },
        [&] { return manager.sendCachedCurve (1); },          [&] { return manager.sendAllToKeyboard (1).stored; },
    };
    for (size_t i = 0; i < std::size (senders); ++i)
        EXPECT_FALSE (senders[i]()) << "sender #" << i;

    EXPECT_TRUE (manager.isKeyboardDetected());
    EXPECT_EQ (manager.queryValue (0x34, 0x70, -1), -1);
    EXPECT_TRUE (ports.getSentMessages (output).empty());
}

TEST_F (SendersWithKeyboard, EachMessageIsPacedTwoMillisecondsApart)
{
    connect();
    const auto start = clock.getMillisecondCounterHiRes();
    EXPECT_TRUE (manager->requestGlobal (7));
    EXPECT_TRUE (manager->requestCurve (4));
    EXPECT_TRUE (manager->sendLedState (99, 0));

    // Each send returns after its 2 ms pause.
    EXPECT_DOUBLE_EQ (clock.getMillisecondCounterHiRes() - start, 6.0);
    EXPECT_THAT (decode (sentToKeyboard()), ElementsAre (Sent { 1, 0x40, 7, 0 }, Sent { 1, 0x41, 4, 0 }, Sent { 2, 0x00, 99, 0 }));
}

TEST_F (SendersWithKeyboard, ItemValuesGoOnlyToTheItemsThatTakeThem)
{
    connect();
    EXPECT_FALSE (manager->sendItemValue (0x20, 1));
    EXPECT_FALSE (manager->sendItemValue (11, 1));
    EXPECT_TRUE (manager->sendItemValue (10, 1));
    EXPECT_TRUE (manager->sendItemValue (0x30, 1));
    EXPECT_THAT (decode (sentToKeyboard()), ElementsAre (Sent { 2, 0, 10, 1 }, Sent { 2, 0, 0x30, 1 }));
}

TEST_F (SendersWithKeyboard, NoSysExDataByteOfHexEightyOrMoreReachesTheKeyboard)
{
    connect();
    EXPECT_FALSE (manager->sendValue (3, 0x30, 200, 0));
    EXPECT_FALSE (manager->sendValue (3, 0x90, 7, 0));
    EXPECT_FALSE (manager->requestValue (0x34, 0x70, -1));
    EXPECT_FALSE (manager->storeToMemory (0x80));
    manager->sendMessage (midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x06, 0xFF, 0xF7 }));
    EXPECT_TRUE (sentToKeyboard().empty());

    // The cache only hands out data bytes, whatever it was given.
    manager->setItemParam (3, 0x30, 1000);
    manager->setCurve (1, -7);
    EXPECT_TRUE (manager->sendAllToKeyboard (1).stored);
    for (const auto& s : sentToKeyboard())
        EXPECT_TRUE (OrvaneMidiMessage49 (s.message).hasOnlySevenBitData()) << OrvaneMidiMessage49 (s.message).toHexString();
}

TEST_F (SendersWithKeyboard, SendAllSendsEveryControlButThePitchStripThenStores)
{
    connect();
    manager->getCache().applyDefaultValues();
    EXPECT_TRUE (manager->sendAllToKeyboard (2).stored);

    const auto sent = decode (sentToKeyboard());
    ASSERT_EQ (sent.size(), 221u); // 36 controls × 6, the global channel, 3 curves, the store

    std::set<int> controls;
    for (size_t i = 0; i < 216; ++i)
    {
        EXPECT_EQ (sent[i].operation, 2);
        EXPECT_EQ (sent[i].parameter, (int) (i % 6) + 1);
        controls.insert (sent[i].item);
    }
    EXPECT_EQ (controls.size(), 36u);
    EXPECT_EQ (controls.count (0x41), 0u);
    EXPECT_EQ (*controls.begin(), 0x01) << "in ascending id order";
    EXPECT_EQ (sent[0], (Sent { 2, 1, 0x01, 1 }));
    EXPECT_EQ (sent[2], (Sent { 2, 3, 0x01, 74 }));

    EXPECT_THAT (std::vector<Sent> (sent.begin() + 216, sent.end() - 1),
                 ElementsAre (Sent { 2, 0x40, 6, 0 }, Sent { 2, 0x41, 4, 2 }, Sent { 2, 0x41, 1, 0 }, Sent { 2, 0x41, 3, 0 }));
    EXPECT_TRUE (sameBytes (sentToKeyboard().back().message, OrvaneMidiMessage49::createStoreToMemory (2)));
}

TEST_F (SendersWithKeyboard, SendAllSkipsMissingValuesAndStoresEvenAnEmptyCache)
{
    connect();
    manager->getCache().applyDefaultValues();
    manager->setItemParam (3, 0x31, 50); // a control with a number and nothing else

    EXPECT_TRUE (manager->sendAllToKeyboard (5).stored);
    const auto sent = decode (sentToKeyboard());
    const auto of31 = std::count_if (sent.begin(), sent.end(), [] (const Sent& s) { return s.item == 0x31 && s.parameter <= 6; });
    EXPECT_EQ (of31, 1);
    EXPECT_EQ (sent.size(), 222u);
}

TEST_F (SendersWithKeyboard, SendAllIntoAnUnpluggedKeyboardStopsAtTheFirstFailureAndReportsNothingStored)
{
    // With real pacing, so that the cable can be pulled half-way.
    connect (Clock::system());
    manager->getCache().applyDefaultValues();
    std::thread cablePuller (
        [this]
        {
            const auto deadline = juce::Time::getMillisecondCounter() + 5000;
            while (keyboard.getReceivedMessages().size() < 74 && juce::Time::getMillisecondCounter() < deadline)
                std::this_thread::sleep_for (std::chrono::microseconds (200));
            keyboard.unplug();
        });
    const auto report = manager->sendAllToKeyboard (1);
    cablePuller.join();

    EXPECT_FALSE (report.stored);
    EXPECT_FALSE (report.isComplete());
    EXPECT_EQ (report.valuesFailed, 1) << "nothing is tried after the first failure";
    EXPECT_GE (report.valuesSent, 74);
    EXPECT_LT (report.valuesSent, 220);
    EXPECT_TRUE (manager->isKeyboardUnplugged());
    EXPECT_TRUE (manager->getCache().hasUnkeptEdits());
    EXPECT_FALSE (keyboard.inspect ([] (const KeyboardModel& k) { return k.memories[1].has_value(); }));

    // Once unplugged, a second send refuses at once.
    const auto second = manager->sendAllToKeyboard (1);
    EXPECT_FALSE (second.stored);
    EXPECT_EQ (second.valuesSent, 0);
}

TEST_F (SendersWithKeyboard, ItemSettingsGoOnlyToModelsThatTakeThem)
{
    connect();
    manager->sendItemSetting (0x30, 1, 2, 3, 4, 5, 6);
    EXPECT_THAT (decode (sentToKeyboard()),
                 ElementsAre (Sent { 2, 1, 0x30, 1 }, Sent { 2, 2, 0x30, 2 }, Sent { 2, 3, 0x30, 3 }, Sent { 2, 4, 0x30, 4 },
                              Sent { 2, 5, 0x30, 5 }, Sent { 2, 6, 0x30, 6 }));

    ports.clearSentMessages();
    manager->setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::rover);
    manager->sendItemSetting (0x30, 1, 2, 3, 4, 5, 6);
    EXPECT_TRUE (sentToKeyboard().empty());
}

TEST_F (SendersWithKeyboard, ResetRestoresTheDefaultAssignmentAsGiven)
{
    connect();
    manager->setNumber (0x30, 99);
    manager->resetToDefaults();

    EXPECT_EQ (manager->getNumber (0x30), 7);
    EXPECT_EQ (manager->getCache().getItemSource (3, 0x30), ValueSource::defaults) << "the user asked for them: they may be sent";
}
