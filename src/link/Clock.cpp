#include "link/Clock.h"

#include <thread>

namespace
{
class SystemClock final : public Clock
{
public:
    juce::uint32 getMillisecondCounter() override { return juce::Time::getMillisecondCounter(); }
    double getMillisecondCounterHiRes() override { return juce::Time::getMillisecondCounterHiRes(); }
    void sleep (int milliseconds) override { juce::Thread::sleep (milliseconds); }

    // The system's sleep may wake a fraction of a millisecond late, and a
    // wait may never end early: sleep to just before the target, then wait
    // out the rest by yielding.
    void sleepUntil (double target) override
    {
        const double sleepMs = target - getMillisecondCounterHiRes() - preciseWaitMs;
        if (sleepMs > 0.0)
            std::this_thread::sleep_for (std::chrono::microseconds ((juce::int64) (sleepMs * 1000.0)));

        while (getMillisecondCounterHiRes() < target)
        {
        }
    }

private:
    static constexpr double preciseWaitMs = 0.6;
};
} // namespace

Clock& Clock::system()
{
    static SystemClock clock;
    return clock;
}

juce::uint32 ManualClock::getMillisecondCounter() { return (juce::uint32) (juce::int64) getMillisecondCounterHiRes(); }

double ManualClock::getMillisecondCounterHiRes()
{
    const std::lock_guard<std::mutex> lock (mutex);
    return now;
}

void ManualClock::sleep (int milliseconds)
{
    advance (milliseconds);
    std::this_thread::yield();
}

void ManualClock::sleepUntil (double target)
{
    {
        const std::lock_guard<std::mutex> lock (mutex);
        now = std::max (now, target);
    }
    std::this_thread::yield();
}

void ManualClock::advance (double milliseconds)
{
    const std::lock_guard<std::mutex> lock (mutex);
    now += milliseconds;
}

void ManualClock::set (double milliseconds)
{
    const std::lock_guard<std::mutex> lock (mutex);
    now = milliseconds;
}
