#pragma once

#include "link/MidiPorts.h"

#include <optional>

// The boot loader's ports while they stand in for the keyboard's during a
// firmware transfer: finding them, passing what arrives on the boot loader's
// input to the transfer, and keeping the keyboard's port names to put back.
//
// forward() runs on the MIDI input thread, the rest on the message thread.
class BootLoaderPorts
{
public:
    using PortNames = std::pair<juce::String, juce::String>; // input, output

    // The name the boot loader's ports go by on this system.
    static juce::String nameOnThisSystem (const juce::String& portName);

    // The boot loader's output, opened, when an input and an output of that
    // name are listed; otherwise null.
    static std::unique_ptr<MidiOutputPort> openOutput (MidiPorts& ports, const juce::String& name);

    // What arrives on the input named sourceName goes to callback; null stops
    // that. Waits for a call in progress: on return the old callback is not
    // running and will not be called again.
    void forwardTo (MidiInputPortCallback* callback, const juce::String& sourceName);
    bool isForwarding() const;
    void forward (MidiInputPort* source, const juce::String& sourceName, const juce::MidiMessage& message);

    // The keyboard's names, kept on the first call only: a second transfer
    // before the first was undone must not keep the boot loader's.
    void keepKeyboardPortNames (const PortNames& names);
    std::optional<PortNames> takeKeyboardPortNames();

private:
    mutable juce::CriticalSection forwardLock;
    MidiInputPortCallback* callback = nullptr;
    juce::String forwardedSourceName;

    std::optional<PortNames> keyboardPortNames;
};
