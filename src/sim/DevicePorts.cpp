#include "sim/DevicePorts.h"

DevicePorts::DevicePorts (VirtualMidiPorts& portsToUse, const juce::String& portName, VirtualMidiPorts::Receiver& receiverToUse)
    : ports (portsToUse), name (portName), receiver (receiverToUse)
{
}

bool DevicePorts::plugIn()
{
    const juce::ScopedLock sl (lock);
    if (editorInput >= 0)
        return false;

    editorInput = ports.addInput (name);
    editorOutput = ports.addOutput (name, &receiver);
    return true;
}

void DevicePorts::unplug()
{
    VirtualMidiPorts::PortId input, output;
    {
        const juce::ScopedLock sl (lock);
        input = std::exchange (editorInput, -1);
        output = std::exchange (editorOutput, -1);
    }

    // Outside the lock: removing a port waits for a delivery in progress,
    // which may be speaking through this very object.
    if (input >= 0)
        ports.removePort (input);
    if (output >= 0)
        ports.removePort (output);
}

bool DevicePorts::isPluggedIn() const
{
    const juce::ScopedLock sl (lock);
    return editorInput >= 0;
}

VirtualMidiPorts::PortId DevicePorts::getEditorInput() const
{
    const juce::ScopedLock sl (lock);
    return editorInput;
}

VirtualMidiPorts::PortId DevicePorts::getEditorOutput() const
{
    const juce::ScopedLock sl (lock);
    return editorOutput;
}

void DevicePorts::speak (const juce::MidiMessage& message, double delayMs)
{
    const juce::ScopedLock sl (lock);
    if (editorInput >= 0)
        ports.sendToInput (editorInput, message, delayMs);
}
