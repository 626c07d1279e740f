#pragma once

#include "link/KnownPortManager.h"
#include "link/VirtualMidiPorts.h"
#include "sim/DevicePorts.h"
#include "sim/KeyboardModel.h"

#include <functional>

// A Vorlo keyboard on virtual MIDI ports, written from the messages the editor
// exchanges with it. It attaches an input and an output under its port name
// and answers on its own, after a configurable latency, on the ports'
// delivery thread. Everything here may be called from any thread.
class SimulatedKeyboard : private VirtualMidiPorts::Receiver
{
public:
    static constexpr const char* defaultPortName = "Velmora Vorlo";
    static constexpr int vorloModelNumber = 4;

    // Plugs in at once: its ports join the end of the port lists.
    explicit SimulatedKeyboard (VirtualMidiPorts& ports, const juce::String& portName = defaultPortName);
    ~SimulatedKeyboard() override;

    //==============================================================================
    // Identity, as the universal identity reply tells it.
    void setModelNumber (int modelNumber);
    void setFirmwareRevision (const FirmwareRevision& revision);

    //==============================================================================
    // Behaviour on the wire.
    void setReplyLatencyMs (double latencyMs);
    void setSilent (bool shouldBeSilent);

    // Faults of a keyboard in trouble. Each holds until set back.
    // Every n-th reply is lost on the way (0: none is).
    void setDropsEveryNthReply (int n);
    // Its settings replies come cut short: the last data byte before F7 is
    // lost. The identity reply stays whole, so it is still found.
    void setAnswersCutShort (bool shouldCutShort);
    // The device byte of every reply, and the device identifier of its
    // identity reply: another keyboard's address. -1 puts back its own.
    void setAnswerDeviceId (int deviceId);
    // Vanishes as when the cable is pulled, on receiving the n-th message
    // from now: that message is the last it hears, and it answers nothing
    // more. 0 or less: it stays.
    void unplugAfterReceiving (int messages);

    // Moves knobs on a thread of its own, at this many controller messages a
    // second, until stopped; each move reaches the editor at once.
    void startMovingControls (double movesPerSecond);
    void stopMovingControls();
    int getNumControlMoves() const;

    // Its ports vanish from the lists, as when the cable is pulled; plugIn
    // brings them back at the end of the lists.
    void unplug();
    void plugIn();
    bool isPluggedIn() const;

    // The ports of the keyboard as the editor sees them: the editor's input
    // (where the keyboard speaks) and output (where it listens).
    VirtualMidiPorts::PortId getEditorInput() const;
    VirtualMidiPorts::PortId getEditorOutput() const;

    // Every message the keyboard received from the editor.
    std::vector<juce::MidiMessage> getReceivedMessages() const;
    // Whether it keeps them: on unless told, for tests to read. A program
    // that runs for long turns it off, or the record grows with every message.
    void setRecording (bool shouldRecord);

    //==============================================================================
    // Its settings, memories, pad gains and LED states: read them, or change
    // them as the user would on the keyboard itself.
    template <typename Function>
    auto inspect (Function&& function) const
    {
        const juce::ScopedLock sl (lock);
        return function (static_cast<const KeyboardModel&> (model));
    }

    void change (const std::function<void (KeyboardModel&)>& function);

    //==============================================================================
    // Playing it: what the keyboard sends when a control is moved.
    void moveControl (int id, int value); // what the control sends as it is set now: see KeyboardModel::messageWhenMoved
    void movePitchWheel (int value);
    void pressNote (int note, int velocity);
    void pressChannelPressure (int pressure);
    void sendRaw (const juce::MidiMessage& message);

private:
    void receive (const juce::MidiMessage& message) override;
    void reply (const juce::MidiMessage& message);
    void play (const juce::MidiMessage& message);
    juce::MidiMessage identityReply() const;
    juce::MidiMessage withFaults (const juce::MidiMessage& message) const;
    class ControlMover;

    DevicePorts devicePorts;

    mutable juce::CriticalSection lock;
    int modelNumber = vorloModelNumber;
    FirmwareRevision firmwareRevision { 1, 0, 3, 0 };
    double replyLatencyMs = 1.0;
    bool silent = false;
    bool recording = true;
    int dropEveryNth = 0, repliesCounted = 0;
    bool cutsShort = false;
    int answerDeviceId = -1;
    int messagesUntilUnplug = -1;
    std::vector<juce::MidiMessage> received;
    KeyboardModel model;
    std::unique_ptr<ControlMover> controlMover;

    JUCE_DECLARE_NON_COPYABLE (SimulatedKeyboard)
};
