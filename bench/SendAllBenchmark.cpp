#include "link/OrvaneManager49.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

// Sending the whole default set into a memory: 221 messages, each paced at
// 2 ms, so 442 ms is the floor. The keyboard answers without latency.
static void sendAllToKeyboard (benchmark::State& state)
{
    constexpr double floorMs = 221 * OrvaneManager49::pacingMs;

    VirtualMidiPorts ports;
    SimulatedKeyboard keyboard (ports);
    keyboard.setReplyLatencyMs (0.0);

    OrvaneManager49 manager (ports);
    manager.setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::vorlo);
    manager.getCache().applyDefaultValues(); // every value given, so all 221 messages go

    double totalMs = 0.0;
    for (auto _ : state)
    {
        const double start = juce::Time::getMillisecondCounterHiRes();
        benchmark::DoNotOptimize (manager.sendAllToKeyboard (1));
        totalMs += juce::Time::getMillisecondCounterHiRes() - start;
        ports.waitUntilIdle();
    }

    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_to_floor"] = totalMs / (double) state.iterations() / floorMs;
}

BENCHMARK (sendAllToKeyboard)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (10);
