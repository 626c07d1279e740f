#include "QuietDialogs.h"
#include "firmware/SolvikFWUpdater.h"
#include "firmware/UpdaterRunner.h"
#include "link/VirtualMidiPorts.h"
#include "sim/SimulatedBootLoader.h"

#include <benchmark/benchmark.h>

namespace
{
// Answers OK and runs the transfer on a worker thread, timing it alone.
class TimingDialogs final : public QuietDialogs
{
public:
    TimingDialogs() : QuietDialogs (true) {}

    bool runWithProgress (const juce::String& title, const juce::String& cancelText, int stopTimeoutMs, ProgressTask& task) override
    {
        const double start = juce::Time::getMillisecondCounterHiRes();
        const bool finished = QuietDialogs::runWithProgress (title, cancelText, stopTimeoutMs, task);
        transferMs = juce::Time::getMillisecondCounterHiRes() - start;
        return finished;
    }

    double transferMs = 0.0;
};
} // namespace

// A 16-block image to a boot loader that answers at once. The floor is the
// pacing the boot loader needs: 2 ms after each of the 512 data notes of a
// block and 10 ms eight times in it, 50 ms between blocks, and 2 ms after
// each of the sync command's two notes and the count's one.
static void firmwareTransfer (benchmark::State& state)
{
    constexpr int blocks = 16;
    constexpr double perBlockMs = FirmwareImage::blockSize * OrvaneManager49::pacingMs
        + (FirmwareImage::blockSize / SolvikFWUpdater::bytesPerPause) * SolvikFWUpdater::pauseInBlockMs;
    constexpr double floorMs = blocks * perBlockMs + (blocks - 1) * SolvikFWUpdater::pauseBetweenBlocksMs + 3 * OrvaneManager49::pacingMs;

    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("vorlo-bench", {});
    folder.createDirectory();
    const auto file = folder.getChildFile ("VORLO_bench.bin");
    juce::MemoryBlock bytes ((size_t) blocks * FirmwareImage::blockSize);
    for (size_t i = 0; i < bytes.getSize(); ++i)
        bytes[i] = (char) (i * 31);
    file.replaceWithData (bytes.getData(), bytes.getSize());

    VirtualMidiPorts ports;
    SimulatedBootLoader bootLoader (ports);
    OrvaneManager49::setMidiInputsAllowed (true);
    OrvaneManager49 manager (ports);
    TimingDialogs dialogs;

    double totalMs = 0.0;
    for (auto _ : state)
    {
        const auto outcome = UpdaterRunner::runFirmwareUpdate (&manager, file, dialogs);
        manager.stopDetection();
        if (outcome != UpdaterRunner::Outcome::succeeded)
            state.SkipWithError (dialogs.lastMessage.toRawUTF8());
        totalMs += dialogs.transferMs;
    }

    folder.deleteRecursively();
    state.counters["floor_ms"] = floorMs;
    state.counters["ratio_to_floor"] = totalMs / (double) state.iterations() / floorMs;
}

BENCHMARK (firmwareTransfer)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (1);
