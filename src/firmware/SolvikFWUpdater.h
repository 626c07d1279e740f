#pragma once

#include "firmware/FWUpdaterBase.h"
#include "link/Clock.h"

// The updater of the keyboard's boot loader. Everything travels as note-ons:
// a byte goes out as note = high nibble, velocity = low nibble, and the boot
// loader answers each step with a note-on on the command channel whose
// velocity is the answer. The transfer: the sync command until the boot
// loader says it is ready, the block count (echoed back as high nibble, low
// nibble), then every block of 512 bytes, each acknowledged.
//
// The acknowledgement slot is shared by the worker (which arms it and waits)
// and the MIDI input thread (which fills it), under ackLock. It is armed
// before each step's last message is sent, so an answer that comes before
// the wait begins still counts, and one heard while a block was still going
// out does not.
class SolvikFWUpdater : public FWUpdaterBase
{
public:
    static constexpr int commandChannel = 11;
    static constexpr int dataChannel = 1;
    static constexpr int handshakeAnswer = 2;
    static constexpr int blockAnswer = 4;
    static constexpr int completionAnswer = 5;

    // Checks of the slot, 100 ms apart: n + 1 of them for a wait of n.
    static constexpr int pollMs = 100;
    static constexpr int handshakeWait = 2;
    static constexpr int countWait = 30;
    static constexpr int blockWait = 300;

    static constexpr int bytesPerPause = 64;
    static constexpr int pauseInBlockMs = 10;
    static constexpr int pauseBetweenBlocksMs = 50;

    // What waitAck returns when nothing came: unlike an answer of velocity 0.
    static constexpr int noAnswer = -1;
    // The note prepareAck takes for "any note below 8".
    static constexpr int anyLowNote = -1;

    explicit SolvikFWUpdater (Clock& clock = Clock::system());

    bool burn() override;
    void handleMidiMessage (const juce::MidiMessage& message) override;

    // The sync command: note 1 velocity 2, then note 126 velocity 125.
    static std::array<juce::MidiMessage, 2> syncCommand (int channel);
    // One byte as a note-on: the high nibble as note, the low one as velocity.
    static juce::MidiMessage byteMessage (juce::uint8 value, int channel);

private:
    bool handshake();
    bool sendBlockCount (int count);
    bool sendBlocks (int count);

    void prepareAck (int awaitedNote);
    int waitAck (int n);
    void sendCommand (int channel);
    void sendByte (juce::uint8 value, int channel);
    void sendBlock (const juce::uint8* data, int length);
    void send (const juce::MidiMessage& message);
    void reportProgress (double progress);

    Clock& clock;

    juce::ReadWriteLock ackLock;
    int ackValue = 0;
    int awaitedNote = anyLowNote;
    bool ackReceived = false;

    JUCE_DECLARE_NON_COPYABLE (SolvikFWUpdater)
};
