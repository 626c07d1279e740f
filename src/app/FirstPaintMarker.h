#pragma once

#include "JuceIncludes.h"

// For timing start-up from outside, and nothing else: when the environment
// variable below is set, the first paint of the window prints the monotonic
// clock (CLOCK_MONOTONIC, in nanoseconds) as "first-paint NS" on standard
// output and quits the application. Unset, it does nothing.
class FirstPaintMarker
{
public:
    static constexpr const char* environmentVariable = "VORLO_QUIT_AT_FIRST_PAINT";

    FirstPaintMarker();

    // Call when the window's content has been painted.
    void painted();

private:
    bool armed = false;
};
