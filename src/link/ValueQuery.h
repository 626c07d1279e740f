#pragma once

#include "link/Clock.h"

#include <functional>

// Asks the keyboard for one value and waits for the reply that answers it.
//
// ask() blocks its caller; take() is fed every incoming message, on the MIDI
// input thread, and ends the wait when the awaited reply comes.
class ValueQuery
{
public:
    explicit ValueQuery (Clock& clockToUse) : clock (clockToUse) {}

    using Send = std::function<bool (const juce::MidiMessage&)>;

    // Sends the request through send and blocks until the matching reply
    // comes, sending it again when none came within timeoutMs, up to resends
    // times. A negative memory accepts a reply of any memory. The value, or
    // -1 when no reply came or the request could not be sent.
    int ask (int parameter, int item, int memory, const Send& send);

    void take (const juce::MidiMessage& message);

    static constexpr int timeoutMs = 1000;
    static constexpr int resends = 2;

private:
    bool takeAnswer (int& value);

    Clock& clock;

    juce::CriticalSection lock;
    bool pending = false;
    int awaitedParameter = 0, awaitedItem = 0, awaitedMemory = 0, result = -1;
};
