#include "link/OrvaneManager49.h"
#include "link/ReadBackChain.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>

namespace
{
// Drives the read-back chain as the settings panel does and notes when it ends.
class ChainDriver : public OrvaneManagerListener
{
public:
    explicit ChainDriver (OrvaneManager49& manager) : chain (manager) {}

    void keyboardEvent (int event, int a, int, int) override
    {
        const bool wasReading = chain.isReadingBack();
        chain.handle (event, a);
        if (wasReading && ! chain.isReadingBack())
        {
            const std::lock_guard<std::mutex> lock (mutex);
            finished = true;
            done.notify_all();
        }
    }

    bool waitUntilFinished (int timeoutMs)
    {
        std::unique_lock<std::mutex> lock (mutex);
        return done.wait_for (lock, std::chrono::milliseconds (timeoutMs), [this] { return finished; });
    }

private:
    ReadBackChain chain;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
};
} // namespace

// From the identity request to the last LED switched off, with the keyboard
// answering after the given latency. Twelve requests each wait for their
// reply (or the 2 ms pacing, if longer), and eight LED messages follow: that
// is the floor. fits_window says whether it ended before the detection tick
// 2 s after the probe; a longer chain holds the inputs open until it ends.
static void readBackChain (benchmark::State& state)
{
    const double latencyMs = (double) state.range (0);
    const double floorMs = latencyMs + 12 * std::max (latencyMs, (double) OrvaneManager49::pacingMs) + 8 * OrvaneManager49::pacingMs;

    double totalMs = 0.0;
    bool allFit = true;
    for (auto _ : state)
    {
        VirtualMidiPorts ports;
        SimulatedKeyboard keyboard (ports);
        keyboard.setReplyLatencyMs (latencyMs);

        OrvaneManager49::setMidiInputsAllowed (true);
        OrvaneManager49 manager (ports);
        ChainDriver driver (manager);
        manager.addListener (&driver);

        // The message loop is not run here, so the detection timer never
        // fires: the window is checked against the clock instead.
        const double start = juce::Time::getMillisecondCounterHiRes();
        manager.startDetection();
        const bool finished = driver.waitUntilFinished (5000);
        const double elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;

        totalMs += elapsedMs;
        allFit = allFit && finished && elapsedMs < OrvaneManager49::probeIntervalMs;
        manager.stopListening();
    }

    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_to_floor"] = totalMs / (double) state.iterations() / floorMs;
    state.counters["fits_window"] = allFit ? 1.0 : 0.0;
}

BENCHMARK (readBackChain)
    ->Arg (1)
    ->Arg (5)
    ->Arg (50)
    ->Arg (100)
    ->Arg (140)
    ->Arg (150)
    ->Arg (160)
    ->Arg (300)
    ->Unit (benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations (3);
