#include "protocol/OrvaneMidiMessage49.h"
#include "sim/SimulatedKeyboard.h"
#include "support/DetectionRig.h"
#include "support/MessageLoop.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace
{
const juce::MidiMessage identityRequest = midiBytes ({ 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 });

int countIdentityRequests (const std::vector<VirtualMidiPorts::SentMessage>& sent)
{
    return (int) std::count_if (sent.begin(), sent.end(), [] (const auto& s) { return sameBytes (s.message, identityRequest); });
}
} // namespace

class Detection : public DetectionRig
{
protected:
    // Which of the outputs received an identity request since the last call.
    int outputProbedSinceLastLook (const std::vector<VirtualMidiPorts::PortId>& outputs)
    {
        int probed = -1;
        for (size_t i = 0; i < outputs.size(); ++i)
        {
            const int count = countIdentityRequests (ports.getSentMessages (outputs[i]));
            if (count > seen[i])
                probed = (int) i;
            seen[i] = count;
        }
        return probed;
    }

    std::map<size_t, int> seen;
};

TEST_F (Detection, ProbesEachOutputTwiceAndEndsAtTheSixthTick)
{
    const std::vector<VirtualMidiPorts::PortId> outputs { ports.addOutput ("Synth"), ports.addOutput ("Drum Machine"),
                                                          ports.addOutput ("Through") };
    ports.addInput ("Synth");
    createManager().startDetection();

    std::vector<int> probed { outputProbedSinceLastLook (outputs) };
    for (int tickNumber = 1; tickNumber <= 6; ++tickNumber)
    {
        EXPECT_EQ (listener.count (eventDetectionEnded), 0) << "before tick " << tickNumber;
        tick();
        probed.push_back (outputProbedSinceLastLook (outputs));
    }

    // The sixth tick sends nothing and ends the search: about 12 s after the start.
    EXPECT_THAT (probed, ElementsAre (0, 1, 2, 0, 1, 2, -1));
    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetectionEnded));
    EXPECT_TRUE (listener.getEvents().front().onMessageThread);
    EXPECT_FALSE (manager->isProbing());
    EXPECT_FALSE (manager->isKeyboardDetected());
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
}

TEST_F (Detection, TicksTooCloseToTheLastWorkingTickDoNothing)
{
    const std::vector<VirtualMidiPorts::PortId> outputs { ports.addOutput ("A"), ports.addOutput ("B"), ports.addOutput ("C") };
    createManager().startDetection();
    outputProbedSinceLastLook (outputs);

    // The first working tick comes more than 700 ms after the start.
    const auto started = clock.getMillisecondCounter();
    tickAt (started + 700);
    EXPECT_EQ (outputProbedSinceLastLook (outputs), -1);
    tickAt (started + 701);
    EXPECT_EQ (outputProbedSinceLastLook (outputs), 1);

    // Then 200 ms or less after a working tick does nothing.
    tickAt (started + 701 + 200);
    EXPECT_EQ (outputProbedSinceLastLook (outputs), -1);
    tickAt (started + 701 + 201);
    EXPECT_EQ (outputProbedSinceLastLook (outputs), 2);
}

TEST_F (Detection, StartingAgainWhileProbingChangesNothing)
{
    const auto output = ports.addOutput ("A");
    ports.addOutput ("B");
    createManager().startDetection();
    manager->startDetection();

    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (output)), 1);
    EXPECT_TRUE (manager->isProbing());
}

TEST_F (Detection, NoOutputsMeansNoProbingAndNoEvent)
{
    ports.addInput ("Keyboard In");
    createManager().startDetection();

    EXPECT_FALSE (manager->isProbing());
    runMessageLoopFor (20);
    EXPECT_TRUE (listener.getEvents().empty());
}

TEST_F (Detection, AnOutputThatWillNotOpenIsSkippedForItsTick)
{
    const auto busy = ports.addOutput ("Busy");
    const auto free = ports.addOutput ("Free");
    ports.setFailsToOpen (busy, true);
    createManager().startDetection();
    tick();

    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (busy)), 0);
    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (free)), 1);
}

class DetectionOfTheKeyboard : public Detection, public ::testing::WithParamInterface<int>
{
};

