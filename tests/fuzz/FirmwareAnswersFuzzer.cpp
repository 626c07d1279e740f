#include "FuzzedMidi.h"

#include "firmware/SolvikFWUpdater.h"

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <thread>

// Any answers from the boot loader while the updater burns an image. The
// answers arrive one at a time whenever the updater waits, as they would
// while its worker sleeps, and a user presses Cancel once they have run out
// and the updater is still waiting. Whatever the answers, the burn ends soon
// after Cancel, sends only sound note-ons, and reports success only when
// the boot loader said ready, echoed the block count, and acknowledged every
// block it received, after that block was complete, the last one with the
// completion answer.
//
// Input: byte 0 chooses the number of blocks, byte 1 how short the last one
// is, and the rest is the boot loader's side of the exchange as a MIDI byte
// stream (a timing clock byte, F8, is a wait with nothing said).
namespace
{
constexpr int userCancelsAfterMs = 3500; // of silence, once the answers ran out
constexpr int burnEndsWithinMs = 1000;   // of Cancel

[[noreturn]] void fail (const juce::String& what)
{
    std::cerr << what << std::endl;
    std::abort();
}

// A boot loader whose answers are a script: it records what it receives,
// and says the script's next message whenever the updater sleeps.
class ScriptedBootLoader : public IFWHelper, public ManualClock
{
public:
    explicit ScriptedBootLoader (std::vector<juce::MidiMessage> scriptToSay) : script (std::move (scriptToSay)) {}

    SolvikFWUpdater* updater = nullptr;

    // What the boot loader heard and said, in order.
    struct Step
    {
        bool heard = false;
        juce::MidiMessage message;
    };
    std::vector<Step> log;
    std::vector<juce::uint8> imageReceived;
    double cancelledAtMs = -1.0;

    void sendMidiMessage (const juce::MidiMessage& message) override
    {
        const auto* d = message.getRawData();
        const int channel = (d[0] & 0x0F) + 1;
        if (! FuzzedMidi::isWellFormed (message) || (d[0] & 0xF0) != 0x90
            || (channel != SolvikFWUpdater::dataChannel && channel != SolvikFWUpdater::commandChannel))
            fail ("the updater sent something other than a note-on on its channels");

        if (channel == SolvikFWUpdater::dataChannel)
        {
            if (d[1] > 0x0F || d[2] > 0x0F)
                fail ("a data byte's nibble does not fit");
            imageReceived.push_back ((juce::uint8) (d[1] << 4 | d[2]));
        }
        log.push_back ({ true, message });
    }

    void setProgress (double progress) override
    {
        if (progress < lastProgress || progress > 1.0)
            fail ("progress went from " + juce::String (lastProgress) + " to " + juce::String (progress));
        lastProgress = progress;
    }

    // Nothing but the script speaks, so a sleep only moves the clock: no
    // need to yield to other threads, which costs a time slice on a busy machine.
    void sleep (int milliseconds) override
    {
        advance (milliseconds);

        if (next < script.size())
        {
            const auto& answer = script[next++];
            log.push_back ({ false, answer });
            updater->handleMidiMessage (answer);
            silentSinceMs = getMillisecondCounterHiRes();
        }
        else if (cancelledAtMs < 0 && getMillisecondCounterHiRes() - silentSinceMs > userCancelsAfterMs)
        {
            cancelledAtMs = getMillisecondCounterHiRes();
            juce::Thread::getCurrentThread()->signalThreadShouldExit();
        }
    }

private:
    std::vector<juce::MidiMessage> script;
    size_t next = 0;
    double silentSinceMs = getMillisecondCounterHiRes();
    double lastProgress = 0.0;
};

// The update runner's worker thread, which Cancel asks to exit.
class BurnThread : public juce::Thread
{
public:
    explicit BurnThread (SolvikFWUpdater& updaterToRun) : juce::Thread ("burn"), updater (updaterToRun) {}
    void run() override
    {
        succeeded = updater.burn();
        finished.signal();
    }

    // Waits for the burn to end; waitForThreadToExit would poll 2 ms at a time.
    void waitForBurn()
    {
        finished.wait (-1);
        while (isThreadRunning())
            std::this_thread::yield();
    }

