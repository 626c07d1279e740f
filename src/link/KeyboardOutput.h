#pragma once

#include "link/Clock.h"
#include "link/MidiPorts.h"

// The keyboard's output: sends to it one message at a time with the pause the
// keyboard needs after each, and knows when the keyboard has gone.
//
// Both the message thread and the MIDI input thread send through it; a send
// and its pause hold one lock, so that their messages are paced together.
class KeyboardOutput
{
public:
    KeyboardOutput (MidiPorts& portsToUse, Clock& clockToUse) : ports (portsToUse), clock (clockToUse) {}

    // Opens the first output named exactly name in place of the one held.
    // False when no output has that name; when the port exists but will not
    // open, true, and the keyboard stays without an output.
    bool openByName (const juce::String& name);
    // Holds an opened port in place of the one held.
    void hold (std::unique_ptr<MidiOutputPort> output);
    void close();
    bool isOpen() const;

    // Sends, then pauses pacingMs. False, sending nothing, without an output
    // or when a SysEx message carries a data byte of 0x80 or more; false as
    // well when the message did not leave, which marks the keyboard unplugged.
    bool send (const juce::MidiMessage& message);

    // Whether the output is open and its port still listed. A port whose
    // device vanished swallows messages without a word: its name leaving the
    // port list is the only sign.
    bool isPresent() const;

    // Closes the output, so that nothing more goes into nothing; it counts as
    // unplugged until it is bound to a keyboard again.
    void markUnplugged();
    bool isUnplugged() const;
    // A keyboard was identified on this output.
    void markPluggedIn();

    static constexpr int pacingMs = 2;

private:
    void markUnpluggedLocked();
    void waitOutPacingGap();

    MidiPorts& ports;
    Clock& clock;

    mutable juce::CriticalSection lock;
    std::unique_ptr<MidiOutputPort> output;
    bool unplugged = false;

    juce::CriticalSection sendLock;
};