TEST_P (DetectionOfTheKeyboard, FindsItOnAnyOutputAmongOthers)
{
    const int keyboardIndex = GetParam();
    for (int i = 0; i < keyboardIndex; ++i)
    {
        ports.addInput ("Other In " + juce::String (i));
        ports.addOutput ("Other Out " + juce::String (i));
    }
    SimulatedKeyboard keyboard (ports);
    keyboard.setFirmwareRevision ({ 2, 1, 0, 7 });
    ports.addInput ("Last In");
    ports.addOutput ("Last Out");

    createManager().startDetection();
    for (int i = 0; i < keyboardIndex; ++i)
    {
        settle();
        tick();
    }

    ASSERT_TRUE (listener.waitFor (eventDetected));
    EXPECT_FALSE (listener.getEvents().front().onMessageThread);
    EXPECT_TRUE (manager->isKeyboardDetected());
    EXPECT_EQ (manager->getDeviceCode(), 0x0400);
    EXPECT_EQ (manager->getFirmwareRevision(), (FirmwareRevision { 2, 1, 0, 7 }));
    EXPECT_EQ (manager->getInputPortName(), "Velmora Vorlo");
    EXPECT_EQ (manager->getOutputPortName(), "Velmora Vorlo");

    // The keyboard's output is now the manager's.
    EXPECT_TRUE (manager->sendLedState (99, 0));
    settle();
    EXPECT_TRUE (sameBytes (keyboard.getReceivedMessages().back(), OrvaneMidiMessage49::createLedStateSet (99, 0)));

    // The next tick ends the probing and closes every input, raising nothing more.
    EXPECT_GT (ports.getNumOpenInputs(), 0);
    tick();
    EXPECT_FALSE (manager->isProbing());
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetected));
}

INSTANTIATE_TEST_SUITE_P (KeyboardOutputIndex, DetectionOfTheKeyboard, ::testing::Values (0, 1, 3));

TEST_F (Detection, RepliesThatAreNotTheKeyboardsDetectNothing)
{
    struct Case
    {
        const char* what;
        std::initializer_list<int> reply;
    };
    const Case cases[] = {
        { "another maker", { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x43, 0x00, 0x00, 0x02, 0x00, 0x04, 0x00, 1, 0, 0, 0, 0xF7 } },
        { "another family", { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x03, 0x00, 0x04, 0x00, 1, 0, 0, 0, 0xF7 } },
        { "model 5", { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x05, 0x00, 1, 0, 0, 0, 0xF7 } },
        { "d[10] not 0", { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x04, 0x01, 1, 0, 0, 0, 0xF7 } },
        // Cut short before the revision: no model code, no revision to show.
        { "12 data bytes", { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x04, 0x00, 1, 0xF7 } },
        { "14 data bytes", { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x04, 0x00, 1, 0, 3, 0xF7 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        VirtualMidiPorts casePorts;
        ScriptedDevice device (casePorts, "Velmora Vorlo", midiBytes (c.reply));
        RecordingListener caseListener;
        OrvaneManager49 caseManager (casePorts, clock);
        caseManager.addListener (&caseListener);

        caseManager.startDetection();
        ASSERT_TRUE (casePorts.waitUntilIdle());
        EXPECT_FALSE (caseManager.isKeyboardDetected());
        EXPECT_EQ (caseListener.count (eventDetected), 0);
    }
}

TEST_F (Detection, ALoopbackEchoingTheRequestDetectsNothing)
{
    const auto output = ports.addOutput ("MIDI Through");
    ports.connectLoopback (output, ports.addInput ("MIDI Through"));
    createManager().startDetection();

    for (int i = 0; i < 2; ++i)
    {
        settle();
        tick();
    }

    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetectionEnded));
    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (output)), 2);
}

TEST_F (Detection, ASilentKeyboardIsNotFound)
{
    SimulatedKeyboard keyboard (ports);
    keyboard.setSilent (true);
    createManager().startDetection();

    for (int i = 0; i < 2; ++i)
    {
        settle();
        tick();
    }

    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetectionEnded));
    EXPECT_FALSE (manager->isKeyboardDetected());
}

TEST_F (Detection, AnUnpluggedKeyboardIsNotFound)
{
    SimulatedKeyboard keyboard (ports);
    ports.addOutput ("Synth");
    keyboard.unplug();
    EXPECT_EQ (ports.getOutputNames(), juce::StringArray ("Synth"));

    createManager().startDetection();
    for (int i = 0; i < 2; ++i)
    {
        settle();
        tick();
    }
    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetectionEnded));
}

