#pragma once

#include "JuceIncludes.h"

// Where the manager and the firmware transfer read the time and wait. Tests
// put in a ManualClock so that seconds of ticks and time-outs pass at once.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual juce::uint32 getMillisecondCounter() = 0;
    virtual void sleep (int milliseconds) = 0;

    // The clock of the real program: JUCE's millisecond counter and Thread::sleep.
    static Clock& system();
};

// A clock that only moves when told to. sleep() advances it at once and
// yields the thread, so a waiting loop lets other threads run but never waits
// for real time.
class ManualClock : public Clock
{
public:
    explicit ManualClock (juce::uint32 startMs = 100000) : now (startMs) {}

    juce::uint32 getMillisecondCounter() override { return now.load(); }
    void sleep (int milliseconds) override;
    void advance (int milliseconds) { now += (juce::uint32) milliseconds; }
    void set (juce::uint32 milliseconds) { now = milliseconds; }

private:
    std::atomic<juce::uint32> now;
};
