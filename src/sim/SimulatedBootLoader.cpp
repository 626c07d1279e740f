#include "sim/SimulatedBootLoader.h"

namespace
{
constexpr int readyAnswer = 2;
constexpr int blockAnswer = 4;
constexpr int completionAnswer = 5;
} // namespace

SimulatedBootLoader::SimulatedBootLoader (VirtualMidiPorts& portsToUse, bool plugInNow, const juce::String& name)
    : devicePorts (portsToUse, name, *this)
{
    if (plugInNow)
        plugIn();
}

SimulatedBootLoader::~SimulatedBootLoader() { unplug(); }

void SimulatedBootLoader::setBehaviour (const Behaviour& newBehaviour)
{
    const juce::ScopedLock sl (lock);
    behaviour = newBehaviour;
}

void SimulatedBootLoader::plugIn()
{
    const juce::ScopedLock sl (lock);
    if (! devicePorts.plugIn())
        return;

    // A restart: whatever was half received is gone.
    phase = Phase::waitingForSync;
    syncStarted = false;
}

void SimulatedBootLoader::unplug() { devicePorts.unplug(); }
bool SimulatedBootLoader::isPluggedIn() const { return devicePorts.isPluggedIn(); }
VirtualMidiPorts::PortId SimulatedBootLoader::getEditorInput() const { return devicePorts.getEditorInput(); }
VirtualMidiPorts::PortId SimulatedBootLoader::getEditorOutput() const { return devicePorts.getEditorOutput(); }

void SimulatedBootLoader::setOnImageComplete (std::function<void()> callback)
{
    const juce::ScopedLock sl (lock);
    onImageComplete = std::move (callback);
}

std::vector<juce::uint8> SimulatedBootLoader::getReceivedImage() const
{
    const juce::ScopedLock sl (lock);
    return image;
}

int SimulatedBootLoader::getBlockCount() const
{
    const juce::ScopedLock sl (lock);
    return blockCount;
}

int SimulatedBootLoader::getNumBlocksReceived() const
{
    const juce::ScopedLock sl (lock);
    return blocksReceived;
}

bool SimulatedBootLoader::isImageComplete() const
{
    const juce::ScopedLock sl (lock);
    return phase == Phase::complete;
}

int SimulatedBootLoader::getNumSyncCommands() const
{
    const juce::ScopedLock sl (lock);
    return syncCommands;
}

std::vector<juce::MidiMessage> SimulatedBootLoader::getReceivedMessages() const
{
    const juce::ScopedLock sl (lock);
    return received;
}

//==============================================================================
void SimulatedBootLoader::receive (const juce::MidiMessage& message)
{
    std::function<void()> completed;
    {
        const juce::ScopedLock sl (lock);
        received.push_back (message);

        // Only note-ons mean anything here, velocity 0 included.
        const auto* raw = message.getRawData();
        if (message.getRawDataSize() != 3 || (raw[0] & 0xF0) != 0x90)
            return;

        const int channel = (raw[0] & 0x0F) + 1;
        const int note = raw[1], velocity = raw[2];

        // The sync command, note 1 velocity 2 then note 126 velocity 125,
        // starts a transfer afresh whenever it comes.
        const bool finishesSync = channel == answerChannel && syncStarted && note == 126 && velocity == 125;
        syncStarted = channel == answerChannel && note == 1 && velocity == 2;
        if (finishesSync)
        {
            startTransfer();
            return;
        }

        const int byte = (note & 0x0F) << 4 | (velocity & 0x0F);
        if (phase == Phase::waitingForCount && channel == answerChannel)
            takeBlockCount (byte);
        else if (phase == Phase::receivingBlocks && channel == dataChannel)
            takeDataByte ((juce::uint8) byte);
        else
            return;

        if (phase == Phase::complete)
            completed = onImageComplete;
    }

    if (completed)
        completed();
}

void SimulatedBootLoader::startTransfer()
{
    ++syncCommands;

    // Silent here means not listening at all: a keyboard that is not in
    // its boot loader, whatever its port is called.
    if (behaviour.silentToSync)
        return;

    phase = Phase::waitingForCount;
    blockCount = -1;
    blocksReceived = 0;
    image.clear();
    answer (0, readyAnswer);
}

void SimulatedBootLoader::takeBlockCount (int count)
{
    blockCount = count;
    phase = Phase::receivingBlocks;

    if (! behaviour.silentToCount)
    {
        const int echo = (count + behaviour.countEchoOffset) & 0xFF;
        answer (echo >> 4, echo & 0x0F);
    }
}

void SimulatedBootLoader::takeDataByte (juce::uint8 value)
{
    image.push_back (value);
    if (image.size() % blockSize != 0)
        return;

    ++blocksReceived;
    if (behaviour.unplugAfterBlock >= 0 && blocksReceived >= behaviour.unplugAfterBlock)
    {
        // Removing its ports from its own delivery is safe: the ports' lock is re-entrant.
        devicePorts.unplug();
        return;
    }
    if (behaviour.silentAfterBlock >= 0 && blocksReceived > behaviour.silentAfterBlock)
        return;

    const bool lastBlock =
        behaviour.completeAfterBlock >= 0 ? blocksReceived == behaviour.completeAfterBlock : blocksReceived >= blockCount;
    if (lastBlock && ! behaviour.neverComplete)
    {
        phase = Phase::complete;
        answer (0, completionAnswer);
    }
    else
    {
        answer (0, blockAnswer);
    }
}

void SimulatedBootLoader::answer (int protocolNote, int code)
{
    if (behaviour.dropEveryNthAnswer > 0 && ++answersCounted % behaviour.dropEveryNthAnswer == 0)
        return;

    const int note = behaviour.note >= 0 ? behaviour.note : protocolNote;
    devicePorts.speak (juce::MidiMessage::noteOn (behaviour.channel, note, (juce::uint8) code), behaviour.latencyMs);
}
