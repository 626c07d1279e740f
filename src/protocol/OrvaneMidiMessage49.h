#pragma once

#include "protocol/IOrvaneMidiMessage.h"

// The SysEx dialect of the Vorlo, the OV49 and the Vantry:
// F0 00 2F 19 <device> 42 <operation> <memory> <parameter> <item> <value...> F7
class OrvaneMidiMessage49 : public IOrvaneMidiMessage
{
public:
    enum Operation
    {
        operationRequest = 0x01,
        operationValue = 0x02,
        operationNames = 0x04,
        operationMemoryCommand05 = 0x05,
        operationStoreToMemory = 0x06
    };

    enum Parameter
    {
        parameterItemValue = 0x00,
        parameterMode = 0x01,
        parameterChannel = 0x02,
        parameterNumber = 0x03,
        parameterMinLsb = 0x04,
        parameterMaxMsb = 0x05,
        parameterOption = 0x06,
        parameterPadGain = 0x34,
        parameterGlobal = 0x40,
        parameterCurve = 0x41,
        parameterNames = 0x60
    };

    enum GlobalIndex
    {
        globalRelativeMode = 2,
        globalOctaveShift = 3,
        globalMidiChannel = 6
    };

    // Memory byte of the pad gains.
    static constexpr int padGainMemory = 0x40;

    explicit OrvaneMidiMessage49 (const juce::MidiMessage& message) : IOrvaneMidiMessage (message) {}

    bool isControllerNumberRequest() const override;
    bool isControllerNumberResponse() const override;
    int getControllerNumberItem() const override;
    juce::Array<int> getItemValuePairs() const override;

    bool isItemValueRequest() const override;
    bool isItemValueResponse() const override;
    int getItemValueItem() const override;
    int getItemValue() const override;

    bool isMidiChannelRequest() const override;
    bool isMidiChannelResponse() const override;
    int getMidiChannel() const override;

    bool isRelativeModeRequest() const override;
    bool isRelativeModeResponse() const override;
    bool isRelativeModeOn() const override;

    bool isOctaveShiftRequest() const override;
    bool isOctaveShiftResponse() const override;
    int getOctaveShift() const override;

    bool isLedStateRequest() const override;
    bool isLedStateResponse() const override;
    int getLedId() const override;
    int getLedState() const override;

    // True when the operation matches and so does each of parameter, item and
    // memory that is not negative. The maker bytes are not looked at.
    bool matches (int operation, int parameter, int item, int memory) const;

    int getParameter() const;
    int getItem() const;
    int getValue() const;

    // Requests and values of the six per-control parameters (1 to 6).
    bool isParameterRequest() const;
    bool isParameterResponse() const;

    bool isGlobalRequest() const;
    bool isGlobalResponse() const;
    bool isCurveRequest() const;
    bool isCurveResponse() const;

private:
    bool isControlParameter (int operation) const;
};
