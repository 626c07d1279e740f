#include "QuietDialogs.h"
#include "calibration/PadCalibrationDialog.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int silent = -1;
} // namespace

// Opening the pad calibration dialog, from its construction to its window
// ready to show with the eight gains read. Each gain is one request, paced at
// 2 ms, and its reply after the keyboard's latency; a silent keyboard makes
// each request wait out the query's time-out instead. That is the floor.
static void padCalibrationDialogOpens (benchmark::State& state)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        state.SkipWithError ("needs a display (run under xvfb-run)");
        return;
    }

    const int latencyMs = (int) state.range (0);
    const double perPadMs =
        latencyMs == silent ? OrvaneManager49::pacingMs + OrvaneManager49::queryTimeoutMs : std::max (latencyMs, OrvaneManager49::pacingMs);
    const double floorMs = 8 * perPadMs;

    VirtualMidiPorts ports;
    SimulatedKeyboard keyboard (ports);
    keyboard.setReplyLatencyMs (std::max (latencyMs, 0));
    keyboard.setSilent (latencyMs == silent);

    OrvaneManager49::setMidiInputsAllowed (true);
    OrvaneManager49 manager (ports);
    manager.setDevice (SimulatedKeyboard::defaultPortName, SimulatedKeyboard::defaultPortName, DeviceCode::vorlo);
    QuietDialogs dialogs (false);

    double totalMs = 0.0;
    for (auto _ : state)
    {
        const double start = juce::Time::getMillisecondCounterHiRes();
        {
            PadCalibrationDialog dialog (&manager, dialogs);
            totalMs += juce::Time::getMillisecondCounterHiRes() - start;
            benchmark::DoNotOptimize (dialog.getCalibComponent().getGain (0));
        }
        ports.waitUntilIdle();
    }

    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_to_floor"] = totalMs / (double) state.iterations() / floorMs;
    OrvaneManager49::setMidiInputsAllowed (false);
}

BENCHMARK (padCalibrationDialogOpens)->Arg (1)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (20);
BENCHMARK (padCalibrationDialogOpens)->Arg (silent)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (1);
