#include "sim/SystemPortsKeyboard.h"

#include "link/SystemMidiPorts.h"

// What other software sends to the system's port, on its way to the keyboard.
class SystemPortsKeyboard::FromSystem : public juce::MidiInputCallback
{
public:
    explicit FromSystem (MidiOutputPort& keyboardToUse) : keyboard (keyboardToUse) {}

    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override { keyboard.sendMessageNow (message); }

private:
    MidiOutputPort& keyboard;
};

SystemPortsKeyboard::SystemPortsKeyboard (const juce::String& name) : portName (name)
{
    // It runs until stopped: nothing keeps a record of the messages.
    virtualPorts.setRecording (false);
    keyboard.setRecording (false);
}

SystemPortsKeyboard::~SystemPortsKeyboard()
{
    // Inputs first, so that nothing is forwarded into what goes next.
    if (systemInput != nullptr)
        systemInput->stop();
    systemInput.reset();
    fromKeyboard.reset();

    const juce::ScopedLock lock (systemOutputLock);
    systemOutput.reset();
}

std::unique_ptr<SystemPortsKeyboard> SystemPortsKeyboard::create (juce::String& whyNot, const juce::String& portName)
{
    if (! SystemMidiPorts::canCreatePorts())
    {
        whyNot = "This system offers no MIDI ports that a program can create (on Linux: no ALSA sequencer; load "
                 "the snd-seq module, or run this where a sound system is set up).";
        return {};
    }

    std::unique_ptr<SystemPortsKeyboard> bridge (new SystemPortsKeyboard (portName));
    if (! bridge->open (whyNot))
        return {};
    return bridge;
}

bool SystemPortsKeyboard::open (juce::String& whyNot)
{
    toKeyboard = virtualPorts.openOutput (virtualPorts.getOutputNames().indexOf (portName));
    fromKeyboard = virtualPorts.openInput (virtualPorts.getInputNames().indexOf (portName), *this);
    if (toKeyboard == nullptr || fromKeyboard == nullptr)
    {
        whyNot = "The simulated keyboard's own ports would not open.";
        return false;
    }

    systemOutput = juce::MidiOutput::createNewDevice (portName);
    fromSystem = std::make_unique<FromSystem> (*toKeyboard);
    systemInput = juce::MidiInput::createNewDevice (portName, fromSystem.get());
    if (systemOutput == nullptr || systemInput == nullptr)
    {
        whyNot = "The system would not create the MIDI ports \"" + portName + "\".";
        return false;
    }

    fromKeyboard->start();
    systemInput->start();
    return true;
}

void SystemPortsKeyboard::handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage& message)
{
    const juce::ScopedLock lock (systemOutputLock);
    if (systemOutput != nullptr)
        systemOutput->sendMessageNow (message);
}
