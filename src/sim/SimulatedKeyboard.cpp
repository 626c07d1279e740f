#include "sim/SimulatedKeyboard.h"

namespace
{
bool isIdentityRequest (const juce::MidiMessage& message)
{
    if (! message.isSysEx() || message.getSysExDataSize() != 4)
        return false;

    const auto* d = message.getSysExData();
    return d[0] == 0x7E && (d[1] == 0x7F || d[1] == 0x00) && d[2] == 0x06 && d[3] == 0x01;
}
} // namespace

SimulatedKeyboard::SimulatedKeyboard (VirtualMidiPorts& ports, const juce::String& name) : devicePorts (ports, name, *this) { plugIn(); }

SimulatedKeyboard::~SimulatedKeyboard() { unplug(); }

void SimulatedKeyboard::setModelNumber (int number)
{
    const juce::ScopedLock sl (lock);
    modelNumber = number;
}

void SimulatedKeyboard::setFirmwareRevision (const FirmwareRevision& revision)
{
    const juce::ScopedLock sl (lock);
    firmwareRevision = revision;
}

void SimulatedKeyboard::setReplyLatencyMs (double latencyMs)
{
    const juce::ScopedLock sl (lock);
    replyLatencyMs = latencyMs;
}

void SimulatedKeyboard::setSilent (bool shouldBeSilent)
{
    const juce::ScopedLock sl (lock);
    silent = shouldBeSilent;
}

void SimulatedKeyboard::plugIn() { devicePorts.plugIn(); }
void SimulatedKeyboard::unplug() { devicePorts.unplug(); }
bool SimulatedKeyboard::isPluggedIn() const { return devicePorts.isPluggedIn(); }
VirtualMidiPorts::PortId SimulatedKeyboard::getEditorInput() const { return devicePorts.getEditorInput(); }
VirtualMidiPorts::PortId SimulatedKeyboard::getEditorOutput() const { return devicePorts.getEditorOutput(); }

std::vector<juce::MidiMessage> SimulatedKeyboard::getReceivedMessages() const
{
    const juce::ScopedLock sl (lock);
    return received;
}

void SimulatedKeyboard::setRecording (bool shouldRecord)
{
    const juce::ScopedLock sl (lock);
    recording = shouldRecord;
}

void SimulatedKeyboard::change (const std::function<void (KeyboardModel&)>& function)
{
    const juce::ScopedLock sl (lock);
    function (model);
}

void SimulatedKeyboard::receive (const juce::MidiMessage& message)
{
    std::vector<juce::MidiMessage> replies;
    {
        const juce::ScopedLock sl (lock);
        if (recording)
            received.push_back (message);
        replies = isIdentityRequest (message) ? std::vector<juce::MidiMessage> { identityReply() } : model.receive (message);
    }

    for (const auto& r : replies)
        reply (r);
}

void SimulatedKeyboard::reply (const juce::MidiMessage& message)
{
    double latencyMs;
    {
        const juce::ScopedLock sl (lock);
        if (silent)
            return;
        latencyMs = replyLatencyMs;
    }
    devicePorts.speak (message, latencyMs);
}

void SimulatedKeyboard::play (const juce::MidiMessage& message)
{
    // What the player does reaches the editor at once, silent or not.
    devicePorts.speak (message);
}

void SimulatedKeyboard::moveControl (int id, int value)
{
    std::optional<juce::MidiMessage> message;
    {
        const juce::ScopedLock sl (lock);
        message = model.controllerMessageFor (id, value);
    }
    if (message)
        play (*message);
}

void SimulatedKeyboard::movePitchWheel (int value)
{
    const juce::ScopedLock sl (lock);
    play (juce::MidiMessage::pitchWheel (model.globalChannel() + 1, value));
}

void SimulatedKeyboard::pressNote (int note, int velocity)
{
    const juce::ScopedLock sl (lock);
    play (juce::MidiMessage::noteOn (10, note, (juce::uint8) velocity));
}

void SimulatedKeyboard::pressChannelPressure (int pressure)
{
    const juce::ScopedLock sl (lock);
    play (juce::MidiMessage::channelPressureChange (10, pressure));
}

void SimulatedKeyboard::sendRaw (const juce::MidiMessage& message) { play (message); }

juce::MidiMessage SimulatedKeyboard::identityReply() const
{
    const juce::ScopedLock sl (lock);
    const juce::uint8 bytes[] = { 0xF0,
                                  0x7E,
                                  0x00,
                                  0x06,
                                  0x02,
                                  0x00,
                                  0x2F,
                                  0x19,
                                  0x02,
                                  0x00,
                                  (juce::uint8) modelNumber,
                                  0x00,
                                  firmwareRevision[0],
                                  firmwareRevision[1],
                                  firmwareRevision[2],
                                  firmwareRevision[3],
                                  0xF7 };
    return juce::MidiMessage (bytes, (int) sizeof (bytes));
}
