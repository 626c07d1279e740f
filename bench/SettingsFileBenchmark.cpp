#include "documents/SettingsFile.h"

#include <benchmark/benchmark.h>

// Saving and loading a typical settings file: the default assignment of the
// keyboard's 37 controls, about 4 KB. The floor of a save is writing the same
// bytes in place and waiting until they are on the disk, as the save does
// before its rename; the floor of a load is reading the bytes. Only the save
// or the load is timed.
namespace
{
struct TypicalFile
{
    TypicalFile()
    {
        cache.applyDefaultValues();
        folder.createDirectory();
        bytes = SettingsFile::toText (cache).toStdString();
    }
    ~TypicalFile() { folder.deleteRecursively(); }

    ValueCache cache;
    juce::File folder = juce::File::createTempFile ("vorlo-bench");
    juce::File file = folder.getChildFile ("Typical.vorlo25");
    std::string bytes;
};

double plainWriteMs (const juce::File& file, const std::string& bytes)
{
    const double start = juce::Time::getMillisecondCounterHiRes();
    {
        juce::FileOutputStream out (file);
        out.setPosition (0);
        out.truncate();
        out.write (bytes.data(), bytes.size());
        out.flush();
    }
    return juce::Time::getMillisecondCounterHiRes() - start;
}

double plainReadMs (const juce::File& file)
{
    const double start = juce::Time::getMillisecondCounterHiRes();
    juce::MemoryBlock data;
    file.loadFileAsData (data);
    benchmark::DoNotOptimize (data.getData());
    return juce::Time::getMillisecondCounterHiRes() - start;
}
} // namespace

static void settingsFileSaves (benchmark::State& state)
{
    TypicalFile typical;
    double totalMs = 0.0, floorMs = 0.0;
    for (auto _ : state)
    {
        const double start = juce::Time::getMillisecondCounterHiRes();
        if (SettingsFile::save (typical.cache, typical.file).failed())
            state.SkipWithError ("the save failed");
        const double ms = juce::Time::getMillisecondCounterHiRes() - start;
        state.SetIterationTime (ms / 1000.0);
        totalMs += ms;
        floorMs += plainWriteMs (typical.folder.getChildFile ("plain.vorlo25"), typical.bytes);
    }
    state.counters["bytes"] = (double) typical.bytes.size();
    state.counters["floor_ms"] = floorMs / (double) state.iterations();
    state.counters["ratio_to_floor"] = totalMs / floorMs;
}

static void settingsFileLoads (benchmark::State& state)
{
    TypicalFile typical;
    SettingsFile::save (typical.cache, typical.file);
    double totalMs = 0.0, floorMs = 0.0;
    for (auto _ : state)
    {
        ValueCache cache;
        const double start = juce::Time::getMillisecondCounterHiRes();
        if (SettingsFile::load (cache, typical.file).failed())
            state.SkipWithError ("the load failed");
        const double ms = juce::Time::getMillisecondCounterHiRes() - start;
        state.SetIterationTime (ms / 1000.0);
        totalMs += ms;
        floorMs += plainReadMs (typical.file);
    }
    state.counters["floor_ms"] = floorMs / (double) state.iterations();
    state.counters["ratio_to_floor"] = totalMs / floorMs;
}

BENCHMARK (settingsFileSaves)->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (50);
BENCHMARK (settingsFileLoads)->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (500);
