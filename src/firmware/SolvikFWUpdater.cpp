#include "firmware/SolvikFWUpdater.h"

SolvikFWUpdater::SolvikFWUpdater (Clock& clockToUse) : clock (clockToUse) {}

std::array<juce::MidiMessage, 2> SolvikFWUpdater::syncCommand (int channel)
{
    return { juce::MidiMessage::noteOn (channel, 1, (juce::uint8) 2), juce::MidiMessage::noteOn (channel, 126, (juce::uint8) 125) };
}

juce::MidiMessage SolvikFWUpdater::byteMessage (juce::uint8 value, int channel)
{
    // A low nibble of 0 gives velocity 0, which the boot loader reads as data, not as a note-off.
    return juce::MidiMessage::noteOn (channel, (value >> 4) & 0x0F, (juce::uint8) (value & 0x0F));
}

//==============================================================================
bool SolvikFWUpdater::burn()
{
    reportProgress (0.0);

    // An image the one-byte count cannot carry, or none at all, is refused
    // before the boot loader hears anything.
    if (! image.isUsable())
        return false;

    const int count = image.getNumBlocks();
    return handshake() && sendBlockCount (count) && sendBlocks (count);
}

bool SolvikFWUpdater::handshake()
{
    // The boot loader may take a while to come up: ask until it answers.
    while (! juce::Thread::currentThreadShouldExit())
    {
        prepareAck (anyLowNote);
        sendCommand (commandChannel);
        const int answer = waitAck (handshakeWait);

        if (answer == handshakeAnswer)
            return true;
        if (answer != noAnswer && answer != 0)
            return false;
    }
    return false;
}

bool SolvikFWUpdater::sendBlockCount (int count)
{
    // The echo comes back as note = high nibble, velocity = low nibble. The
    // slot knows whether an answer came, so silence never passes for an
    // echo whose low nibble is 0.
    prepareAck ((count >> 4) & 0x0F);
    sendByte ((juce::uint8) (count & 0xFF), commandChannel);
    return waitAck (countWait) == (count & 0x0F);
}

bool SolvikFWUpdater::sendBlocks (int count)
{
    for (int i = 0; i < count; ++i)
    {
        const auto block = image.getBlock (i);

        sendBlock (static_cast<const juce::uint8*> (block.getData()), (int) block.getSize());
        reportProgress ((double) (i + 1) / (double) count);

        const int answer = waitAck (blockWait);
        if (answer == completionAnswer)
            return true;
        if (answer != blockAnswer)
            return false;

        clock.sleep (pauseBetweenBlocksMs);
    }

    // Every block went out and the boot loader never said the image was complete.
    return false;
}

//==============================================================================
void SolvikFWUpdater::prepareAck (int note)
{
    DBG ("wait for ack start");
    const juce::ScopedWriteLock lock (ackLock);
    ackValue = 0;
    ackReceived = false;
    awaitedNote = note;
}

int SolvikFWUpdater::waitAck (int n)
{
    int result = noAnswer;
    for (int check = 0; check <= n; ++check)
    {
        if (juce::Thread::currentThreadShouldExit())
            break;

        {
            const juce::ScopedReadLock lock (ackLock);
            if (ackReceived)
            {
                result = ackValue;
                break;
            }
        }
        clock.sleep (pollMs);
    }

    DBG ("wait for ack stop");
    return result;
}

void SolvikFWUpdater::handleMidiMessage (const juce::MidiMessage& message)
{
    // Only note-ons count, velocity 0 included: raw status 0x9n, not JUCE's
    // isNoteOn, which reads velocity 0 as a note-off.
    const auto* raw = message.getRawData();
    if (message.getRawDataSize() < 3 || (raw[0] & 0xF0) != 0x90)
        return;

    const int channel = (raw[0] & 0x0F) + 1;
    const int note = raw[1];
    const int velocity = raw[2];
    DBG ("received note: " << note << " veloc: " << velocity);

    if (channel != commandChannel)
        return;

    const juce::ScopedWriteLock lock (ackLock);
    const bool accepted = awaitedNote >= 0 ? note == awaitedNote : note < 8;
    if (accepted)
    {
        ackValue = velocity;
        ackReceived = true;
    }
}

//==============================================================================
void SolvikFWUpdater::sendCommand (int channel)
{
    for (const auto& message : syncCommand (channel))
        send (message);
}

void SolvikFWUpdater::sendByte (juce::uint8 value, int channel)
{
    DBG ("sending byte: " << (int) value);
    send (byteMessage (value, channel));
}

void SolvikFWUpdater::sendBlock (const juce::uint8* data, int length)
{
    // The pauses fall where the bytes still to send, this one included, are
    // a multiple of 64: after bytes 1, 65, 129... of a full block.
    for (int i = 0; i < length; ++i)
    {
        // An answer heard while the block is still going out cannot be the
        // boot loader's answer to it: the slot is armed just before the last byte.
        if (i == length - 1)
            prepareAck (anyLowNote);

        sendByte (data[i], dataChannel);
        if ((length - i) % bytesPerPause == 0)
            clock.sleep (pauseInBlockMs);
    }
}

void SolvikFWUpdater::send (const juce::MidiMessage& message)
{
    if (helper != nullptr)
        helper->sendMidiMessage (message);
}

void SolvikFWUpdater::reportProgress (double progress)
{
    if (helper != nullptr)
        helper->setProgress (progress);
}
