#pragma once

#include "link/KeyboardFollower.h"
#include "link/ReadBackChain.h"
#include "sim/SimulatedKeyboard.h"

// The editor's link to the keyboard as its settings panel wires it (the
// manager, the watch on the ports and the read-back chain) against the
// simulated keyboard on virtual ports beside another device, with the
// detection tick and the port polls driven by hand on a hand-driven clock.
// One cycle is what a musician does over and over: plug the keyboard in,
// let the editor find it and read it, send a changed set into a memory, and
// pull the cable. Message thread only.
class SoakRig : private OrvaneManagerListener
{
public:
    explicit SoakRig (double replyLatencyMs);
    ~SoakRig() override;

    // One cycle, the first starting the editor's search as the panel does.
    // Fails with what went wrong, leaving the rig as it was at that point.
    juce::Result runCycle (int cycle);

    // Inputs of the virtual ports that are open: none between cycles.
    int getNumOpenInputs() const { return ports.getNumOpenInputs(); }

private:
    juce::Result plugInAndDetect (int cycle);
    juce::Result checkReadBack() const;
    juce::Result sendAndCheckMemory (int cycle);
    juce::Result unplug();

    void keyboardEvent (int event, int a, int b, int third) override;

    // Detection ticks, 2 s apart on the clock, each after the replies in flight arrived.
    bool tickUntil (const std::function<bool()>& condition, int maxTicks);
    bool settle() const;
    // Runs what was posted to the message thread, as the inputs' closing
    // after a read-back.
    static void flushMessageLoop();

    VirtualMidiPorts ports;
    ManualClock clock;
    SimulatedKeyboard keyboard { ports };
    OrvaneManager49 manager { ports, clock };
    KeyboardFollower follower { manager, ports };
    ReadBackChain readBack { manager };

    // Set on the MIDI thread when the keyboard came back to edits not kept:
    // the panel would ask before reading, and the soak has sent every edit.
    std::atomic<bool> detectedOverUnkeptEdits { false };

    JUCE_DECLARE_NON_COPYABLE (SoakRig)
};
