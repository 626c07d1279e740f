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
    // Device byte of every message the editor builds.
    static constexpr int allDevices = 0x7F;
    // A names message carries at most this many characters per text.
    static constexpr int maxNameLength = 16;

    // Whether a value fits the seven bits of a SysEx data byte.
    static constexpr bool isDataByte (int value) { return value >= 0 && value <= 127; }

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
    // False for a message cut short before its value byte, whose getValue
    // reads 0 without there being a value.
    bool hasValue() const;

    // Requests and values of the six per-control parameters (1 to 6).
    bool isParameterRequest() const;
    bool isParameterResponse() const;

    bool isGlobalRequest() const;
    bool isGlobalResponse() const;
    bool isCurveRequest() const;
    bool isCurveResponse() const;

    //==============================================================================
    // Builders. Arguments are written as their low eight bits; only the octave
    // shift is masked to seven.
    static juce::MidiMessage buildRequest (int parameter, int item, int memory, int device);
    static juce::MidiMessage buildValue (int parameter, int item, int value, int memory, int device);
    // Each present text becomes a section: marker (1 or 2), up to 16
    // characters, 0. A null text leaves no section at all.
    static juce::MidiMessage buildNames (int parameter, const char* firstText, const char* secondText, int memory, int device);
    static juce::MidiMessage buildCommand (int command, int argument, int device);

    static juce::MidiMessage createRequest (int parameter, int item, int memory);
    static juce::MidiMessage createValue (int parameter, int item, int value, int memory);
    static juce::MidiMessage createGlobalRequest (int index);
    static juce::MidiMessage createGlobalValue (int index, int value);
    static juce::MidiMessage createCurveRequest (int index);
    static juce::MidiMessage createCurveValue (int index, int value);
    static juce::MidiMessage createStoreToMemory (int memory);
    static juce::MidiMessage createMemoryCommand05 (int memory);
    static juce::MidiMessage createNames (const char* firstText, const char* secondText);

    // The named kinds of the message catalogue.
    static juce::MidiMessage createControllerNumberRequest (int item);
    static juce::MidiMessage createControllerNumberResponse (int item, int number);
    static juce::MidiMessage createControllerNumberSet (int item, int number);
    static juce::MidiMessage createItemValueRequest (int item);
    static juce::MidiMessage createItemValueSet (int item, int value);
    static juce::MidiMessage createMidiChannelRequest();
    static juce::MidiMessage createMidiChannelSet (int channel);
    static juce::MidiMessage createRelativeModeRequest();
    static juce::MidiMessage createRelativeModeSet (bool on);
    static juce::MidiMessage createOctaveShiftRequest();
    static juce::MidiMessage createOctaveShiftSet (int shift);
    static juce::MidiMessage createLedStateRequest (int led);
    static juce::MidiMessage createLedStateSet (int led, int state);

private:
    bool isControlParameter (int operation) const;
};
