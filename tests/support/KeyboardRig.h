#pragma once

#include "sim/SimulatedKeyboard.h"
#include "support/DetectionRig.h"

// A simulated keyboard on the virtual ports, and a manager that already knows
// it: its output open and every input listening. The manager's clock is the
// hand-driven one, so pacing costs no time, unless a test connects with
// another.
class KeyboardRig : public DetectionRig
{
protected:
    OrvaneManager49& connect (Clock& clockToUse)
    {
        manager = std::make_unique<OrvaneManager49> (ports, clockToUse);
        manager->setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::vorlo);
        manager->addListener (&listener);
        manager->openInputs();
        return *manager;
    }

    OrvaneManager49& connect() { return connect (clock); }

    // What the keyboard received, from the editor's output.
    std::vector<VirtualMidiPorts::SentMessage> sentToKeyboard() const { return ports.getSentMessages (keyboard.getEditorOutput()); }

    SimulatedKeyboard keyboard { ports };
};
