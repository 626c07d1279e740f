#include "firmware/SolvikFWUpdater.h"
#include "sim/SimulatedBootLoader.h"
#include "support/BootLoaderLink.h"
#include "support/Midi.h"
#include "support/SettlingClock.h"

#include <gmock/gmock.h>

using testing::ElementsAreArray;

namespace
{
std::vector<juce::uint8> patternOfSize (int size)
{
    std::vector<juce::uint8> bytes ((size_t) size);
    for (int i = 0; i < size; ++i)
        bytes[(size_t) i] = (juce::uint8) ((i * 7 + 3) & 0xFF);
    return bytes;
}

FirmwareImage imageOfSize (int size)
{
    const auto bytes = patternOfSize (size);
    return FirmwareImage::fromData (bytes.data(), bytes.size());
}

// The file as the boot loader must end up holding it: padded with 0xFF to whole blocks.
std::vector<juce::uint8> paddedToBlocks (std::vector<juce::uint8> bytes)
{
    bytes.resize ((bytes.size() + 511) / 512 * 512, 0xFF);
    return bytes;
}

bool isSyncStart (const juce::MidiMessage& m) { return sameBytes (m, midiBytes ({ 0x9A, 1, 2 })); }

// burn() on a worker thread of its own, as the runner runs it.
class BurnThread : public juce::Thread
{
public:
    explicit BurnThread (IFWUpdater& u) : juce::Thread ("burn"), updater (u) {}
    void run() override { result = updater.burn(); }
    IFWUpdater& updater;
    std::atomic<bool> result { false };
};
} // namespace

class SolvikFWUpdaterTest : public testing::Test
{
protected:
    // Burns the image to the boot loader and returns burn's result.
    bool burn (const FirmwareImage& image)
    {
        EXPECT_TRUE (updater.setFirmwareImage (image) || ! image.isUsable());
        BurnThread thread (updater);
        thread.startThread();
        EXPECT_TRUE (thread.waitForThreadToExit (30000));
        return thread.result;
    }

    // Burns until the condition holds, then asks the thread to exit.
    bool burnUntil (const FirmwareImage& image, const std::function<bool()>& condition)
    {
        updater.setFirmwareImage (image);
        BurnThread thread (updater);
        thread.startThread();
        while (! condition() && thread.isThreadRunning())
            juce::Thread::sleep (1);
        EXPECT_TRUE (thread.stopThread (10000));
        return thread.result;
    }

    void SetUp() override
    {
        ASSERT_TRUE (link.isConnected());
        updater.setHelper (&link);
        link.setUpdater (&updater);
    }

    void TearDown() override { link.setUpdater (nullptr); }

    std::vector<juce::MidiMessage> sentMessages() const
    {
        std::vector<juce::MidiMessage> messages;
        for (const auto& s : link.getSent())
            messages.push_back (s.message);
        return messages;
    }

    VirtualMidiPorts ports;
    SettlingClock clock { ports };
    SimulatedBootLoader bootLoader { ports };
    BootLoaderLink link { ports, clock };
    SolvikFWUpdater updater { clock };
};

TEST_F (SolvikFWUpdaterTest, TheBootLoaderReceivesTheFilePaddedToWholeBlocksAndProgressRisesBlockByBlock)
{
    for (const int size : { 1, 511, 512, 513, 1536 })
    {
        SCOPED_TRACE (size);
        VirtualMidiPorts sizePorts;
        SettlingClock sizeClock { sizePorts };
        SimulatedBootLoader sizeBootLoader { sizePorts };
        BootLoaderLink sizeLink { sizePorts, sizeClock };
        SolvikFWUpdater sizeUpdater { sizeClock };
        sizeUpdater.setHelper (&sizeLink);
        sizeLink.setUpdater (&sizeUpdater);

        ASSERT_TRUE (sizeUpdater.setFirmwareImage (imageOfSize (size)));
        BurnThread thread (sizeUpdater);
        thread.startThread();
        ASSERT_TRUE (thread.waitForThreadToExit (30000));
        sizeLink.setUpdater (nullptr);

        EXPECT_TRUE (thread.result);
        EXPECT_EQ (sizeBootLoader.getReceivedImage(), paddedToBlocks (patternOfSize (size)));

        const int blocks = (size + 511) / 512;
        std::vector<double> steps { 0.0 };
        for (int i = 1; i <= blocks; ++i)
            steps.push_back ((double) i / blocks);
        EXPECT_THAT (sizeLink.getProgress(), ElementsAreArray (steps));
    }
}

