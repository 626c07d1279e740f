#include "protocol/OrvaneMidiMessage49.h"

namespace
{
constexpr int any = -1;
constexpr int operationByte = 5;
constexpr int memoryByte = 6;
constexpr int parameterByte = 7;
constexpr int itemByte = 8;
constexpr int valueByte = 9;
} // namespace

bool OrvaneMidiMessage49::matches (int operation, int parameter, int item, int memory) const
{
    return dataSize() >= 9
        && dataByte (operationByte) == operation
        && (memory < 0 || dataByte (memoryByte) == memory)
        && (parameter < 0 || dataByte (parameterByte) == parameter)
        && (item < 0 || dataByte (itemByte) == item);
}

int OrvaneMidiMessage49::getParameter() const { return dataByteOr (parameterByte, 0); }
int OrvaneMidiMessage49::getItem() const { return dataByteOr (itemByte, 0); }
int OrvaneMidiMessage49::getValue() const { return dataByteOr (valueByte, 0); }

bool OrvaneMidiMessage49::isControllerNumberRequest() const { return matches (operationRequest, parameterNumber, any, any); }
bool OrvaneMidiMessage49::isControllerNumberResponse() const { return matches (operationValue, parameterNumber, any, any); }
int OrvaneMidiMessage49::getControllerNumberItem() const { return getItem(); }
juce::Array<int> OrvaneMidiMessage49::getItemValuePairs() const { return pairsFrom (itemByte); }

bool OrvaneMidiMessage49::isItemValueRequest() const { return matches (operationRequest, parameterItemValue, any, any); }
bool OrvaneMidiMessage49::isItemValueResponse() const { return matches (operationValue, parameterItemValue, any, any); }
int OrvaneMidiMessage49::getItemValueItem() const { return getItem(); }
int OrvaneMidiMessage49::getItemValue() const { return getValue(); }

bool OrvaneMidiMessage49::isMidiChannelRequest() const { return matches (operationRequest, parameterGlobal, globalMidiChannel, any); }
bool OrvaneMidiMessage49::isMidiChannelResponse() const { return matches (operationValue, parameterGlobal, globalMidiChannel, any); }
int OrvaneMidiMessage49::getMidiChannel() const { return getValue(); }

bool OrvaneMidiMessage49::isRelativeModeRequest() const { return matches (operationRequest, parameterGlobal, globalRelativeMode, any); }
bool OrvaneMidiMessage49::isRelativeModeResponse() const { return matches (operationValue, parameterGlobal, globalRelativeMode, any); }
bool OrvaneMidiMessage49::isRelativeModeOn() const { return getValue() == 127; }

bool OrvaneMidiMessage49::isOctaveShiftRequest() const { return matches (operationRequest, parameterGlobal, globalOctaveShift, any); }
bool OrvaneMidiMessage49::isOctaveShiftResponse() const { return matches (operationValue, parameterGlobal, globalOctaveShift, any); }
int OrvaneMidiMessage49::getOctaveShift() const { return getValue(); }

// An LED's state is the parameter-0 value of its item.
bool OrvaneMidiMessage49::isLedStateRequest() const { return isItemValueRequest(); }
bool OrvaneMidiMessage49::isLedStateResponse() const { return isItemValueResponse(); }
int OrvaneMidiMessage49::getLedId() const { return getItem(); }
int OrvaneMidiMessage49::getLedState() const { return getValue(); }

bool OrvaneMidiMessage49::isControlParameter (int operation) const
{
    const int parameter = getParameter();
    return matches (operation, any, any, any) && parameter >= parameterMode && parameter <= parameterOption;
}

bool OrvaneMidiMessage49::isParameterRequest() const { return isControlParameter (operationRequest); }
bool OrvaneMidiMessage49::isParameterResponse() const { return isControlParameter (operationValue); }

bool OrvaneMidiMessage49::isGlobalRequest() const { return matches (operationRequest, parameterGlobal, any, any); }
bool OrvaneMidiMessage49::isGlobalResponse() const { return matches (operationValue, parameterGlobal, any, any); }
bool OrvaneMidiMessage49::isCurveRequest() const { return matches (operationRequest, parameterCurve, any, any); }
bool OrvaneMidiMessage49::isCurveResponse() const { return matches (operationValue, parameterCurve, any, any); }
