#include "JuceIncludes.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>

// Every input of the fuzz harnesses' corpora, seeds and pinned findings
// alike, fed once through its harness as an ordinary test: each past finding
// stays a regression test that runs in milliseconds, with no fuzzer and no
// second compiler. A harness reports a finding by aborting, so a failing
// input shows as a crashed test named after its file.

// The harnesses' entry points, compiled into the suite under these names.
extern "C" int fuzzSettingsLoader (const std::uint8_t* data, std::size_t size);
extern "C" int fuzzManagerInput (const std::uint8_t* data, std::size_t size);
extern "C" int fuzzFirmwareAnswers (const std::uint8_t* data, std::size_t size);
extern "C" int fuzzMessageModel (const std::uint8_t* data, std::size_t size);

namespace
{
struct Harness
{
    const char* name; // its corpus folder under tests/fuzz/corpus
    int (*entry) (const std::uint8_t*, std::size_t);
};

const Harness harnesses[] = { { "settings-loader", fuzzSettingsLoader },
                              { "manager-input", fuzzManagerInput },
                              { "firmware-answers", fuzzFirmwareAnswers },
                              { "message-model", fuzzMessageModel } };

const juce::File corpusFolder (VORLO_FUZZ_CORPUS_DIR);

struct CorpusInput
{
    const Harness* harness;
    juce::File file;
};

void PrintTo (const CorpusInput& input, std::ostream* out) { *out << input.harness->name << "/" << input.file.getFileName(); }

std::vector<CorpusInput> everyCorpusInput()
{
    std::vector<CorpusInput> inputs;
    for (const auto& harness : harnesses)
    {
        auto files =
            corpusFolder.getChildFile (harness.name).findChildFiles (juce::File::findFiles, false, "*", juce::File::FollowSymlinks::no);
        files.sort();
        for (const auto& file : files)
            inputs.push_back ({ &harness, file });
    }
    return inputs;
}

// "settings_loader__pi_before_text_vorlo25": test names take letters, digits and underscores only.
std::string testNameOf (const ::testing::TestParamInfo<CorpusInput>& info)
{
    auto name = std::string (info.param.harness->name) + "__" + info.param.file.getFileName().toStdString();
    for (auto& c : name)
        if (! std::isalnum (static_cast<unsigned char> (c)))
            c = '_';
    return name;
}

class CorpusReplay : public ::testing::TestWithParam<CorpusInput>
{
};
} // namespace

TEST_P (CorpusReplay, PassesThroughItsHarness)
{
    const auto& input = GetParam();
    juce::MemoryBlock bytes;
    ASSERT_TRUE (input.file.loadFileAsData (bytes)) << input.file.getFullPathName();

    EXPECT_EQ (input.harness->entry (static_cast<const std::uint8_t*> (bytes.getData()), bytes.getSize()), 0);
}

INSTANTIATE_TEST_SUITE_P (FuzzCorpus, CorpusReplay, ::testing::ValuesIn (everyCorpusInput()), testNameOf);

TEST (FuzzCorpus, EveryCorpusFolderBelongsToAHarnessThatReplaysIt)
{
    for (const auto& folder : corpusFolder.findChildFiles (juce::File::findDirectories, false))
    {
        const auto name = folder.getFileName();
        const auto known = std::any_of (std::begin (harnesses), std::end (harnesses), [&] (const Harness& h) { return name == h.name; });
        EXPECT_TRUE (known) << "tests/fuzz/corpus/" << name << " has no harness in the replay's table";
    }

    for (const auto& harness : harnesses)
        EXPECT_GT (corpusFolder.getChildFile (harness.name).getNumberOfChildFiles (juce::File::findFiles), 0) << harness.name;
}
