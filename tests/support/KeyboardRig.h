#pragma once

#include "link/OrvaneManager49.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"
#include "support/RecordingListener.h"

#include <gtest/gtest.h>

// A simulated keyboard on virtual ports and a manager that already knows it:
// its output open and every input listening. The manager's clock is a manual
// one, so pacing costs no time, unless a test connects with another.
class KeyboardRig : public ::testing::Test
{
protected:
    void SetUp() override { OrvaneManager49::setMidiInputsAllowed (true); }

    void TearDown() override
    {
        manager.reset();
        OrvaneManager49::setMidiInputsAllowed (false);
    }

    OrvaneManager49& connect (Clock& clock)
    {
        manager = std::make_unique<OrvaneManager49> (ports, clock);
        manager->setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::vorlo);
        manager->addListener (&listener);
        manager->openInputs();
        return *manager;
    }

    OrvaneManager49& connect() { return connect (manualClock); }

    // Lets every message in flight arrive.
    void settle() { ASSERT_TRUE (ports.waitUntilIdle()); }

    // What the keyboard received, from the editor's output.
    std::vector<VirtualMidiPorts::SentMessage> sentToKeyboard() const { return ports.getSentMessages (keyboard.getEditorOutput()); }

    VirtualMidiPorts ports;
    SimulatedKeyboard keyboard { ports };
    ManualClock manualClock;
    RecordingListener listener;
    std::unique_ptr<OrvaneManager49> manager;
};
