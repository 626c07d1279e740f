#include "link/KeyboardMessageInterpreter.h"

#include "protocol/OrvaneMidiMessage49.h"

namespace
{
constexpr int modulationStrip = 0x40;
constexpr int pitchStrip = 0x41;

// Controls that send relative moves: sign bit 0x40, six bits of size.
bool sendsRelativeMoves (int id) { return id == 0x31 || id == 0x33; }

int decodeRelativeMove (int value)
{
    const int size = value & 0x3F;
    return (value & 0x40) != 0 ? -size : size;
}

int signedSevenBit (int value)
{
    const int bits = value & 0x7F;
    return bits >= 0x40 ? bits - 0x80 : bits;
}

// The switches and strips that have events of their own.
std::optional<int> ownMoveEvent (int id)
{
    switch (id)
    {
        case modulationStrip: return eventModulationMoved;
        case 0x50: return eventSwitch50Moved;
        case 0x51: return eventSwitch51Moved;
        case 0x52: return eventSwitch52Moved;
        case 0x53: return eventSwitch53Moved;
        default: return std::nullopt;
    }
}
} // namespace

KeyboardMessageInterpreter::KeyboardMessageInterpreter (ValueCache& cacheToUse) : cache (cacheToUse) {}

std::optional<KeyboardMessageInterpreter::Event> KeyboardMessageInterpreter::interpret (const juce::MidiMessage& message)
{
    if (message.isSysEx())
        return interpretSysEx (message);

    if (message.isController())
        return interpretController (message.getControllerNumber(), message.getControllerValue());

    if (message.isPitchWheel())
        return Event { eventPitchMoved, pitchStrip, message.getPitchWheelValue() };

    if (message.isNoteOn())
        watchNote (message.getNoteNumber());
    else if (message.isChannelPressure() && pressureNoteCode > 0)
        return Event { eventPadPressure, pressureNoteCode, message.getChannelPressureValue() };

    return std::nullopt;
}

std::optional<KeyboardMessageInterpreter::Event> KeyboardMessageInterpreter::interpretSysEx (const juce::MidiMessage& raw)
{
    const OrvaneMidiMessage49 message (raw);
    if (! message.isOwnSysEx())
        return std::nullopt;

    if (message.isControllerNumberResponse())
    {
        const auto pairs = message.getItemValuePairs();
        const int pairCount = cache.storeReplyPairs (OrvaneMidiMessage49::parameterNumber, pairs);
        cache.rebuildControlByNumber();

        if (pairCount == 1)
            return Event { eventControllerNumbers, pairs[0], pairs[1] };
        if (pairCount > 1)
            return Event { eventControllerNumbers, 0, 0 };
        return std::nullopt;
    }

    if (message.isParameterResponse())
    {
        const int parameter = message.getParameter();
        cache.storeReplyPairs (parameter, message.getItemValuePairs());
        return Event { eventParameterValues, parameter, 0 };
    }

    // The replies below carry one value: one cut short before it carries
    // nothing to store or report.
    if (! message.hasValue())
        return std::nullopt;

    if (message.isItemValueResponse())
    {
        const int value = message.getItemValue();
        if (value > 127)
            return std::nullopt;
        return Event { eventItemValue, message.getItemValueItem(), value };
    }

    if (message.isMidiChannelResponse())
    {
        cache.setGlobal (OrvaneMidiMessage49::globalMidiChannel, message.getMidiChannel(), ValueSource::keyboard);
        return Event { eventMidiChannel, cache.getGlobal (OrvaneMidiMessage49::globalMidiChannel), 0 };
    }

    if (message.isRelativeModeResponse())
    {
        const int mode = message.isRelativeModeOn() ? 127 : 1;
        cache.setGlobal (OrvaneMidiMessage49::globalRelativeMode, mode, ValueSource::keyboard);
        return Event { eventRelativeMode, mode, 0 };
    }

    if (message.isOctaveShiftResponse())
    {
        // Kept for the chart and the settings file; nothing sends it back.
        const int shift = signedSevenBit (message.getOctaveShift());
        cache.setGlobal (OrvaneMidiMessage49::globalOctaveShift, shift, ValueSource::keyboard);
        return Event { eventOctaveShift, shift, 0 };
    }

    // A reply naming an index past the end of the globals or curves is
    // neither stored nor reported.
    const int index = message.getItem(), value = message.getValue();

    if (message.isGlobalResponse() && cache.setGlobal (index, value, ValueSource::keyboard))
        return Event { eventGlobalValue, index, value };

    if (message.isCurveResponse() && cache.setCurve (index, value, ValueSource::keyboard))
        return Event { eventCurveValue, index, value };

    return std::nullopt;
}

std::optional<KeyboardMessageInterpreter::Event> KeyboardMessageInterpreter::interpretController (int number, int value)
{
    const int id = cache.getControlForNumber (number);
    if (id < 0)
        return std::nullopt;

    if (const auto event = ownMoveEvent (id))
        return Event { *event, id, value };

    return Event { eventControlMoved, id, sendsRelativeMoves (id) ? decodeRelativeMove (value) : value };
}

void KeyboardMessageInterpreter::watchNote (int note)
{
    switch (note)
    {
        case 48: pressureNoteCode = pressureNote48; break;
        case 68: pressureNoteCode = pressureNote68; break;
        case 72: pressureNoteCode = pressureNote72; break;
        default: break;
    }
}
