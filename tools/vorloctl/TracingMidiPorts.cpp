#include "vorloctl/TracingMidiPorts.h"

#include "vorloctl/MessageDescription.h"

class TracingMidiPorts::TracedInput : public MidiInputPort, private MidiInputPortCallback
{
public:
    TracedInput (TracingMidiPorts& owner, MidiInputPortCallback& target) : tracer (owner), callback (target) {}

    bool open (int index)
    {
        input = tracer.ports.openInput (index, *this);
        return input != nullptr;
    }

    void start() override { input->start(); }
    void stop() override { input->stop(); }
    juce::String getName() const override { return input->getName(); }

private:
    void handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage& message) override
    {
        tracer.trace ("<-", getName(), message);
        callback.handleIncomingMidiMessage (this, message);
    }

    TracingMidiPorts& tracer;
    MidiInputPortCallback& callback;
    std::unique_ptr<MidiInputPort> input;
};

class TracingMidiPorts::TracedOutput : public MidiOutputPort
{
public:
    TracedOutput (TracingMidiPorts& owner, std::unique_ptr<MidiOutputPort> outputToTrace)
        : tracer (owner), output (std::move (outputToTrace))
    {
    }

    bool sendMessageNow (const juce::MidiMessage& message) override
    {
        tracer.trace ("->", getName(), message);
        return output->sendMessageNow (message);
    }

    juce::String getName() const override { return output->getName(); }

private:
    TracingMidiPorts& tracer;
    std::unique_ptr<MidiOutputPort> output;
};

TracingMidiPorts::TracingMidiPorts (MidiPorts& portsToTrace, std::ostream& traceStream)
    : ports (portsToTrace), stream (traceStream), startMs (juce::Time::getMillisecondCounterHiRes())
{
}

std::unique_ptr<MidiInputPort> TracingMidiPorts::openInput (int index, MidiInputPortCallback& callback)
{
    auto input = std::make_unique<TracedInput> (*this, callback);
    if (! input->open (index))
        return nullptr;
    return input;
}

std::unique_ptr<MidiOutputPort> TracingMidiPorts::openOutput (int index)
{
    auto output = ports.openOutput (index);
    if (output == nullptr)
        return nullptr;
    return std::make_unique<TracedOutput> (*this, std::move (output));
}

void TracingMidiPorts::trace (const char* direction, const juce::String& portName, const juce::MidiMessage& message)
{
    const double elapsedMs = juce::Time::getMillisecondCounterHiRes() - startMs;
    const auto bytes = juce::String::toHexString (message.getRawData(), message.getRawDataSize()).toUpperCase();
    const auto line = juce::String (elapsedMs, 3).paddedLeft (' ', 10) + " ms  " + direction + " " + portName + "  " + bytes + "  "
        + describeMessage (message, false).joinIntoString ("; ");

    const juce::ScopedLock lock (streamLock);
    stream << line << std::endl;
}
