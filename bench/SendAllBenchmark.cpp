#include "link/OrvaneManager49.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

// Sending the whole default set into a memory: 221 messages, each paced at
// 2 ms, so 442 ms is the floor. The keyboard answers without latency.
// shortest_gap_ms is the shortest time between two messages as they left,
// which the keyboard needs to be 2 ms at least; longest_gap_ms shows the
// machine's scheduling getting in the way.
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
    double shortestGapMs = floorMs, longestGapMs = 0.0;
    for (auto _ : state)
    {
        ports.clearSentMessages();
        const double start = juce::Time::getMillisecondCounterHiRes();
        benchmark::DoNotOptimize (manager.sendAllToKeyboard (1));
        totalMs += juce::Time::getMillisecondCounterHiRes() - start;
        ports.waitUntilIdle();

        const auto sent = ports.getSentMessages (keyboard.getEditorOutput());
        for (size_t i = 1; i < sent.size(); ++i)
        {
            shortestGapMs = std::min (shortestGapMs, sent[i].timeMs - sent[i - 1].timeMs);
            longestGapMs = std::max (longestGapMs, sent[i].timeMs - sent[i - 1].timeMs);
        }
    }

    state.counters["floor_ms"] = floorMs;
    state.counters["shortest_gap_ms"] = shortestGapMs;
    state.counters["longest_gap_ms"] = longestGapMs; // a long one is the machine busy elsewhere
    state.counters["ratio_to_floor"] = totalMs / (double) state.iterations() / floorMs;
}

BENCHMARK (sendAllToKeyboard)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (10);
