#pragma once

#include "link/Clock.h"
#include "link/VirtualMidiPorts.h"

// A hand-driven clock for flows that wait for a device's answers: before
// time moves on at a sleep, every message in flight on the virtual ports
// arrives. Waits of seconds then pass at once, and an answer is never missed
// because real time ran slower than the driven one.
class SettlingClock : public ManualClock
{
public:
    explicit SettlingClock (VirtualMidiPorts& portsToSettle) : ports (portsToSettle) {}

    void sleep (int milliseconds) override
    {
        ports.waitUntilIdle();
        ManualClock::sleep (milliseconds);
    }

    void sleepUntil (double millisecondCounterHiRes) override
    {
        ports.waitUntilIdle();
        ManualClock::sleepUntil (millisecondCounterHiRes);
    }

private:
    VirtualMidiPorts& ports;
};
