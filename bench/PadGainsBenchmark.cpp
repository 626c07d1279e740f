#include "calibration/PadGains.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr double keyboardLatencyMs = 1.0;

// The manager with the simulated keyboard detected on virtual ports.
struct DetectedKeyboard
{
    DetectedKeyboard()
    {
        keyboard.setReplyLatencyMs (keyboardLatencyMs);
        OrvaneManager49::setMidiInputsAllowed (true);
        manager.setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::vorlo);
        manager.openInputs(); // for the replies, as the pad calibration dialog opens them
    }

    ~DetectedKeyboard()
    {
        manager.closeInputs();
        OrvaneManager49::setMidiInputsAllowed (false);
    }

    VirtualMidiPorts ports;
    SimulatedKeyboard keyboard { ports };
    OrvaneManager49 manager { ports };
    PadGains gains { manager };
};
} // namespace

// Reading the eight gains, without the dialog round them: each is a request
// paced at 2 ms whose reply comes after the keyboard's 1 ms latency, so the
// pacing is the floor.
static void padGainsRead (benchmark::State& state)
{
    const double floorMs = PadGains::numPads * std::max (keyboardLatencyMs, (double) OrvaneManager49::pacingMs);
    DetectedKeyboard rig;

    double totalMs = 0.0;
    for (auto _ : state)
    {
        const double start = juce::Time::getMillisecondCounterHiRes();
        rig.gains.readFromKeyboard();
        totalMs += juce::Time::getMillisecondCounterHiRes() - start;
        if (! rig.gains.getUnreadPads().empty())
            state.SkipWithError ("a pad did not answer");
        rig.ports.waitUntilIdle();
    }

    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_to_floor"] = totalMs / (double) state.iterations() / floorMs;
}

// Applying them: eight gain messages and the store into the pad-gain
// memory, each paced at 2 ms.
static void padGainsApplied (benchmark::State& state)
{
    constexpr double floorMs = (PadGains::numPads + 1) * OrvaneManager49::pacingMs;
    DetectedKeyboard rig;
    // As after a read: every pad's gain is known, so every one is sent.
    rig.gains.readFromKeyboard();
    rig.gains.set (0, 100);

    double totalMs = 0.0;
    for (auto _ : state)
    {
        const double start = juce::Time::getMillisecondCounterHiRes();
        const auto result = rig.gains.apply();
        totalMs += juce::Time::getMillisecondCounterHiRes() - start;
        if (result != PadGains::ApplyResult::applied)
            state.SkipWithError ("the gains were not applied");
        rig.ports.waitUntilIdle();
    }

    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_to_floor"] = totalMs / (double) state.iterations() / floorMs;
}

BENCHMARK (padGainsRead)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (20);
BENCHMARK (padGainsApplied)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (20);
