#pragma once

#include "JuceIncludes.h"

// A received MIDI message read through the keyboard's SysEx dialect. d[0] is
// the first byte after F0; every predicate answers false, and every accessor
// its dialect's "too short" value, when the bytes it reads are not there.
class IOrvaneMidiMessage : public juce::MidiMessage
{
public:
    explicit IOrvaneMidiMessage (const juce::MidiMessage& message) : juce::MidiMessage (message) {}
    virtual ~IOrvaneMidiMessage() = default;

    virtual bool isControllerNumberRequest() const = 0;
    virtual bool isControllerNumberResponse() const = 0;
    virtual int getControllerNumberItem() const = 0;
    virtual juce::Array<int> getItemValuePairs() const = 0;

    virtual bool isItemValueRequest() const = 0;
    virtual bool isItemValueResponse() const = 0;
    virtual int getItemValueItem() const = 0;
    virtual int getItemValue() const = 0;

    virtual bool isMidiChannelRequest() const = 0;
    virtual bool isMidiChannelResponse() const = 0;
    virtual int getMidiChannel() const = 0;

    virtual bool isRelativeModeRequest() const = 0;
    virtual bool isRelativeModeResponse() const = 0;
    virtual bool isRelativeModeOn() const = 0;

    virtual bool isOctaveShiftRequest() const = 0;
    virtual bool isOctaveShiftResponse() const = 0;
    virtual int getOctaveShift() const = 0;

    virtual bool isLedStateRequest() const = 0;
    virtual bool isLedStateResponse() const = 0;
    virtual int getLedId() const = 0;
    virtual int getLedState() const = 0;

    // The maker's identifier followed by either dialect's marker.
    virtual bool isOwnSysEx() const;

    // Every byte of the raw message as "%.2X ", then a line feed.
    virtual juce::String toHexString() const;

    // One diagnostic line naming what the message is.
    virtual juce::String describe() const;

    // False for a SysEx message with a byte of 0x80 or more between F0 and
    // F7, which no device may be sent.
    bool hasOnlySevenBitData() const;

protected:
    // Number of bytes between F0 and F7; 0 for anything but SysEx.
    int dataSize() const noexcept;

    // d[index] as an unsigned byte; the caller has checked dataSize().
    int dataByte (int index) const noexcept;

    // d[index] when the message is long enough, else tooShort.
    int dataByteOr (int index, int tooShort) const noexcept;

    // The item/value pairs from d[start] on; a trailing odd byte is ignored.
    juce::Array<int> pairsFrom (int start) const;
};
