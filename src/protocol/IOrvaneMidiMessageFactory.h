#pragma once

#include "JuceIncludes.h"

// The named kinds of message, one operation each, built in one dialect.
class IOrvaneMidiMessageFactory
{
public:
    virtual ~IOrvaneMidiMessageFactory() = default;

    virtual juce::MidiMessage createControllerNumberRequest (int item) const = 0;
    virtual juce::MidiMessage createControllerNumberResponse (int item, int number) const = 0;
    virtual juce::MidiMessage createControllerNumberSet (int item, int number) const = 0;
    virtual juce::MidiMessage createItemValueRequest (int item) const = 0;
    virtual juce::MidiMessage createItemValueSet (int item, int value) const = 0;
    virtual juce::MidiMessage createMidiChannelRequest() const = 0;
    virtual juce::MidiMessage createMidiChannelSet (int channel) const = 0;
    virtual juce::MidiMessage createRelativeModeRequest() const = 0;
    virtual juce::MidiMessage createRelativeModeSet (bool on) const = 0;
    virtual juce::MidiMessage createOctaveShiftRequest() const = 0;
    virtual juce::MidiMessage createOctaveShiftSet (int shift) const = 0;
    virtual juce::MidiMessage createLedStateRequest (int led) const = 0;
    virtual juce::MidiMessage createLedStateSet (int led, int state) const = 0;
};

// The factory of one dialect: every operation forwards to the message
// class's static builder of the same name.
template <typename MessageClass>
class OrvaneMidiMessageFactory : public IOrvaneMidiMessageFactory
{
public:
    juce::MidiMessage createControllerNumberRequest (int item) const override { return MessageClass::createControllerNumberRequest (item); }
    juce::MidiMessage createControllerNumberResponse (int item, int number) const override
    {
        return MessageClass::createControllerNumberResponse (item, number);
    }
    juce::MidiMessage createControllerNumberSet (int item, int number) const override
    {
        return MessageClass::createControllerNumberSet (item, number);
    }
    juce::MidiMessage createItemValueRequest (int item) const override { return MessageClass::createItemValueRequest (item); }
    juce::MidiMessage createItemValueSet (int item, int value) const override { return MessageClass::createItemValueSet (item, value); }
    juce::MidiMessage createMidiChannelRequest() const override { return MessageClass::createMidiChannelRequest(); }
    juce::MidiMessage createMidiChannelSet (int channel) const override { return MessageClass::createMidiChannelSet (channel); }
    juce::MidiMessage createRelativeModeRequest() const override { return MessageClass::createRelativeModeRequest(); }
    juce::MidiMessage createRelativeModeSet (bool on) const override { return MessageClass::createRelativeModeSet (on); }
    juce::MidiMessage createOctaveShiftRequest() const override { return MessageClass::createOctaveShiftRequest(); }
    juce::MidiMessage createOctaveShiftSet (int shift) const override { return MessageClass::createOctaveShiftSet (shift); }
    juce::MidiMessage createLedStateRequest (int led) const override { return MessageClass::createLedStateRequest (led); }
    juce::MidiMessage createLedStateSet (int led, int state) const override { return MessageClass::createLedStateSet (led, state); }
};
