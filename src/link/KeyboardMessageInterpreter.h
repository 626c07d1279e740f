#pragma once

#include "link/OrvaneManagerListener.h"
#include "link/ValueCache.h"

#include <optional>

// Reads what the keyboard sends once it is detected: stores its replies in
// the value cache and tells which event, if any, the manager raises for each
// message. It also turns controller messages back into the control that sent
// them. Used on the MIDI input thread only.
class KeyboardMessageInterpreter
{
public:
    struct Event
    {
        int event, a, b;
        bool operator== (const Event& other) const { return event == other.event && a == other.a && b == other.b; }
    };

    explicit KeyboardMessageInterpreter (ValueCache& cache);

    // The identity reply is not handled here: the manager re-identifies.
    std::optional<Event> interpret (const juce::MidiMessage& message);

    // The watched pad notes, as reported by eventPadPressure.
    static constexpr int pressureNote48 = 0x80;
    static constexpr int pressureNote68 = 0x81;
    static constexpr int pressureNote72 = 0x82;

private:
    std::optional<Event> interpretSysEx (const juce::MidiMessage& message);
    std::optional<Event> interpretController (int number, int value);
    void watchNote (int note);

    ValueCache& cache;
    int pressureNoteCode = -1;
};
