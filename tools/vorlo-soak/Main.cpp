// vorlo-soak: detects, reads back, sends to and unplugs the simulated keyboard
// over and over in one process, as the editor does, and shows whether the
// process grows while doing so. Stops at the first cycle that goes wrong.

#include "ProcessStatus.h"
#include "SoakRig.h"

#include <iomanip>
#include <iostream>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's quarantines hold freed memory back on purpose, so that
// resident memory would grow under them whatever the program did: the soak
// runs without them, and growth means the same with the sanitizer as
// without. LeakSanitizer still reports every leak at the end.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0"; }
#endif

namespace
{
const char* const usage = "Usage: vorlo-soak [CYCLES] [--latency MS]\n"
                          "  CYCLES        how many cycles of detect, read-back, send and unplug (default 1000)\n"
                          "  --latency MS  how long the simulated keyboard takes to answer (default 1)\n";

// Memory is sampled after the first cycles, once every cache and pool the
// cycles use has been filled, and then every sampleEvery cycles.
constexpr int warmUpCycles = 10;
constexpr int sampleEvery = 100;

// Resident memory may move by a few pages as the allocator and the kernel
// please; beyond this, over the warm-up figure, the process grew.
constexpr juce::int64 toleranceKb = 512;

void printSample (int cycle, const ProcessStatus& status, const char* note = "")
{
    std::cout << "cycle " << std::setw (5) << cycle << "  resident " << std::setw (7) << status.residentKb << " kB  threads "
              << status.threads << "  open files " << status.openFiles << note << std::endl;
}
} // namespace

int main (int argc, char* argv[])
{
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    const juce::ArgumentList arguments (argc, argv);

    int cycles = 1000;
    double latencyMs = 1.0;
    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i].text;
        if (argument == "--latency" && i + 1 < arguments.size())
            latencyMs = arguments[++i].text.getDoubleValue();
        else if (argument.containsOnly ("0123456789") && argument.isNotEmpty())
            cycles = argument.getIntValue();
        else
        {
            std::cerr << "vorlo-soak: unexpected '" << argument << "'.\n" << usage;
            return 2;
        }
    }

    if (cycles < 1 || latencyMs < 0.0)
    {
        std::cerr << "vorlo-soak: at least one cycle, and a latency that is not negative.\n" << usage;
        return 2;
    }

    std::cout << "vorlo-soak: " << cycles << " cycles of detect, read-back, send and unplug; the keyboard answers after " << latencyMs
              << " ms" << std::endl;

    const double startMs = juce::Time::getMillisecondCounterHiRes();
    SoakRig rig (latencyMs);
    // Reading the status for the first time allocates what every later
    // reading reuses: that is not the cycles' growth.
    ProcessStatus::now();
    ProcessStatus warmedUp;
    juce::int64 largestKb = 0;
    for (int cycle = 0; cycle < cycles; ++cycle)
    {
        if (const auto result = rig.runCycle (cycle); result.failed())
        {
            std::cerr << "vorlo-soak: cycle " << cycle + 1 << " failed: " << result.getErrorMessage() << std::endl;
            return 1;
        }

        const int done = cycle + 1;
        if (done == warmUpCycles)
        {
            warmedUp = ProcessStatus::now();
            printSample (done, warmedUp, "  (after the warm-up)");
        }
        else if (done > warmUpCycles && (done % sampleEvery == 0 || done == cycles))
        {
            const auto sample = ProcessStatus::now();
            largestKb = juce::jmax (largestKb, sample.residentKb);
            printSample (done, sample);
        }
    }

    const double seconds = (juce::Time::getMillisecondCounterHiRes() - startMs) / 1000.0;
    const auto end = ProcessStatus::now();
    const int openInputs = rig.getNumOpenInputs();
    std::cout << std::fixed << std::setprecision (1) << cycles << " cycles in " << seconds << " s (" << seconds * 1000.0 / cycles
              << " ms a cycle)\n"
              << "peak resident (VmHWM): " << end.peakResidentKb << " kB; resident at the end (VmRSS): " << end.residentKb << " kB\n"
              << "at the end: " << end.threads << " threads, " << end.openFiles << " open files, " << openInputs << " MIDI inputs open"
              << std::endl;

    if (cycles <= warmUpCycles)
    {
        std::cout << "growth: not judged, as the run did not go past the warm-up of " << warmUpCycles << " cycles" << std::endl;
        return 0;
    }

    const auto growthKb = largestKb - warmedUp.residentKb;
    const bool leakedThreadsOrFiles = end.threads > warmedUp.threads || end.openFiles > warmedUp.openFiles || openInputs != 0;
    if (leakedThreadsOrFiles)
    {
        std::cout << "LEFT OPEN: threads, files or MIDI inputs, against " << warmedUp.threads << " threads and " << warmedUp.openFiles
                  << " open files after the warm-up" << std::endl;
        return 1;
    }

    if (growthKb > toleranceKb)
    {
        std::cout << "GROWTH: " << growthKb << " kB over the " << warmedUp.residentKb << " kB after the warm-up (tolerance " << toleranceKb
                  << " kB)" << std::endl;
        return 1;
    }

    std::cout << "no growth: at most " << growthKb << " kB over the " << warmedUp.residentKb << " kB after the warm-up (tolerance "
              << toleranceKb << " kB)" << std::endl;
    return 0;
}
