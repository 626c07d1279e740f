#include "link/SystemMidiPorts.h"

#if JUCE_LINUX
 #include <alsa/asoundlib.h>
#endif

namespace
{
juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;
    for (const auto& device : devices)
        names.add (device.name);
    return names;
}

class SystemInputPort final : public MidiInputPort, private juce::MidiInputCallback
{
public:
    SystemInputPort (const juce::MidiDeviceInfo& device, MidiInputPortCallback& callbackToUse)
        : callback (callbackToUse), input (juce::MidiInput::openDevice (device.identifier, this))
    {
    }

    bool isOpen() const { return input != nullptr; }

    void start() override { input->start(); }
    void stop() override { input->stop(); }
    juce::String getName() const override { return input->getName(); }

private:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        callback.handleIncomingMidiMessage (this, message);
    }

    MidiInputPortCallback& callback;
    std::unique_ptr<juce::MidiInput> input;
};

class SystemOutputPort final : public MidiOutputPort
{
public:
    explicit SystemOutputPort (std::unique_ptr<juce::MidiOutput> outputToUse) : output (std::move (outputToUse)) {}

    // The system's MIDI layer reports no failure of a send.
    bool sendMessageNow (const juce::MidiMessage& message) override
    {
        output->sendMessageNow (message);
        return true;
    }
    juce::String getName() const override { return output->getName(); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};

#if JUCE_LINUX
// ALSA prints an error on every call when there is no sequencer (no MIDI
// hardware or driver); the editor then simply sees no ports.
void ignoreAlsaError (const char*, int, const char*, int, const char*, ...) {}
#endif
} // namespace

SystemMidiPorts::SystemMidiPorts()
{
#if JUCE_LINUX
    snd_lib_error_set_handler (ignoreAlsaError);
#endif
}

bool SystemMidiPorts::canCreatePorts()
{
#if JUCE_LINUX
    instance(); // silences ALSA's complaints first
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open (&sequencer, "default", SND_SEQ_OPEN_DUPLEX, 0) < 0)
        return false;
    snd_seq_close (sequencer);
    return true;
#elif JUCE_WINDOWS
    return false;
#else
    return true;
#endif
}

SystemMidiPorts& SystemMidiPorts::instance()
{
    static SystemMidiPorts ports;
    return ports;
}

juce::StringArray SystemMidiPorts::getInputNames() { return namesOf (juce::MidiInput::getAvailableDevices()); }

juce::StringArray SystemMidiPorts::getOutputNames() { return namesOf (juce::MidiOutput::getAvailableDevices()); }

std::unique_ptr<MidiInputPort> SystemMidiPorts::openInput (int index, MidiInputPortCallback& callback)
{
    const auto devices = juce::MidiInput::getAvailableDevices();
    if (! juce::isPositiveAndBelow (index, devices.size()))
        return {};

    auto port = std::make_unique<SystemInputPort> (devices.getReference (index), callback);
    if (! port->isOpen())
        return {};

    return port;
}

std::unique_ptr<MidiOutputPort> SystemMidiPorts::openOutput (int index)
{
    const auto devices = juce::MidiOutput::getAvailableDevices();
    if (! juce::isPositiveAndBelow (index, devices.size()))
        return {};

    auto output = juce::MidiOutput::openDevice (devices.getReference (index).identifier);
    if (output == nullptr)
        return {};

    return std::make_unique<SystemOutputPort> (std::move (output));
}
