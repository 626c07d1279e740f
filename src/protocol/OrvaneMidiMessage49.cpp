#include "protocol/OrvaneMidiMessage49.h"

namespace
{
constexpr int any = -1;
constexpr int operationByte = 5;
constexpr int memoryByte = 6;
constexpr int parameterByte = 7;
constexpr int itemByte = 8;
constexpr int valueByte = 9;
constexpr int subIdentifier = 0x42;

juce::MidiMessage fromBytes (const std::vector<juce::uint8>& bytes) { return juce::MidiMessage (bytes.data(), (int) bytes.size()); }

juce::uint8 lowByte (int value) { return (juce::uint8) (value & 0xFF); }

std::vector<juce::uint8> header (int device, int operation)
{
    return { 0xF0, 0x00, 0x2F, 0x19, lowByte (device), subIdentifier, lowByte (operation) };
}

void appendNameSection (std::vector<juce::uint8>& bytes, int marker, const char* text)
{
    if (text == nullptr)
        return;

    bytes.push_back (lowByte (marker));
    for (int i = 0; i < OrvaneMidiMessage49::maxNameLength; ++i)
    {
        const auto character = (juce::uint8) (text[i] & 0x7F);
        if (character == 0)
            break;
        bytes.push_back (character);
    }
    bytes.push_back (0x00);
}
} // namespace

bool OrvaneMidiMessage49::matches (int operation, int parameter, int item, int memory) const
{
    return dataSize() >= 9 && dataByte (operationByte) == operation && (memory < 0 || dataByte (memoryByte) == memory)
        && (parameter < 0 || dataByte (parameterByte) == parameter) && (item < 0 || dataByte (itemByte) == item);
}

int OrvaneMidiMessage49::getParameter() const { return dataByteOr (parameterByte, 0); }
int OrvaneMidiMessage49::getItem() const { return dataByteOr (itemByte, 0); }
int OrvaneMidiMessage49::getValue() const { return dataByteOr (valueByte, 0); }
bool OrvaneMidiMessage49::hasValue() const { return dataSize() > valueByte; }

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

//==============================================================================
juce::MidiMessage OrvaneMidiMessage49::buildRequest (int parameter, int item, int memory, int device)
{
    auto bytes = header (device, operationRequest);
    bytes.insert (bytes.end(), { lowByte (memory), lowByte (parameter), lowByte (item), 0xF7 });
    return fromBytes (bytes);
}

juce::MidiMessage OrvaneMidiMessage49::buildValue (int parameter, int item, int value, int memory, int device)
{
    auto bytes = header (device, operationValue);
    bytes.insert (bytes.end(), { lowByte (memory), lowByte (parameter), lowByte (item), lowByte (value), 0xF7 });
    return fromBytes (bytes);
}

juce::MidiMessage OrvaneMidiMessage49::buildNames (int parameter, const char* firstText, const char* secondText, int memory, int device)
{
    auto bytes = header (device, operationNames);
    bytes.insert (bytes.end(), { lowByte (memory), lowByte (parameter) });
    appendNameSection (bytes, 0x01, firstText);
    appendNameSection (bytes, 0x02, secondText);
    bytes.push_back (0xF7);
    return fromBytes (bytes);
}

juce::MidiMessage OrvaneMidiMessage49::buildCommand (int command, int argument, int device)
{
    auto bytes = header (device, command);
    bytes.insert (bytes.end(), { lowByte (argument), 0xF7 });
    return fromBytes (bytes);
}

juce::MidiMessage OrvaneMidiMessage49::createRequest (int parameter, int item, int memory)
{
    return buildRequest (parameter, item, memory, allDevices);
}

juce::MidiMessage OrvaneMidiMessage49::createValue (int parameter, int item, int value, int memory)
{
    return buildValue (parameter, item, value, memory, allDevices);
}

juce::MidiMessage OrvaneMidiMessage49::createGlobalRequest (int index) { return createRequest (parameterGlobal, index, 0); }
juce::MidiMessage OrvaneMidiMessage49::createGlobalValue (int index, int value) { return createValue (parameterGlobal, index, value, 0); }
juce::MidiMessage OrvaneMidiMessage49::createCurveRequest (int index) { return createRequest (parameterCurve, index, 0); }
juce::MidiMessage OrvaneMidiMessage49::createCurveValue (int index, int value) { return createValue (parameterCurve, index, value, 0); }
juce::MidiMessage OrvaneMidiMessage49::createStoreToMemory (int memory)
{
    return buildCommand (operationStoreToMemory, memory, allDevices);
}
juce::MidiMessage OrvaneMidiMessage49::createMemoryCommand05 (int memory)
{
    return buildCommand (operationMemoryCommand05, memory, allDevices);
}

juce::MidiMessage OrvaneMidiMessage49::createNames (const char* firstText, const char* secondText)
{
    return buildNames (parameterNames, firstText, secondText, 0, allDevices);
}

// A set and a response are the same value message in this dialect, and an
// LED's state is the parameter-0 value of its item.
juce::MidiMessage OrvaneMidiMessage49::createControllerNumberRequest (int item) { return createRequest (parameterNumber, item, 0); }
juce::MidiMessage OrvaneMidiMessage49::createControllerNumberResponse (int item, int number)
{
    return createValue (parameterNumber, item, number, 0);
}
juce::MidiMessage OrvaneMidiMessage49::createControllerNumberSet (int item, int number)
{
    return createControllerNumberResponse (item, number);
}
juce::MidiMessage OrvaneMidiMessage49::createItemValueRequest (int item) { return createRequest (parameterItemValue, item, 0); }
juce::MidiMessage OrvaneMidiMessage49::createItemValueSet (int item, int value) { return createValue (parameterItemValue, item, value, 0); }
juce::MidiMessage OrvaneMidiMessage49::createMidiChannelRequest() { return createGlobalRequest (globalMidiChannel); }
juce::MidiMessage OrvaneMidiMessage49::createMidiChannelSet (int channel) { return createGlobalValue (globalMidiChannel, channel); }
juce::MidiMessage OrvaneMidiMessage49::createRelativeModeRequest() { return createGlobalRequest (globalRelativeMode); }
juce::MidiMessage OrvaneMidiMessage49::createRelativeModeSet (bool on) { return createGlobalValue (globalRelativeMode, on ? 0x7F : 0x01); }
juce::MidiMessage OrvaneMidiMessage49::createOctaveShiftRequest() { return createGlobalRequest (globalOctaveShift); }
juce::MidiMessage OrvaneMidiMessage49::createOctaveShiftSet (int shift) { return createGlobalValue (globalOctaveShift, shift & 0x7F); }
juce::MidiMessage OrvaneMidiMessage49::createLedStateRequest (int led) { return createItemValueRequest (led); }
juce::MidiMessage OrvaneMidiMessage49::createLedStateSet (int led, int state) { return createItemValueSet (led, state); }
