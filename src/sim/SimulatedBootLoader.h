#pragma once

#include "link/VirtualMidiPorts.h"
#include "sim/DevicePorts.h"

#include <functional>

// The keyboard's boot loader on virtual MIDI ports, as a keyboard restarted
// in firmware upgrade mode shows itself: an input and an output named
// "Velmora VORLO" that speak only note-ons. It answers the sync command with
// 2, echoes the block count as (high nibble, low nibble), takes the data
// bytes of each 512-byte block and answers 4, or 5 after the last. It keeps
// every data byte it received, so the image can be compared with the file.
// Its faults are set through Behaviour. Everything here may be called from
// any thread; it answers on the ports' delivery thread.
class SimulatedBootLoader : private VirtualMidiPorts::Receiver
{
public:
    static constexpr const char* defaultPortName = "Velmora VORLO";
    static constexpr int blockSize = 512;
    static constexpr int answerChannel = 11;
    static constexpr int dataChannel = 1;

    // How it answers; the default follows the protocol at once.
    struct Behaviour
    {
        double latencyMs = 0.0;      // delay of every answer
        bool silentToSync = false;   // never hears the sync command: not in its boot loader
        bool silentToCount = false;  // never echoes the block count
        int countEchoOffset = 0;     // added to the count it echoes: a wrong echo
        int silentAfterBlock = -1;   // answers this many blocks, then nothing more; -1: all
        int completeAfterBlock = -1; // says 5 after this many blocks, whatever the count; -1: after the last
        bool neverComplete = false;  // says 4 where 5 is due
        int channel = answerChannel; // the channel of every answer
        int note = -1;               // the note of every answer, in place of the protocol's; -1: the protocol's
        int dropEveryNthAnswer = 0;  // every n-th answer is lost on the way; 0: none
        int unplugAfterBlock = -1;   // its ports vanish on taking this many blocks, before it answers; -1: never
    };

    // Plugs in at once unless told otherwise: its ports join the end of the lists.
    explicit SimulatedBootLoader (VirtualMidiPorts& ports, bool plugInNow = true, const juce::String& portName = defaultPortName);
    ~SimulatedBootLoader() override;

    void setBehaviour (const Behaviour& behaviour);

    void plugIn();
    void unplug();
    bool isPluggedIn() const;

    // Its ports as the editor sees them: the editor's input and output.
    VirtualMidiPorts::PortId getEditorInput() const;
    VirtualMidiPorts::PortId getEditorOutput() const;

    // Called on the delivery thread each time it has confirmed a whole image.
    void setOnImageComplete (std::function<void()> callback);

    // What it received since the last sync command.
    std::vector<juce::uint8> getReceivedImage() const;
    int getBlockCount() const; // as the editor announced it; -1 before that
    int getNumBlocksReceived() const;
    bool isImageComplete() const;

    // Everything since it was created.
    int getNumSyncCommands() const;
    std::vector<juce::MidiMessage> getReceivedMessages() const;

private:
    enum class Phase
    {
        waitingForSync,
        waitingForCount,
        receivingBlocks,
        complete
    };

    void receive (const juce::MidiMessage& message) override;
    void startTransfer();
    void takeBlockCount (int count);
    void takeDataByte (juce::uint8 value);
    void answer (int protocolNote, int code);

    DevicePorts devicePorts;

    mutable juce::CriticalSection lock;
    Behaviour behaviour;
    std::function<void()> onImageComplete;

    Phase phase = Phase::waitingForSync;
    bool syncStarted = false; // the last message was the sync command's first note
    int blockCount = -1;
    int blocksReceived = 0;
    int syncCommands = 0;
    int answersCounted = 0;
    std::vector<juce::uint8> image;
    std::vector<juce::MidiMessage> received;

    JUCE_DECLARE_NON_COPYABLE (SimulatedBootLoader)
};
