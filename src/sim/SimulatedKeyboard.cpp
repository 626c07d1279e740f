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

SimulatedKeyboard::SimulatedKeyboard (VirtualMidiPorts& portsToUse, const juce::String& name)
    : ports (portsToUse), portName (name)
{
    plugIn();
}

SimulatedKeyboard::~SimulatedKeyboard()
{
    unplug();
}

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

FirmwareRevision SimulatedKeyboard::getFirmwareRevision() const
{
    const juce::ScopedLock sl (lock);
    return firmwareRevision;
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

void SimulatedKeyboard::plugIn()
{
    const juce::ScopedLock sl (lock);
    if (editorInput >= 0)
        return;

    editorInput = ports.addInput (portName);
    editorOutput = ports.addOutput (portName, this);
}

void SimulatedKeyboard::unplug()
{
    VirtualMidiPorts::PortId input, output;
    {
        const juce::ScopedLock sl (lock);
        input = std::exchange (editorInput, -1);
        output = std::exchange (editorOutput, -1);
    }

    // Outside our lock: removing a port waits for a delivery to us in progress.
    if (input >= 0)
        ports.removePort (input);
    if (output >= 0)
        ports.removePort (output);
}

bool SimulatedKeyboard::isPluggedIn() const
{
    const juce::ScopedLock sl (lock);
    return editorInput >= 0;
}

VirtualMidiPorts::PortId SimulatedKeyboard::getEditorInput() const
{
    const juce::ScopedLock sl (lock);
    return editorInput;
}

VirtualMidiPorts::PortId SimulatedKeyboard::getEditorOutput() const
{
    const juce::ScopedLock sl (lock);
    return editorOutput;
}

std::vector<juce::MidiMessage> SimulatedKeyboard::getReceivedMessages() const
{
    const juce::ScopedLock sl (lock);
    return received;
}

void SimulatedKeyboard::receive (const juce::MidiMessage& message)
{
    {
        const juce::ScopedLock sl (lock);
        received.push_back (message);
    }

    if (isIdentityRequest (message))
        reply (identityReply());
}

void SimulatedKeyboard::reply (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (lock);
    if (silent || editorInput < 0)
        return;

    ports.sendToInput (editorInput, message, replyLatencyMs);
}

juce::MidiMessage SimulatedKeyboard::identityReply() const
{
    const juce::ScopedLock sl (lock);
    const juce::uint8 bytes[] = { 0xF0, 0x7E, 0x00, 0x06, 0x02,
                                  0x00, 0x2F, 0x19,
                                  0x02, 0x00,
                                  (juce::uint8) modelNumber, 0x00,
                                  firmwareRevision[0], firmwareRevision[1], firmwareRevision[2], firmwareRevision[3],
                                  0xF7 };
    return juce::MidiMessage (bytes, (int) sizeof (bytes));
}
