#pragma once

#include "link/MidiPorts.h"

#include <ostream>

// Ports that pass everything through to other ports and write a line for
// every message sent or received: the time since they were made, the
// direction and port, the bytes and what they are. Lines come from the MIDI
// input threads and the sender's thread, one whole line at a time.
class TracingMidiPorts : public MidiPorts
{
public:
    TracingMidiPorts (MidiPorts& portsToTrace, std::ostream& traceStream);

    juce::StringArray getInputNames() override { return ports.getInputNames(); }
    juce::StringArray getOutputNames() override { return ports.getOutputNames(); }
    std::unique_ptr<MidiInputPort> openInput (int index, MidiInputPortCallback& callback) override;
    std::unique_ptr<MidiOutputPort> openOutput (int index) override;

    // One trace line: "  12.345 ms  -> Port  F0 ... F7  what it is".
    void trace (const char* direction, const juce::String& portName, const juce::MidiMessage& message);

private:
    class TracedInput;
    class TracedOutput;

    MidiPorts& ports;
    std::ostream& stream;
    const double startMs;
    juce::CriticalSection streamLock;
};
