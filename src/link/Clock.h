#pragma once

#include "JuceIncludes.h"

#include <mutex>

// Where the manager and the firmware transfer read the time and wait. Tests
// put in a ManualClock so that seconds of ticks and time-outs pass at once.
class Clock
{
public:
    virtual ~Clock() = default;

    // Whole milliseconds that wrap around, as JUCE's millisecond counter.
    virtual juce::uint32 getMillisecondCounter() = 0;
    // Milliseconds with sub-millisecond resolution.
    virtual double getMillisecondCounterHiRes() = 0;

    virtual void sleep (int milliseconds) = 0;
    virtual void sleepUntil (double millisecondCounterHiRes) = 0;

    // The clock of the real program: JUCE's millisecond counters and the thread's sleep.
    static Clock& system();
};

// A clock that only moves when told to. Its sleeps move it at once and yield
// the thread, so a waiting loop lets other threads run but never waits for
// real time.
class ManualClock : public Clock
{
public:
    explicit ManualClock (double startMs = 100000.0) : now (startMs) {}

    juce::uint32 getMillisecondCounter() override;
    double getMillisecondCounterHiRes() override;
    void sleep (int milliseconds) override;
    void sleepUntil (double millisecondCounterHiRes) override;

    void advance (double milliseconds);
    void set (double milliseconds);

private:
    std::mutex mutex;
    double now;
};
