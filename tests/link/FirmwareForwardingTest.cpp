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

TEST_F (FirmwareForwarding, TheBootLoadersPortsAreTakenAndEveryMessageForwardedFirst)
{
    const auto bootIn = ports.addInput ("Velmora VORLO");
    const auto bootOut = ports.addOutput ("Velmora VORLO");
    const auto otherIn = ports.addInput ("Synth");
    OrvaneManager49::setMidiInputsAllowed (false); // the boot loader is heard all the same
    createManager();

    CountingCallback updater;
    ASSERT_TRUE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));
    EXPECT_EQ (ports.getNumOpenInputs(), 2);

    ports.sendToInput (bootIn, juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    ports.sendToInput (otherIn, juce::MidiMessage::noteOn (1, 2, (juce::uint8) 1));
    settle();
    EXPECT_EQ (updater.getSources(), juce::StringArray ("Velmora VORLO", "Synth"));

    manager->sendMessage (juce::MidiMessage::noteOn (11, 3, (juce::uint8) 4));
    EXPECT_EQ (ports.getSentMessages (bootOut).size(), 1u);

    // Detached: nothing more is forwarded, and the inputs are closed.
    EXPECT_FALSE (manager->attachFirmwareCallback (nullptr, "Velmora VORLO"));
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
    ports.sendToInput (bootIn, juce::MidiMessage::noteOn (1, 1, (juce::uint8) 1));
    settle();
    EXPECT_EQ (updater.getSources().size(), 2);
}

TEST_F (FirmwareForwarding, NoPortOfThatNameMeansNoAttachment)
{
    ports.addInput ("Velmora Vorlo");
    ports.addOutput ("Velmora Vorlo");
    createManager().openInputs();

    CountingCallback updater;
    EXPECT_FALSE (manager->attachFirmwareCallback (&updater, "Velmora VORLO"));
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
}
