#pragma once

#include "link/MidiPorts.h"

// The operating system's MIDI ports, through juce::MidiInput and juce::MidiOutput.
class SystemMidiPorts : public MidiPorts
{
public:
    static SystemMidiPorts& instance();

    // Whether the system can create MIDI ports of a program's own, as
    // juce::MidiInput::createNewDevice does: not without an ALSA sequencer,
    // nor on Windows.
    static bool canCreatePorts();

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<MidiInputPort> openInput (int index, MidiInputPortCallback& callback) override;
    std::unique_ptr<MidiOutputPort> openOutput (int index) override;

private:
    SystemMidiPorts();
};
