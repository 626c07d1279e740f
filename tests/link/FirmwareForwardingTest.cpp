#include "support/DetectionRig.h"

#include <gmock/gmock.h>

#include <mutex>

namespace
{
class CountingCallback : public MidiInputPortCallback
{
public:
    void handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage&) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        sources.add (source != nullptr ? source->getName() : juce::String());
    }

    juce::StringArray getSources()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return sources;
    }

private:
    std::mutex mutex;
    juce::StringArray sources;
};
} // namespace

using FirmwareForwarding = DetectionRig;

TEST_F (FirmwareForwarding, TheBootLoadersPortsAreTakenAndOnlyItsInputIsForwarded)
{
    const auto bootIn = ports.addInput ("Velmora VORLO");
    const auto bootOut = ports.addOutput ("Velmora VORLO");
    const auto otherIn = ports.addInput ("Synth");
    OrvaneManager49::setMidiInputsAllowed (false); // the boot loader is heard all the same
    createManager();

    CountingCallback updater;
    ASSERT_TRUE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));
    EXPECT_EQ (ports.getNumOpenInputs(), 2);

    // A thru or a loopback on another input must not pass for the boot loader.
    ports.sendToInput (bootIn, juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    ports.sendToInput (otherIn, juce::MidiMessage::noteOn (11, 1, (juce::uint8) 2));
    settle();
    EXPECT_EQ (updater.getSources(), juce::StringArray ("Velmora VORLO"));

    manager->sendMessage (juce::MidiMessage::noteOn (11, 3, (juce::uint8) 4));
    EXPECT_EQ (ports.getSentMessages (bootOut).size(), 1u);

    // Detached: nothing more is forwarded, and the inputs are closed.
    EXPECT_FALSE (manager->attachFirmwareCallback (nullptr, "Velmora VORLO"));
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    ports.sendToInput (bootIn, juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    settle();
    EXPECT_EQ (updater.getSources().size(), 1);
}

TEST_F (FirmwareForwarding, AMissingOrUnopenableBootLoaderLeavesTheKeyboardsPortsAsTheyWere)
{
    ports.addInput ("Velmora Vorlo");
    const auto keyboardOut = ports.addOutput ("Velmora Vorlo");
    createManager().setDevice ("Velmora Vorlo", "Velmora Vorlo", DeviceCode::vorlo);
    manager->openInputs();
    CountingCallback updater;

    EXPECT_FALSE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));

    ports.addInput ("Velmora VORLO");
    ports.setFailsToOpen (ports.addOutput ("Velmora VORLO"), true);
    EXPECT_FALSE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));

    EXPECT_EQ (ports.getNumOpenInputs(), 1);
    EXPECT_EQ (manager->getOutputPortName(), "Velmora Vorlo");
    EXPECT_TRUE (manager->requestMidiChannel());
    EXPECT_EQ (ports.getSentMessages (keyboardOut).size(), 1u);
}

TEST_F (FirmwareForwarding, DetachingPutsTheKeyboardsOutputBack)
{
    ports.addInput ("Velmora Vorlo");
    const auto keyboardOut = ports.addOutput ("Velmora Vorlo");
    ports.addInput ("Velmora VORLO");
    const auto bootOut = ports.addOutput ("Velmora VORLO");
    createManager().setDevice ("Velmora Vorlo", "Velmora Vorlo", DeviceCode::vorlo);

    CountingCallback updater;
    ASSERT_TRUE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));
    EXPECT_TRUE (manager->requestMidiChannel());
    manager->attachFirmwareCallback (nullptr, "Velmora VORLO");
    EXPECT_TRUE (manager->requestMidiChannel());

    EXPECT_EQ (ports.getSentMessages (bootOut).size(), 1u);
    EXPECT_EQ (ports.getSentMessages (keyboardOut).size(), 1u);
    EXPECT_EQ (manager->getInputPortName(), "Velmora Vorlo");
}

TEST_F (FirmwareForwarding, AttachingStopsASearchUnderWay)
{
    ports.addInput ("Velmora VORLO");
    ports.addOutput ("Velmora VORLO");
    createManager().startDetection();
    ASSERT_TRUE (manager->isProbing());

    CountingCallback updater;
    ASSERT_TRUE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));
    EXPECT_FALSE (manager->isProbing());
    EXPECT_EQ (ports.getNumOpenInputs(), 1);
}
