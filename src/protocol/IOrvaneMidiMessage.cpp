#include "protocol/IOrvaneMidiMessage.h"

#include "protocol/IdentityReply.h"

int IOrvaneMidiMessage::dataSize() const noexcept { return isSysEx() ? getSysExDataSize() : 0; }

int IOrvaneMidiMessage::dataByte (int index) const noexcept { return getSysExData()[index]; }

int IOrvaneMidiMessage::dataByteOr (int index, int tooShort) const noexcept { return dataSize() > index ? dataByte (index) : tooShort; }

juce::Array<int> IOrvaneMidiMessage::pairsFrom (int start) const
{
    juce::Array<int> pairs;
    const int count = (dataSize() - start) / 2;

    for (int i = 0; i < count; ++i)
    {
        pairs.add (dataByte (start + 2 * i));
        pairs.add (dataByte (start + 2 * i + 1));
    }

    return pairs;
}

bool IOrvaneMidiMessage::hasOnlySevenBitData() const
{
    for (int i = 0; i < dataSize(); ++i)
        if (dataByte (i) >= 0x80)
            return false;
    return true;
}

bool IOrvaneMidiMessage::isOwnSysEx() const
{
    return dataSize() >= 6 && dataByte (0) == 0x00 && dataByte (1) == 0x2F && dataByte (2) == 0x19
        && (dataByte (3) == 0x02 || dataByte (4) == 0x42);
}

juce::String IOrvaneMidiMessage::toHexString() const
{
    juce::String text;
    const auto* raw = getRawData();

    for (int i = 0; i < getRawDataSize(); ++i)
        text << juce::String::formatted ("%.2X ", raw[i]);

    return text + "\n";
}

juce::String IOrvaneMidiMessage::describe() const
{
    using juce::String;

    if (isNoteOn())
        return String::formatted ("Note On  %d velocity %d channel %d\n", getNoteNumber(), (int) getVelocity(), getChannel());

    if (isNoteOff (true))
        return String::formatted ("Note Off %d velocity %d channel %d\n", getNoteNumber(), (int) getVelocity(), getChannel());

    if (isController())
        return String::formatted ("CC %d value %d channel %d\n", getControllerNumber(), getControllerValue(), getChannel());

    if (isChannelPressure())
        return String::formatted ("Aftertouch %d channel %d\n", getChannelPressureValue(), getChannel());

    if (isPitchWheel())
        return String::formatted ("Pitch Wheel value %d\n", getPitchWheelValue());

    if (! isSysEx())
        return "- \n";

    if (isIdentityReply (*this))
        return "OM32 SYSEX : Identification sysex\n";

    if (! isOwnSysEx())
        return "SYSEX \n";

    if (isControllerNumberResponse())
        return "OM32 SYSEX : Item Config Response\n";

    if (isItemValueResponse())
        return String::formatted ("OM32 SYSEX : Item value response (%d , %d)\n", getItemValueItem(), getItemValue());

    if (isMidiChannelResponse())
        return String::formatted ("OM32 SYSEX : Midi channel response %d\n", getMidiChannel());

    if (isOctaveShiftResponse())
        return String::formatted ("OM32 SYSEX : Octave shift response %d\n", getOctaveShift());

    if (isLedStateResponse())
        return String::formatted ("OM32 SYSEX : Led State response (%d , %d)\n", getLedId(), getLedState());

    return "OM32 SYSEX \n";
}
