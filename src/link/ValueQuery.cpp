#include "link/ValueQuery.h"

#include "protocol/OrvaneMidiMessage49.h"

namespace
{
constexpr int pollMs = 5;

// A request must carry a 7-bit memory byte even when the caller accepts a
// reply of any memory: the pad gains' own memory for a pad gain, where they
// are set and stored, and the settings' memory 0 for anything else.
int requestMemoryForAnyMemory (int parameter)
{
    return parameter == OrvaneMidiMessage49::parameterPadGain ? OrvaneMidiMessage49::padGainMemory : 0;
}
} // namespace

int ValueQuery::ask (int parameter, int item, int memory, const Send& send)
{
    {
        const juce::ScopedLock locked (lock);
        pending = true;
        awaitedParameter = parameter;
        awaitedItem = item;
        awaitedMemory = memory;
        result = -1;
    }

    const auto request =
        OrvaneMidiMessage49::createRequest (parameter, item, memory >= 0 ? memory : requestMemoryForAnyMemory (parameter));

    // One lost message must not leave a value unread: the request goes again
    // when no reply came in time, and a late reply to an earlier sending
    // answers as well as any.
    for (int attempt = 0; attempt <= resends; ++attempt)
    {
        // Without a keyboard output no answer can come: no point in waiting.
        // The time-out is measured on the clock, not counted in polls, whose
        // sleeps may each run long.
        if (! send (request))
            break;

        const double deadline = clock.getMillisecondCounterHiRes() + timeoutMs;
        while (clock.getMillisecondCounterHiRes() < deadline)
        {
            int value;
            if (takeAnswer (value))
                return value;
            clock.sleep (pollMs);
        }
    }

    const juce::ScopedLock locked (lock);
    const bool answered = ! pending;
    pending = false;
    return answered ? result : -1;
}

bool ValueQuery::takeAnswer (int& value)
{
    const juce::ScopedLock locked (lock);
    value = result;
    return ! pending;
}

void ValueQuery::take (const juce::MidiMessage& message)
{
    const juce::ScopedLock locked (lock);
    if (! pending)
        return;

    // Only the awaited reply ends the wait: a pad struck or a knob turned
    // meanwhile must not pass for an answer, nor a reply cut short before
    // its value, which would read as 0.
    const OrvaneMidiMessage49 reply (message);
    if (reply.isOwnSysEx() && reply.hasValue()
        && reply.matches (OrvaneMidiMessage49::operationValue, awaitedParameter, awaitedItem, awaitedMemory))
    {
        result = reply.getValue();
        pending = false;
    }
}
