#pragma once

#include "firmware/IFWUpdater.h"
#include "link/Clock.h"
#include "link/VirtualMidiPorts.h"

#include <mutex>

// An updater's helper wired straight to the boot loader's virtual ports, in
// place of the runner and the manager: it sends at once and pauses 2 ms,
// hands what arrives on the boot loader's input to the updater, and records
// what it sent (with the clock's time) and every progress report.
class BootLoaderLink : public IFWHelper, public MidiInputPortCallback
{
public:
    struct Sent
    {
        double timeMs;
        juce::MidiMessage message;
    };

    BootLoaderLink (VirtualMidiPorts& portsToUse, Clock& clockToUse, const juce::String& portName = "Velmora VORLO")
        : ports (portsToUse), clock (clockToUse)
    {
        output = ports.openOutput (ports.getOutputNames().indexOf (portName));
        input = ports.openInput (ports.getInputNames().indexOf (portName), *this);
        if (input != nullptr)
            input->start();
    }

    ~BootLoaderLink() override { input.reset(); }

    void setUpdater (IFWUpdater* updaterToFeed)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        updater = updaterToFeed;
    }

    void sendMidiMessage (const juce::MidiMessage& message) override
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            sent.push_back ({ clock.getMillisecondCounterHiRes(), message });
        }
        if (output != nullptr)
            output->sendMessageNow (message);
        clock.sleep (2);
    }

    void setProgress (double value) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        progress.push_back (value);
    }

    void handleIncomingMidiMessage (MidiInputPort*, const juce::MidiMessage& message) override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        if (updater != nullptr)
            updater->handleMidiMessage (message);
    }

    std::vector<Sent> getSent() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return sent;
    }

    std::vector<double> getProgress() const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return progress;
    }

    bool isConnected() const { return output != nullptr && input != nullptr; }

private:
    VirtualMidiPorts& ports;
    Clock& clock;
    std::unique_ptr<MidiOutputPort> output;
    std::unique_ptr<MidiInputPort> input;

    mutable std::mutex mutex;
    IFWUpdater* updater = nullptr;
    std::vector<Sent> sent;
    std::vector<double> progress;
};
