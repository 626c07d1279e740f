#pragma once

#include "link/Clock.h"
#include "link/VirtualMidiPorts.h"

#include <mutex>

// Real time, except that a wait while nothing is in flight on the virtual
// ports passes at once: nothing could arrive meanwhile. A wait while a
// device's answer is under way takes its real time, so a time-out against a
// slow device ends as it would in the editor; one against a silent device
// costs nothing. The timers of JUCE still run on real time.
class IdleSkippingClock : public Clock
{
public:
    explicit IdleSkippingClock (VirtualMidiPorts& portsToWatch) : ports (portsToWatch) {}

    juce::uint32 getMillisecondCounter() override { return (juce::uint32) getMillisecondCounterHiRes(); }
    double getMillisecondCounterHiRes() override { return juce::Time::getMillisecondCounterHiRes() + getSkipped(); }

    void sleep (int milliseconds) override
    {
        if (! skipIfIdle (milliseconds))
            juce::Thread::sleep (milliseconds);
    }

    void sleepUntil (double target) override
    {
        const double waitMs = target - getMillisecondCounterHiRes();
        if (waitMs > 0.0 && ! skipIfIdle (waitMs))
            Clock::system().sleepUntil (target - getSkipped());
    }

private:
    bool skipIfIdle (double milliseconds)
    {
        if (! ports.waitUntilIdle (0))
            return false;
        const std::lock_guard<std::mutex> lock (mutex);
        skipped += milliseconds;
        return true;
    }

    double getSkipped()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return skipped;
    }

    VirtualMidiPorts& ports;
    std::mutex mutex;
    double skipped = 0.0;
};