TEST_F (SolvikFWUpdaterTest, AOneByteFileIsOneSyncTheCountAsNote0Velocity1AndFiveHundredTwelveDataNotes)
{
    const juce::uint8 onlyByte = 0xA7;
    ASSERT_TRUE (burn (FirmwareImage::fromData (&onlyByte, 1)));

    const auto sent = sentMessages();
    ASSERT_EQ (sent.size(), 2u + 1u + 512u);
    EXPECT_EQ (bytesOf (sent[0]), (std::vector<int> { 0x9A, 1, 2 }));
    EXPECT_EQ (bytesOf (sent[1]), (std::vector<int> { 0x9A, 126, 125 }));
    EXPECT_EQ (bytesOf (sent[2]), (std::vector<int> { 0x9A, 0, 1 }));
    EXPECT_EQ (bytesOf (sent[3]), (std::vector<int> { 0x90, 0x0A, 0x07 }));
    for (size_t i = 4; i < sent.size(); ++i)
        ASSERT_EQ (bytesOf (sent[i]), (std::vector<int> { 0x90, 15, 15 })) << i;
    EXPECT_EQ (bootLoader.getBlockCount(), 1);
}

TEST_F (SolvikFWUpdaterTest, ABlockPausesTenMillisecondsAfterBytes1And65AndEvery64th)
{
    ASSERT_TRUE (burn (imageOfSize (512)));

    // Data notes start after sync and count; each costs 2 ms, and the 10 ms
    // pause shows as a longer gap before the next one.
    const auto sent = link.getSent();
    std::vector<int> longGapsAfter;
    for (size_t i = 3; i + 1 < sent.size(); ++i)
        if (sent[i + 1].timeMs - sent[i].timeMs > 5.0)
            longGapsAfter.push_back ((int) i - 2);
    EXPECT_EQ (longGapsAfter, (std::vector<int> { 1, 65, 129, 193, 257, 321, 385, 449 }));
}

TEST_F (SolvikFWUpdaterTest, ASilentBootLoaderIsAskedAgainAbout300MsApartUntilTheThreadIsAskedToExit)
{
    SimulatedBootLoader::Behaviour silent;
    silent.silentToSync = true;
    bootLoader.setBehaviour (silent);

    EXPECT_FALSE (burnUntil (imageOfSize (100), [this] { return bootLoader.getNumSyncCommands() >= 5; }));

    std::vector<double> syncTimes;
    for (const auto& s : link.getSent())
    {
        ASSERT_TRUE (s.message.getChannel() == 11 && (s.message.getNoteNumber() == 1 || s.message.getNoteNumber() == 126))
            << "only the sync command goes out";
        if (isSyncStart (s.message))
            syncTimes.push_back (s.timeMs);
    }
    ASSERT_GE (syncTimes.size(), 5u);
    for (size_t i = 1; i < syncTimes.size(); ++i)
        EXPECT_NEAR (syncTimes[i] - syncTimes[i - 1], 304.0, 1.0);
    EXPECT_EQ (bootLoader.getBlockCount(), -1);
}

