#pragma once

#include "link/Clock.h"
#include "link/MidiPorts.h"

// Looks for the keyboard: sends the universal identity request to one output
// after another, one per detection tick, for a number of passes over them.
// Whoever hears the reply tells it, on the next tick, that it was found.
//
// Ticks come on the message thread; probedIndex() may be read from any.
class IdentityProbe
{
public:
    IdentityProbe (MidiPorts& portsToProbe, Clock& clockToUse) : ports (portsToProbe), clock (clockToUse) {}

    // Probes the first output. False, probing nothing, when there is none.
    bool start();
    // Closes the output being probed.
    void stop();

    enum class Step
    {
        tooSoon, // a tick too close to the last one: nothing done
        probing, // the request went to the next output
        over     // every pass is done, or the keyboard was found
    };

    // One detection tick.
    Step tick (bool keyboardFound);

    // The output the last request went to.
    int probedIndex() const noexcept { return probeIndex; }

    static constexpr int probeIntervalMs = 2000;
    static constexpr int tickGuardMs = 200;
    static constexpr int probePasses = 2;

private:
    void probe (int index);

    MidiPorts& ports;
    Clock& clock;

    std::unique_ptr<MidiOutputPort> probeOutput;
    std::atomic<int> probeIndex { 0 };
    int outputCount = 0;
    int passesLeft = 0;
    juce::uint32 lastTickMs = 0;
};
