#include "app/FirstPaintMarker.h"

#include <chrono>
#include <cstdio>

FirstPaintMarker::FirstPaintMarker() : armed (juce::SystemStats::getEnvironmentVariable (environmentVariable, {}).isNotEmpty()) {}

void FirstPaintMarker::painted()
{
    if (! std::exchange (armed, false))
        return;

    // steady_clock is CLOCK_MONOTONIC here, the clock the measuring script reads.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds> (std::chrono::steady_clock::now().time_since_epoch()).count();
    std::printf ("first-paint %lld\n", (long long) ns);
    std::fflush (stdout);
    juce::JUCEApplicationBase::quit();
}
