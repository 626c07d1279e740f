#include "link/BootLoaderPorts.h"

juce::String BootLoaderPorts::nameOnThisSystem (const juce::String& portName)
{
    // Windows XP names the boot loader's ports generically.
    const bool isWindowsXP = juce::SystemStats::getOperatingSystemType() == juce::SystemStats::WinXP;
    return isWindowsXP ? juce::String ("USB Audio Device") : portName;
}

std::unique_ptr<MidiOutputPort> BootLoaderPorts::openOutput (MidiPorts& ports, const juce::String& name)
{
    const int outputIndex = ports.getOutputNames().indexOf (name);
    if (outputIndex < 0 || ! ports.getInputNames().contains (name))
        return nullptr;
    return ports.openOutput (outputIndex);
}

void BootLoaderPorts::forwardTo (MidiInputPortCallback* newCallback, const juce::String& sourceName)
{
    // The lock is held while forwarding, so taking it waits for a call in progress.
    const juce::ScopedLock locked (forwardLock);
    callback = newCallback;
    forwardedSourceName = sourceName;
}

bool BootLoaderPorts::isForwarding() const
{
    const juce::ScopedLock locked (forwardLock);
    return callback != nullptr;
}

void BootLoaderPorts::forward (MidiInputPort* source, const juce::String& sourceName, const juce::MidiMessage& message)
{
    const juce::ScopedLock locked (forwardLock);
    if (callback != nullptr && sourceName == forwardedSourceName)
        callback->handleIncomingMidiMessage (source, message);
}

void BootLoaderPorts::keepKeyboardPortNames (const PortNames& names)
{
    if (! keyboardPortNames)
        keyboardPortNames = names;
}

std::optional<BootLoaderPorts::PortNames> BootLoaderPorts::takeKeyboardPortNames()
{
    return std::exchange (keyboardPortNames, std::nullopt);
}
