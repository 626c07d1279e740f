#pragma once

#include "link/VirtualMidiPorts.h"

// A device on a pair of ports that answers the identity request with a
// fixed message, for replies the manager must not take for the keyboard's.
class ScriptedDevice : public VirtualMidiPorts::Receiver
{
public:
    ScriptedDevice (VirtualMidiPorts& portsToUse, const juce::String& name, juce::MidiMessage replyToUse)
        : ports (portsToUse), reply (std::move (replyToUse))
    {
        input = ports.addInput (name);
        output = ports.addOutput (name, this);
    }

    ~ScriptedDevice() override
    {
        ports.removePort (input);
        ports.removePort (output);
    }

    void receive (const juce::MidiMessage& message) override
    {
        if (message.isSysEx() && message.getSysExDataSize() == 4 && message.getSysExData()[0] == 0x7E)
            ports.sendToInput (input, reply);
    }

    VirtualMidiPorts& ports;
    juce::MidiMessage reply;
    VirtualMidiPorts::PortId input = -1, output = -1;
};
