#include "link/Clock.h"

namespace
{
class SystemClock final : public Clock
{
public:
    juce::uint32 getMillisecondCounter() override { return juce::Time::getMillisecondCounter(); }
    void sleep (int milliseconds) override { juce::Thread::sleep (milliseconds); }
};
} // namespace

Clock& Clock::system()
{
    static SystemClock clock;
    return clock;
}

void ManualClock::sleep (int milliseconds)
{
    advance (milliseconds);
    std::this_thread::yield();
}
