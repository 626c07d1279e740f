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
