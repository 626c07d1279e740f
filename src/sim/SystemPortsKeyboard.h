#pragma once

#include "sim/SimulatedKeyboard.h"

// The simulated keyboard on MIDI ports of the operating system named like the
// keyboard, so that the editor and any other MIDI software can talk to it as
// to the hardware. It bridges ports the system creates for this program to
// the simulated keyboard's virtual ones.
class SystemPortsKeyboard : private MidiInputPortCallback
{
public:
    // Fails, with a reason for the user, when the system cannot create ports.
    static std::unique_ptr<SystemPortsKeyboard> create (juce::String& whyNot,
                                                        const juce::String& portName = SimulatedKeyboard::defaultPortName);
    ~SystemPortsKeyboard() override;

    SimulatedKeyboard& getKeyboard() noexcept { return keyboard; }

private:
    class FromSystem;

    explicit SystemPortsKeyboard (const juce::String& portName);
    bool open (juce::String& whyNot);

    // What the keyboard says, on its way out to the system's port.
    void handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage& message) override;

    const juce::String portName;
    VirtualMidiPorts virtualPorts;
    SimulatedKeyboard keyboard { virtualPorts, portName };

    std::unique_ptr<MidiOutputPort> toKeyboard;
    std::unique_ptr<MidiInputPort> fromKeyboard;
    std::unique_ptr<FromSystem> fromSystem;
    std::unique_ptr<juce::MidiInput> systemInput;
    std::unique_ptr<juce::MidiOutput> systemOutput;
    juce::CriticalSection systemOutputLock;

    JUCE_DECLARE_NON_COPYABLE (SystemPortsKeyboard)
};
