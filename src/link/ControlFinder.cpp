#include "link/ControlFinder.h"

#include "protocol/OrvaneMidiMessage49.h"

namespace
{
// The kinds of message a mode sends, by mode value.
enum class Sends
{
    nothing,
    controller,
    note,
    pitchBend,
    pressure
};

Sends sendsOf (int mode)
{
    switch (mode)
    {
        case 1:  // control
        case 2:  // relative control
        case 5:  // duration control
        case 8:  // control toggle
            return Sends::controller;
        case 9:  // note
        case 10: // note, gated
            return Sends::note;
        case 12: return Sends::pitchBend;
        case 14: return Sends::pressure;
        default: return Sends::nothing;
    }
}

constexpr int followGlobalChannel = 65;
} // namespace

std::optional<int> ControlFinder::controlFor (const juce::MidiMessage& message, const ValueCache& cache)
{
    Sends kind;
    int number = -1; // the controller or note; none for pitch bend and pressure
    if (message.isController())
    {
        kind = Sends::controller;
        number = message.getControllerNumber();
    }
    else if (message.isNoteOn())
    {
        kind = Sends::note;
        number = message.getNoteNumber();
    }
    else if (message.isPitchWheel())
        kind = Sends::pitchBend;
    else if (message.isChannelPressure())
        kind = Sends::pressure;
    else
        return std::nullopt;

    const int channel = message.getChannel() - 1;
    const int globalChannel = cache.getGlobal (OrvaneMidiMessage49::globalMidiChannel);

    std::optional<int> onChannel, onAnyChannel;
    for (const int id : cache.getControlsWithNumber()) // ascending: the last match is the highest id
    {
        // The number first: it rules out all but a few, for one look each.
        if ((number >= 0 && cache.getItemParam (3, id) != number) || sendsOf (cache.getItemParam (1, id)) != kind)
            continue;

        onAnyChannel = id;
        const int assigned = cache.getItemParam (2, id);
        const int controlChannel = assigned == followGlobalChannel ? globalChannel : assigned;
        if (controlChannel == channel)
            onChannel = id;
    }

    // The editor may not know the channel the keyboard really uses.
    return onChannel ? onChannel : onAnyChannel;
}
