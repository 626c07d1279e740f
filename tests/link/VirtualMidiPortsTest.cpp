#include "link/VirtualMidiPorts.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

#include <mutex>

namespace
{
class CollectingCallback : public MidiInputPortCallback
{
public:
    void handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage& message) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        received.push_back ({ source != nullptr ? source->getName() : juce::String(), message, std::this_thread::get_id() });
    }

    struct Received
    {
        juce::String source;
        juce::MidiMessage message;
        std::thread::id thread;
    };

    std::vector<Received> get()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return received;
    }

    std::mutex mutex;
    std::vector<Received> received;
};
} // namespace

TEST (VirtualMidiPorts, DeliversInOrderOnItsOwnThreadAfterTheDelay)
{
    VirtualMidiPorts ports;
    const auto input = ports.addInput ("Keys");
    CollectingCallback callback;
    auto opened = ports.openInput (0, callback);
    ASSERT_NE (opened, nullptr);
    opened->start();

    const auto start = juce::Time::getMillisecondCounterHiRes();
    ports.sendToInput (input, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 30.0);
    ports.sendToInput (input, juce::MidiMessage::noteOn (1, 61, (juce::uint8) 100), 30.0);
    ports.sendToInput (input, juce::MidiMessage::noteOn (1, 62, (juce::uint8) 100), 30.0);
    EXPECT_TRUE (callback.get().empty()) << "never from inside the sender's call";

    ASSERT_TRUE (ports.waitUntilIdle());
    const auto received = callback.get();
    ASSERT_EQ (received.size(), 3u);
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - start, 29.0);
    EXPECT_EQ (received[0].message.getNoteNumber(), 60);
    EXPECT_EQ (received[2].message.getNoteNumber(), 62);
    EXPECT_EQ (received[0].source, "Keys");
    EXPECT_NE (received[0].thread, std::this_thread::get_id());
}

TEST (VirtualMidiPorts, AStoppedOrDeletedInputHearsNothing)
{
    VirtualMidiPorts ports;
    const auto input = ports.addInput ("Keys");
    CollectingCallback callback;
    auto opened = ports.openInput (0, callback);

    ports.sendToInput (input, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1));
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_TRUE (callback.get().empty()) << "not started yet";

    opened->start();
    opened->stop();
    ports.sendToInput (input, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1));
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_TRUE (callback.get().empty());

    EXPECT_EQ (ports.getNumOpenInputs(), 1);
    opened.reset();
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
}

TEST (VirtualMidiPorts, RecordsWhatIsSentAndEchoesThroughALoopback)
{
    VirtualMidiPorts ports;
    const auto output = ports.addOutput ("Through");
    ports.connectLoopback (output, ports.addInput ("Through"));

    CollectingCallback callback;
    auto input = ports.openInput (0, callback);
    input->start();
    auto out = ports.openOutput (0);
    ASSERT_NE (out, nullptr);
    EXPECT_EQ (out->getName(), "Through");

    const auto message = juce::MidiMessage::controllerEvent (1, 7, 100);
    out->sendMessageNow (message);
    ASSERT_TRUE (ports.waitUntilIdle());

    const auto sent = ports.getSentMessages (output);
    ASSERT_EQ (sent.size(), 1u);
    EXPECT_TRUE (sameBytes (sent[0].message, message));
    EXPECT_GT (sent[0].timeMs, 0.0);
    ASSERT_EQ (callback.get().size(), 1u);
    EXPECT_TRUE (sameBytes (callback.get()[0].message, message));
}

TEST (VirtualMidiPorts, FailingAndUnpluggedPorts)
{
    VirtualMidiPorts ports;
    const auto a = ports.addOutput ("A");
    const auto b = ports.addOutput ("B");
    ports.addOutput ("C");
    ports.setFailsToOpen (a, true);

    EXPECT_EQ (ports.openOutput (0), nullptr);
    EXPECT_EQ (ports.openOutput (3), nullptr);
    auto opened = ports.openOutput (1);
    ASSERT_NE (opened, nullptr);

    ports.removePort (b);
    EXPECT_EQ (ports.getOutputNames(), juce::StringArray ("A", "C"));

    // Sending into a vanished port goes nowhere and does not crash.
    opened->sendMessageNow (juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    EXPECT_TRUE (ports.getSentMessages (b).empty());
}

TEST (VirtualMidiPorts, ACallbackMayCloseItsOwnInput)
{
    struct Closer : MidiInputPortCallback
    {
        void handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage&) override
        {
            ++calls;
            port.reset();
        }
        std::unique_ptr<MidiInputPort> port;
        std::atomic<int> calls { 0 };
    } closer;

    VirtualMidiPorts ports;
    const auto input = ports.addInput ("Keys");
    closer.port = ports.openInput (0, closer);
    closer.port->start();

    ports.sendToInput (input, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1));
    ports.sendToInput (input, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1));
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (closer.calls, 1);
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
}

// The demo and the simulated keyboard on the system's ports run for hours:
// a record of every message, and of every port ever unplugged, grew without end.
TEST (VirtualMidiPorts, WithoutARecordMessagesStillArriveAndAnUnpluggedPortLeavesNothingBehind)
{
    struct Counter : VirtualMidiPorts::Receiver
    {
        void receive (const juce::MidiMessage&) override { ++count; }
        std::atomic<int> count { 0 };
    } device;

    VirtualMidiPorts ports;
    ports.setRecording (false);

    for (int plugging = 0; plugging < 3; ++plugging)
    {
        const auto output = ports.addOutput ("Keys", &device);
        auto opened = ports.openOutput (0);
        ASSERT_NE (opened, nullptr);
        EXPECT_EQ (opened->getName(), "Keys");
        EXPECT_TRUE (opened->sendMessageNow (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1)));
        ASSERT_TRUE (ports.waitUntilIdle());
        EXPECT_TRUE (ports.getSentMessages (output).empty());

        ports.removePort (output);
        EXPECT_FALSE (opened->sendMessageNow (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1))) << "into nothing";
        EXPECT_TRUE (ports.getOutputNames().isEmpty());
        EXPECT_EQ (ports.openOutput (0), nullptr);
    }

    EXPECT_EQ (device.count, 3);
}