    std::atomic<bool> succeeded { false };

private:
    SolvikFWUpdater& updater;
    juce::WaitableEvent finished;
};

bool isCommand (const juce::MidiMessage& message)
{
    return message.getRawDataSize() == 3 && message.getRawData()[0] == 0x90 + SolvikFWUpdater::commandChannel - 1;
}

bool isSyncEnd (const juce::MidiMessage& message)
{
    return isCommand (message) && message.getRawData()[1] == 126 && message.getRawData()[2] == 125;
}

// The first answer the boot loader gave between two things it heard that
// the updater accepts when it awaits that note. Answers arrive only while the
// updater sleeps, and it looks at its slot after each, so that is the one it
// takes.
struct Window
{
    size_t begin, end;
};

int firstAnswer (const std::vector<ScriptedBootLoader::Step>& log, Window window, int awaitedNote)
{
    for (size_t i = window.begin; i < window.end; ++i)
        if (! log[i].heard && isCommand (log[i].message))
        {
            const int note = log[i].message.getRawData()[1];
            if (awaitedNote >= 0 ? note == awaitedNote : note < 8)
                return log[i].message.getRawData()[2];
        }
    return -1;
}

// Fails unless the exchange shows a whole, confirmed transfer of the image.
void checkSuccess (const ScriptedBootLoader& bootLoader, const FirmwareImage& image)
{
    const auto& log = bootLoader.log;
    const int count = image.getNumBlocks();

    // Where the last sync command ended, where the block count went, and
    // where each block began and ended.
    size_t lastSync = log.size(), countByte = log.size();
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].heard && isSyncEnd (log[i].message))
            lastSync = i;
    for (size_t i = lastSync; i < log.size() && countByte == log.size(); ++i)
        if (log[i].heard && isCommand (log[i].message) && i != lastSync)
            countByte = i;

    std::vector<size_t> blockBegins, blockEnds;
    int dataBytes = 0;
    for (size_t i = 0; i < log.size(); ++i)
    {
        if (! log[i].heard || isCommand (log[i].message))
            continue;
        if (dataBytes % FirmwareImage::blockSize == 0)
            blockBegins.push_back (i);
        if (++dataBytes % FirmwareImage::blockSize == 0)
            blockEnds.push_back (i);
    }

    if (lastSync == log.size() || countByte < lastSync
        || firstAnswer (log, { lastSync, countByte }, -1) != SolvikFWUpdater::handshakeAnswer)
        fail ("success without the boot loader saying it was ready");
    if (blockBegins.empty() || countByte > blockBegins.front()
        || firstAnswer (log, { countByte, blockBegins.front() }, (count >> 4) & 0x0F) != (count & 0x0F))
        fail ("success without the block count echoed");
    if (blockBegins.size() != blockEnds.size())
        fail ("success in the middle of a block");

    for (size_t block = 0; block < blockEnds.size(); ++block)
    {
        const bool last = block + 1 == blockEnds.size();
        const auto end = last ? log.size() : blockBegins[block + 1];
        if (firstAnswer (log, { blockEnds[block], end }, -1) != (last ? SolvikFWUpdater::completionAnswer : SolvikFWUpdater::blockAnswer))
            fail ("success though block " + juce::String ((int) block) + " was not acknowledged after it was complete");

        const auto sent = image.getBlock ((int) block);
        if (std::memcmp (sent.getData(), bootLoader.imageReceived.data() + block * FirmwareImage::blockSize, sent.getSize()) != 0)
            fail ("block " + juce::String ((int) block) + " arrived changed");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    FuzzedMidi::ByteReader reader (data, size);
    const int blocks = 1 + reader.next() % 20;
    const int shortBy = reader.next() % FirmwareImage::blockSize;

    std::vector<juce::uint8> bytes ((size_t) (blocks * FirmwareImage::blockSize - shortBy));
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (juce::uint8) (i * 7 + i / FirmwareImage::blockSize);
    const auto image = FirmwareImage::fromData (bytes.data(), bytes.size());

    ScriptedBootLoader bootLoader (FuzzedMidi::cutIntoMessages (reader.rest(), reader.restSize()));
    SolvikFWUpdater updater (bootLoader);
    bootLoader.updater = &updater;
    updater.setHelper (&bootLoader);
    if (! updater.setFirmwareImage (image))
        std::abort();

    BurnThread worker (updater);
    worker.startThread();
    worker.waitForBurn();

    if (bootLoader.cancelledAtMs >= 0 && bootLoader.getMillisecondCounterHiRes() - bootLoader.cancelledAtMs > burnEndsWithinMs)
        fail ("the burn went on for " + juce::String (bootLoader.getMillisecondCounterHiRes() - bootLoader.cancelledAtMs)
              + " ms after Cancel");

    if (worker.succeeded)
        checkSuccess (bootLoader, image);

    updater.close();
    return 0;
}