TEST_F (SolvikFWUpdaterTest, TheTransferFailsOnEveryWrongOrMissingAnswer)
{
    struct Case
    {
        const char* name;
        std::function<void (SimulatedBootLoader::Behaviour&)> fault;
        int imageSize;
        int blocksExpected; // the blocks the boot loader should have received
        bool keepsSyncing;  // the answers are ignored, so the handshake goes on until the user gives up
    };

    const Case cases[] = {
        { "wrong count echo", [] (auto& b) { b.countEchoOffset = 1; }, 1000, 0, false },
        { "silence after a 16-block count is no echo", [] (auto& b) { b.silentToCount = true; }, 16 * 512, 0, false },
        { "no answer to a block", [] (auto& b) { b.silentAfterBlock = 1; }, 3 * 512, 2, false },
        { "4 where 5 is due", [] (auto& b) { b.neverComplete = true; }, 2 * 512, 2, false },
        { "answers on another channel", [] (auto& b) { b.channel = 12; }, 1000, 0, true },
        { "answers with a note of 8 or more", [] (auto& b) { b.note = 9; }, 1000, 0, true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        VirtualMidiPorts casePorts;
        SettlingClock caseClock { casePorts };
        SimulatedBootLoader caseBootLoader { casePorts };
        SimulatedBootLoader::Behaviour behaviour;
        c.fault (behaviour);
        caseBootLoader.setBehaviour (behaviour);
        BootLoaderLink caseLink { casePorts, caseClock };
        SolvikFWUpdater caseUpdater { caseClock };
        caseUpdater.setHelper (&caseLink);
        caseLink.setUpdater (&caseUpdater);
        ASSERT_TRUE (caseUpdater.setFirmwareImage (imageOfSize (c.imageSize)));

        BurnThread thread (caseUpdater);
        thread.startThread();
        while (thread.isThreadRunning() && ! (c.keepsSyncing && caseBootLoader.getNumSyncCommands() >= 3))
            juce::Thread::sleep (1);
        thread.stopThread (10000);
        caseLink.setUpdater (nullptr);

        EXPECT_FALSE (thread.result);
        EXPECT_EQ (caseBootLoader.getNumBlocksReceived(), c.blocksExpected);
    }
}

TEST_F (SolvikFWUpdaterTest, AnswerFiveAfterTheFirstOfSeveralBlocksSucceedsAtOnce)
{
    SimulatedBootLoader::Behaviour early;
    early.completeAfterBlock = 1;
    bootLoader.setBehaviour (early);

    EXPECT_TRUE (burn (imageOfSize (3 * 512)));
    EXPECT_EQ (bootLoader.getNumBlocksReceived(), 1);
    EXPECT_EQ (bootLoader.getBlockCount(), 3);
}

TEST_F (SolvikFWUpdaterTest, ALateAnswerWithinTheWaitStillCounts)
{
    SimulatedBootLoader::Behaviour late;
    late.latencyMs = 30.0; // real time; the driven clock waits for it
    bootLoader.setBehaviour (late);

    EXPECT_TRUE (burn (imageOfSize (600)));
    EXPECT_EQ (bootLoader.getReceivedImage(), paddedToBlocks (patternOfSize (600)));
}

TEST_F (SolvikFWUpdaterTest, EmptyOrOversizedImagesAreRefusedBeforeAnythingIsSent)
{
    const std::vector<juce::uint8> oversized ((size_t) FirmwareImage::maxBytes + 1, 0x11);
    for (const auto& image : { FirmwareImage(), FirmwareImage::fromData (oversized.data(), oversized.size()) })
    {
        EXPECT_FALSE (updater.setFirmwareImage (image));
        EXPECT_FALSE (updater.burn());
    }
    EXPECT_TRUE (link.getSent().empty());
}

namespace
{
// A boot loader that answers from inside the send, on the worker thread: ready
// to the sync command, the echo of the block count, and 5 to each block when
// the given byte of the block (counted from 1) goes out.
class AnsweringBootLoader : public IFWHelper
{
public:
    AnsweringBootLoader (SolvikFWUpdater& updaterToAnswer, int answerAfterByte) : updater (updaterToAnswer), answerAfter (answerAfterByte)
    {
    }

    void sendMidiMessage (const juce::MidiMessage& message) override
    {
        const auto* d = message.getRawData();
        if (d[0] == 0x9A && d[1] == 126)
            say (0, SolvikFWUpdater::handshakeAnswer);
        else if (d[0] == 0x9A && d[1] != 1)
            say (d[1], d[2]);
        else if (d[0] == 0x90 && ++dataBytes % 512 == answerAfter % 512)
            say (0, SolvikFWUpdater::completionAnswer);
    }

    void setProgress (double) override {}

private:
    void say (int note, int velocity) { updater.handleMidiMessage (juce::MidiMessage::noteOn (11, note, (juce::uint8) velocity)); }

    SolvikFWUpdater& updater;
    int answerAfter, dataBytes = 0;
};
} // namespace

TEST (SolvikFWUpdaterAnswers, AnAnswerHeardWhileABlockWasStillGoingOutDoesNotPassForItsAcknowledgement)
{
    struct Case
    {
        int answerAfterByte;
        bool succeeds;
    } const cases[] = { { 1, false }, { 449, false }, { 511, false }, { 512, true } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.answerAfterByte);
        ManualClock clock;
        SolvikFWUpdater updater (clock);
        AnsweringBootLoader bootLoader (updater, c.answerAfterByte);
        updater.setHelper (&bootLoader);
        ASSERT_TRUE (updater.setFirmwareImage (imageOfSize (2 * 512)));

        BurnThread thread (updater);
        thread.startThread();
        ASSERT_TRUE (thread.waitForThreadToExit (30000));
        EXPECT_EQ (thread.result, c.succeeds);
    }
}
