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
    void moveControl (int id, int value); // a controller message, with the control's current number
    void movePitchWheel (int value);
    void pressNote (int note, int velocity);
    void pressChannelPressure (int pressure);
    void sendRaw (const juce::MidiMessage& message);

private:
    void receive (const juce::MidiMessage& message) override;
    void reply (const juce::MidiMessage& message);
    void play (const juce::MidiMessage& message);
    juce::MidiMessage identityReply() const;

    DevicePorts devicePorts;

    mutable juce::CriticalSection lock;
    int modelNumber = vorloModelNumber;
    FirmwareRevision firmwareRevision { 1, 0, 3, 0 };
    double replyLatencyMs = 1.0;
    bool silent = false;
    bool recording = true;
    std::vector<juce::MidiMessage> received;
    KeyboardModel model;

    JUCE_DECLARE_NON_COPYABLE (SimulatedKeyboard)
};
