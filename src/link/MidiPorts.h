#pragma once

#include "JuceIncludes.h"

class MidiInputPort;

// Receives what arrives on an opened input, on that input's own thread.
class MidiInputPortCallback
{
public:
    virtual ~MidiInputPortCallback() = default;
    virtual void handleIncomingMidiMessage (MidiInputPort* source, const juce::MidiMessage& message) = 0;
};

// An opened MIDI input. Deleting it stops it; once stop() or the destructor
// has returned, its callback is not running and will not be called again.
class MidiInputPort
{
public:
    virtual ~MidiInputPort() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual juce::String getName() const = 0;
};

// An opened MIDI output.
class MidiOutputPort
{
public:
    virtual ~MidiOutputPort() = default;
    // False when the message did not leave, as when the port is gone.
    virtual bool sendMessageNow (const juce::MidiMessage& message) = 0;
    virtual juce::String getName() const = 0;
};

// The MIDI ports the editor can see: the system's, or in-process virtual
// ones for the tests, the tools and the demo.
class MidiPorts
{
public:
    virtual ~MidiPorts() = default;

    virtual juce::StringArray getInputNames() = 0;
    virtual juce::StringArray getOutputNames() = 0;

    // Null when the index is out of range or the port will not open.
    virtual std::unique_ptr<MidiInputPort> openInput (int index, MidiInputPortCallback& callback) = 0;
    virtual std::unique_ptr<MidiOutputPort> openOutput (int index) = 0;
};
