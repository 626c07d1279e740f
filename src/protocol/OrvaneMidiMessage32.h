#pragma once

#include "protocol/IOrvaneMidiMessage.h"

// The older dialect of the 32-key model:
// F0 00 2F 19 02 <command> <sub-command> <arguments...> F7
// Accessors answer -1 when the message is too short.
class OrvaneMidiMessage32 : public IOrvaneMidiMessage
{
public:
    enum Command
    {
        commandItemConfiguration = 1,
        commandItemValue = 2,
        commandMidiChannel = 3,
        commandOctaveShift = 4,
        commandLedState = 8,
        commandRelativeMode = 9
    };

    enum SubCommand
    {
        subCommandRequest = 1,
        subCommandResponse = 2,
        subCommandSet = 3
    };

    // Relative-mode messages carry this constant as their first argument.
    static constexpr int relativeModeArgument = 0x02;

    explicit OrvaneMidiMessage32 (const juce::MidiMessage& message) : IOrvaneMidiMessage (message) {}

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

    //==============================================================================
    // The named kinds of the message catalogue. Every argument is masked to
    // seven bits.
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
    static juce::MidiMessage build (int command, int subCommand, std::initializer_list<int> arguments);

    // At least minimumSize data bytes with this command and sub-command.
    bool is (int minimumSize, int command, int subCommand) const;
    bool isRelativeMode (int minimumSize, int subCommand) const;
};
