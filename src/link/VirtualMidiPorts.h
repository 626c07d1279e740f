#pragma once

#include "link/MidiPorts.h"

#include <memory>
#include <vector>

// In-process MIDI ports. Devices (the simulated keyboard, a test) attach to
// them under a port name: what the editor sends on an output reaches the
// device's receiver, and what a device sends into an input reaches the
// editor's callback. Both are delivered on the ports' own delivery thread,
// never from inside the sender's call, as with a real MIDI driver.
class VirtualMidiPorts : public MidiPorts
{
public:
    using PortId = int;

    // A device's end of an output port; called on the delivery thread.
    class Receiver
    {
    public:
        virtual ~Receiver() = default;
        virtual void receive (const juce::MidiMessage& message) = 0;
    };

    struct SentMessage
    {
        double timeMs = 0.0; // juce::Time::getMillisecondCounterHiRes() when sent
        juce::MidiMessage message;
    };

    VirtualMidiPorts();
    ~VirtualMidiPorts() override;

    // A port the editor reads from. Ports are listed in the order they were
    // added, so a test places a device among others by the order it adds them.
    PortId addInput (const juce::String& name);

    // A port the editor writes to; the receiver, if any, gets what is sent.
    PortId addOutput (const juce::String& name, Receiver* receiver = nullptr);

    // Unplugs a port: it leaves the lists, an opened input on it hears nothing
    // more and what is sent on an opened output goes nowhere. On return the
    // port's receiver is not running and will not be called again.
    void removePort (PortId port);

    // Echoes everything sent on the output into the input, like a cable
    // plugged from a MIDI out back into a MIDI in.
    void connectLoopback (PortId output, PortId input);

    // Makes opening the port fail, as with a port another program holds.
    void setFailsToOpen (PortId port, bool fails);

    // A device speaks: the message reaches the editor's callbacks on that
    // input after delayMs, on the delivery thread. Messages keep their order.
    void sendToInput (PortId input, const juce::MidiMessage& message, double delayMs = 0.0);

    // Everything the editor sent on this output, with time stamps.
    std::vector<SentMessage> getSentMessages (PortId output) const;
    void clearSentMessages();

    // Whether the ports keep that record, and the unplugged ports with it:
    // on unless told, for tests to read. A program that runs for long (the
    // demo, the simulated keyboard on the system's ports) turns it off, or it
    // grows with every message and every plugging in.
    void setRecording (bool shouldRecord);

    // Inputs opened and not yet deleted, started or not.
    int getNumOpenInputs() const;

    // Waits until nothing is queued or being delivered; false on time-out.
    bool waitUntilIdle (int timeoutMs = 2000) const;

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<MidiInputPort> openInput (int index, MidiInputPortCallback& callback) override;
    std::unique_ptr<MidiOutputPort> openOutput (int index) override;

private:
    class Hub;
    class InputHandle;
    class OutputHandle;
    std::shared_ptr<Hub> hub;

    JUCE_DECLARE_NON_COPYABLE (VirtualMidiPorts)
};
