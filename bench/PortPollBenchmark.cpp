#include "link/KeyboardFollower.h"
#include "link/SystemMidiPorts.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

// One look at the port lists, as the editor takes once a second while it
// follows the keyboard, with nothing changed since the last.

// The system's ports, with no keyboard found: the output list is read.
static void portPollOnTheSystemPorts (benchmark::State& state)
{
    auto& ports = SystemMidiPorts::instance();
    OrvaneManager49 manager (ports);
    KeyboardFollower follower (manager, ports);
    follower.startFollowing();

    for (auto _ : state)
        follower.poll();

    state.counters["outputs"] = ports.getOutputNames().size();
}

// Virtual ports with the keyboard connected among other devices: both lists
// are read, to see that the keyboard's ports are still there.
static void portPollWithTheKeyboardConnected (benchmark::State& state)
{
    VirtualMidiPorts ports;
    for (int i = 0; i < 4; ++i)
    {
        ports.addInput ("Device " + juce::String (i));
        ports.addOutput ("Device " + juce::String (i));
    }
    SimulatedKeyboard keyboard (ports);

    OrvaneManager49 manager (ports);
    manager.setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::vorlo);
    KeyboardFollower follower (manager, ports);
    follower.startFollowing();

    for (auto _ : state)
        follower.poll();

    if (follower.getState() != KeyboardFollower::State::connected)
        state.SkipWithError ("the keyboard was not followed");
}

BENCHMARK (portPollOnTheSystemPorts)->Unit (benchmark::kMicrosecond);
BENCHMARK (portPollWithTheKeyboardConnected)->Unit (benchmark::kMicrosecond);
