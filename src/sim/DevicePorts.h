#pragma once

#include "link/VirtualMidiPorts.h"

// A device's pair of virtual ports under its name, as a cable plugs it in:
// the editor's input, where the device speaks, and the editor's output,
// where it listens through its receiver. Plugging in puts them at the end of
// the port lists; unplugging takes them out. Safe to use from any thread.
class DevicePorts
{
public:
    DevicePorts (VirtualMidiPorts& ports, const juce::String& name, VirtualMidiPorts::Receiver& receiver);

    // True when it plugged in; false when it already was.
    bool plugIn();
    // On return the receiver is not running and will not be called again.
    // The device's owner unplugs it before it goes.
    void unplug();
    bool isPluggedIn() const;

    VirtualMidiPorts::PortId getEditorInput() const;
    VirtualMidiPorts::PortId getEditorOutput() const;

    // The device speaks: the message reaches the editor after delayMs.
    // Nothing happens while it is unplugged.
    void speak (const juce::MidiMessage& message, double delayMs = 0.0);

    VirtualMidiPorts& getPorts() const noexcept { return ports; }
    const juce::String& getName() const noexcept { return name; }

private:
    VirtualMidiPorts& ports;
    const juce::String name;
    VirtualMidiPorts::Receiver& receiver;

    mutable juce::CriticalSection lock;
    VirtualMidiPorts::PortId editorInput = -1, editorOutput = -1;

    JUCE_DECLARE_NON_COPYABLE (DevicePorts)
};
