#pragma once

#include "link/OrvaneManager49.h"
#include "link/VirtualMidiPorts.h"
#include "support/RecordingListener.h"
#include "support/ScriptedDevice.h"

#include <gtest/gtest.h>

// Virtual ports, a hand-driven clock and a manager whose events are
// recorded. Tests arrange the ports, then call createManager(). The
// detection tick is driven by tick(), never by waiting.
class DetectionRig : public ::testing::Test
{
protected:
    void SetUp() override { OrvaneManager49::setMidiInputsAllowed (true); }

    void TearDown() override
    {
        manager.reset();
        OrvaneManager49::setMidiInputsAllowed (false);
    }

    OrvaneManager49& createManager()
    {
        manager = std::make_unique<OrvaneManager49> (ports, clock);
        manager->addListener (&listener);
        return *manager;
    }

    // One detection tick, 2 s after the previous one.
    void tick (int afterMs = OrvaneManager49::probeIntervalMs)
    {
        clock.advance (afterMs);
        manager->timerCallback();
    }

    // A detection tick at this clock reading.
    void tickAt (juce::uint32 timeMs)
    {
        clock.set (timeMs);
        manager->timerCallback();
    }

    // Lets every message in flight arrive.
    void settle() { ASSERT_TRUE (ports.waitUntilIdle()); }

    VirtualMidiPorts ports;
    ManualClock clock;
    RecordingListener listener;
    std::unique_ptr<OrvaneManager49> manager;
};