//==============================================================================
class PortNameFallback : public Detection
{
protected:
    void SetUp() override { OrvaneManager49::setMidiInputsAllowed (false); }

    void runWholeDetection()
    {
        createManager().startDetection();
        const int outputs = ports.getOutputNames().size();
        for (int i = 0; i < 2 * outputs; ++i)
            tick();
    }
};

TEST_F (PortNameFallback, AnExactPortNameStandsInForTheIdentityReply)
{
    SimulatedKeyboard keyboard (ports);
    runWholeDetection();

    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetected, eventDetectionEnded));
    EXPECT_EQ (manager->getDeviceCode(), 0x0400);
    EXPECT_EQ (manager->getInputPortName(), "Velmora Vorlo");
    EXPECT_EQ (manager->getOutputPortName(), "Velmora Vorlo");

    // No input was ever opened, though the keyboard answered every probe.
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (keyboard.getEditorOutput())), 2);
}

TEST_F (PortNameFallback, NamesThatAreOnlyAlikeDoNotMatch)
{
    for (auto* name : { "velmora vorlo", "Velmora Vorlo 2", " Velmora Vorlo", "Velmora Vorl", "VELMORA VORLO" })
        ports.addOutput (name);
    runWholeDetection();

    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetectionEnded));
    EXPECT_FALSE (manager->isKeyboardDetected());
}

TEST_F (PortNameFallback, EveryMatchingModelIsAppliedAndTheLastWins)
{
    ports.addOutput ("Orvane Mill");
    ports.addOutput ("Velmora Vorlo");
    runWholeDetection();

    EXPECT_THAT (listener.getEventCodes(), ElementsAre (eventDetected, eventDetected, eventDetectionEnded));
    EXPECT_EQ (manager->getDeviceCode(), 0x0101);
    EXPECT_EQ (manager->getOutputPortName(), "Orvane Mill");
}

//==============================================================================
TEST_F (Detection, TheKeyboardIdentifyingItselfAgainIsTakenAndItsInputsClosed)
{
    SimulatedKeyboard keyboard (ports);
    keyboard.setFirmwareRevision ({ 1, 0, 0, 0 });
    createManager().startDetection();
    ASSERT_TRUE (listener.waitFor (eventDetected));
    settle();

    keyboard.setFirmwareRevision ({ 2, 0, 0, 0 });
    keyboard.sendRaw (midiBytes ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x04, 0x00, 2, 0, 0, 0, 0xF7 }));
    settle();
    EXPECT_EQ (listener.count (eventDetected), 2);
    EXPECT_EQ (manager->getFirmwareRevision(), (FirmwareRevision { 2, 0, 0, 0 }));

    // Closed from the message thread, not from inside the input's own callback.
    EXPECT_GT (ports.getNumOpenInputs(), 0);
    flushMessageLoop();
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
}

TEST_F (Detection, OpeningTheInputsAgainDoesNotHearEachMessageTwice)
{
    SimulatedKeyboard keyboard (ports);
    createManager().startDetection();
    ASSERT_TRUE (listener.waitFor (eventDetected));
    manager->openInputs();
    manager->openInputs();
    EXPECT_EQ (ports.getNumOpenInputs(), 1);

    keyboard.moveControl (0x01, 5); // knob 2: the same number on both sides
    settle();
    EXPECT_EQ (listener.count (eventControlMoved), 1);
}

TEST_F (Detection, ALateIdentityReplyBindsTheKeyboardsOwnOutputNotTheOneProbedNext)
{
    SimulatedKeyboard keyboard (ports);
    keyboard.setReplyLatencyMs (300.0);
    const auto synth = ports.addOutput ("Some Synth");
    createManager().startDetection();

    // The tick moves the probe on to the synth before the keyboard answers.
    tick();
    EXPECT_EQ (countIdentityRequests (ports.getSentMessages (synth)), 1);
    ASSERT_TRUE (listener.waitFor (eventDetected));

    EXPECT_EQ (manager->getInputPortName(), "Velmora Vorlo");
    EXPECT_EQ (manager->getOutputPortName(), "Velmora Vorlo");
    ports.clearSentMessages();
    EXPECT_TRUE (manager->sendLedState (99, 0));
    EXPECT_TRUE (ports.getSentMessages (synth).empty());
    EXPECT_EQ (ports.getSentMessages (keyboard.getEditorOutput()).size(), 1u);
}
