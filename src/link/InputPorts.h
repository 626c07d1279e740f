#pragma once

#include "link/MidiPorts.h"

// Every MIDI input, opened with one callback, and closed without deadlock
// from whichever thread asks.
class InputPorts
{
public:
    InputPorts (MidiPorts& portsToOpen, MidiInputPortCallback& callbackToUse) : ports (portsToOpen), callback (callbackToUse) {}
    ~InputPorts() { closeAll(); }

    // Opens and starts every input. Those opened before are closed first, or
    // each message would be heard twice.
    void openAll();
    // Opens and starts only the input of that name, closing the others.
    void openOnly (const juce::String& name);
    // Stops and deletes every input opened; once it returns, the callback is
    // not running and will not be called again.
    void closeAll();

private:
    MidiPorts& ports;
    MidiInputPortCallback& callback;

    juce::CriticalSection lock;
    std::vector<std::unique_ptr<MidiInputPort>> opened;
};
