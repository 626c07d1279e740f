#include "protocol/OrvaneMidiMessage32.h"

namespace
{
constexpr int tooShort = -1;
constexpr int firstArgumentByte = 6;
constexpr int secondArgumentByte = 7;
} // namespace

bool OrvaneMidiMessage32::is (int minimumSize, int command, int subCommand) const
{
    return dataSize() >= minimumSize && dataByte (4) == command && dataByte (5) == subCommand;
}

bool OrvaneMidiMessage32::isRelativeMode (int minimumSize, int subCommand) const
{
    return is (minimumSize, commandRelativeMode, subCommand) && dataByte (firstArgumentByte) == relativeModeArgument;
}

bool OrvaneMidiMessage32::isControllerNumberRequest() const { return is (7, commandItemConfiguration, subCommandRequest); }
bool OrvaneMidiMessage32::isControllerNumberResponse() const { return is (7, commandItemConfiguration, subCommandResponse); }
int OrvaneMidiMessage32::getControllerNumberItem() const { return dataByteOr (firstArgumentByte, tooShort); }
juce::Array<int> OrvaneMidiMessage32::getItemValuePairs() const { return pairsFrom (firstArgumentByte); }

bool OrvaneMidiMessage32::isItemValueRequest() const { return is (7, commandItemValue, subCommandRequest); }
bool OrvaneMidiMessage32::isItemValueResponse() const { return is (7, commandItemValue, subCommandResponse); }
int OrvaneMidiMessage32::getItemValueItem() const { return dataByteOr (firstArgumentByte, tooShort); }
int OrvaneMidiMessage32::getItemValue() const { return dataByteOr (secondArgumentByte, tooShort); }

bool OrvaneMidiMessage32::isMidiChannelRequest() const { return is (6, commandMidiChannel, subCommandRequest); }
bool OrvaneMidiMessage32::isMidiChannelResponse() const { return is (7, commandMidiChannel, subCommandResponse); }
int OrvaneMidiMessage32::getMidiChannel() const { return dataByteOr (firstArgumentByte, tooShort); }

bool OrvaneMidiMessage32::isRelativeModeRequest() const { return isRelativeMode (7, subCommandRequest); }
bool OrvaneMidiMessage32::isRelativeModeResponse() const { return isRelativeMode (8, subCommandResponse); }
bool OrvaneMidiMessage32::isRelativeModeOn() const { return dataByteOr (secondArgumentByte, tooShort) == 127; }

bool OrvaneMidiMessage32::isOctaveShiftRequest() const { return is (6, commandOctaveShift, subCommandRequest); }
bool OrvaneMidiMessage32::isOctaveShiftResponse() const { return is (7, commandOctaveShift, subCommandResponse); }
int OrvaneMidiMessage32::getOctaveShift() const { return dataByteOr (firstArgumentByte, tooShort); }

bool OrvaneMidiMessage32::isLedStateRequest() const { return is (6, commandLedState, subCommandRequest); }
bool OrvaneMidiMessage32::isLedStateResponse() const { return is (8, commandLedState, subCommandResponse); }
int OrvaneMidiMessage32::getLedId() const { return dataByteOr (firstArgumentByte, tooShort); }
int OrvaneMidiMessage32::getLedState() const { return dataByteOr (secondArgumentByte, tooShort); }

//==============================================================================
juce::MidiMessage OrvaneMidiMessage32::build (int command, int subCommand, std::initializer_list<int> arguments)
{
    std::vector<juce::uint8> bytes { 0xF0, 0x00, 0x2F, 0x19, 0x02, (juce::uint8) command, (juce::uint8) subCommand };
    for (int argument : arguments)
        bytes.push_back ((juce::uint8) (argument & 0x7F));
    bytes.push_back (0xF7);
    return juce::MidiMessage (bytes.data(), (int) bytes.size());
}

juce::MidiMessage OrvaneMidiMessage32::createControllerNumberRequest (int item)
{
    return build (commandItemConfiguration, subCommandRequest, { item });
}
juce::MidiMessage OrvaneMidiMessage32::createControllerNumberResponse (int item, int number)
{
    return build (commandItemConfiguration, subCommandResponse, { item, number });
}
juce::MidiMessage OrvaneMidiMessage32::createControllerNumberSet (int item, int number)
{
    return build (commandItemConfiguration, subCommandSet, { item, number });
}
juce::MidiMessage OrvaneMidiMessage32::createItemValueRequest (int item) { return build (commandItemValue, subCommandRequest, { item }); }
juce::MidiMessage OrvaneMidiMessage32::createItemValueSet (int item, int value)
{
    return build (commandItemValue, subCommandSet, { item, value });
}
juce::MidiMessage OrvaneMidiMessage32::createMidiChannelRequest() { return build (commandMidiChannel, subCommandRequest, {}); }
juce::MidiMessage OrvaneMidiMessage32::createMidiChannelSet (int channel) { return build (commandMidiChannel, subCommandSet, { channel }); }
juce::MidiMessage OrvaneMidiMessage32::createRelativeModeRequest()
{
    return build (commandRelativeMode, subCommandRequest, { relativeModeArgument });
}
juce::MidiMessage OrvaneMidiMessage32::createRelativeModeSet (bool on)
{
    return build (commandRelativeMode, subCommandSet, { relativeModeArgument, on ? 0x7F : 0x01 });
}
juce::MidiMessage OrvaneMidiMessage32::createOctaveShiftRequest() { return build (commandOctaveShift, subCommandRequest, {}); }
juce::MidiMessage OrvaneMidiMessage32::createOctaveShiftSet (int shift) { return build (commandOctaveShift, subCommandSet, { shift }); }
juce::MidiMessage OrvaneMidiMessage32::createLedStateRequest (int led) { return build (commandLedState, subCommandRequest, { led }); }
juce::MidiMessage OrvaneMidiMessage32::createLedStateSet (int led, int state)
{
    return build (commandLedState, subCommandSet, { led, state });
}
