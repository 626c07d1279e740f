#include "sim/KeyboardModel.h"

namespace
{
// Operations and parameters of the keyboard's dialect.
constexpr int opRequest = 0x01, opValue = 0x02, opNames = 0x04, opCommand05 = 0x05, opStore = 0x06;
constexpr int paramItemValue = 0x00, paramPadGain = 0x34, paramGlobal = 0x40, paramCurve = 0x41;
constexpr int padGainMemory = 0x40;
constexpr int followGlobalChannel = 0x41;

// The keyboard's factory assignment: id, mode, channel, number, min, max, option.
struct FactoryControl
{
    int id, mode, channel, number, minimum, maximum, option;
};

// Knob 1 starts on Pan and knob 9 as a relative encoder; the pads play from
// C2 on channel 10 and the shifted pads switch controllers 22 to 29.
constexpr FactoryControl factoryControls[] = {
    { 0x41, 12, 0x41, 1, 0, 127, 0 }, { 0x40, 1, 0x41, 1, 0, 127, 0 },  { 0x30, 1, 0x41, 10, 0, 127, 1 },  { 0x01, 1, 0x41, 74, 0, 127, 1 },
    { 0x02, 1, 0x41, 71, 0, 127, 1 }, { 0x09, 1, 0x41, 76, 0, 127, 1 }, { 0x0B, 1, 0x41, 77, 0, 127, 1 },  { 0x0C, 1, 0x41, 93, 0, 127, 1 },
    { 0x0D, 1, 0x41, 73, 0, 127, 1 }, { 0x0E, 1, 0x41, 75, 0, 127, 1 }, { 0x33, 2, 0x41, 114, 0, 127, 1 }, { 0x03, 1, 0x41, 18, 0, 127, 1 },
    { 0x04, 1, 0x41, 19, 0, 127, 1 }, { 0x0A, 1, 0x41, 16, 0, 127, 1 }, { 0x05, 1, 0x41, 17, 0, 127, 1 },  { 0x06, 1, 0x41, 91, 0, 127, 1 },
    { 0x07, 1, 0x41, 79, 0, 127, 1 }, { 0x08, 1, 0x41, 72, 0, 127, 1 }, { 0x20, 8, 0, 20, 0, 127, 1 },     { 0x21, 8, 0, 21, 0, 127, 1 },
    { 0x70, 9, 9, 36, 0, 127, 1 },    { 0x71, 9, 9, 37, 0, 127, 1 },    { 0x72, 9, 9, 38, 0, 127, 1 },     { 0x73, 9, 9, 39, 0, 127, 1 },
    { 0x74, 9, 9, 40, 0, 127, 1 },    { 0x75, 9, 9, 41, 0, 127, 1 },    { 0x76, 9, 9, 42, 0, 127, 1 },     { 0x77, 9, 9, 43, 0, 127, 1 },
    { 0x78, 8, 0, 22, 0, 127, 1 },    { 0x79, 8, 0, 23, 0, 127, 1 },    { 0x7A, 8, 0, 24, 0, 127, 1 },     { 0x7B, 8, 0, 25, 0, 127, 1 },
    { 0x7C, 8, 0, 26, 0, 127, 1 },    { 0x7D, 8, 0, 27, 0, 127, 1 },    { 0x7E, 8, 0, 28, 0, 127, 1 },     { 0x7F, 8, 0, 29, 0, 127, 1 },
    { 0x50, 8, 0x41, 64, 0, 127, 1 },
};

juce::MidiMessage valueMessage (int memory, int parameter, const std::vector<int>& itemsAndValues)
{
    std::vector<juce::uint8> bytes { 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, opValue, (juce::uint8) memory, (juce::uint8) parameter };
    for (int b : itemsAndValues)
        bytes.push_back ((juce::uint8) (b & 0x7F));
    bytes.push_back (0xF7);
    return juce::MidiMessage (bytes.data(), (int) bytes.size());
}

bool isPad (int item) { return item >= KeyboardModel::firstPad && item < KeyboardModel::firstPad + KeyboardModel::numPads; }
} // namespace

KeyboardModel::KeyboardModel()
{
    for (const auto& c : factoryControls)
        working.controls[c.id] = { 0, c.mode, c.channel, c.number, c.minimum, c.maximum, c.option };

    // Global channel 3, absolute knobs, no octave shift; a steeper key curve,
    // a softer pad curve and some knob acceleration.
    working.globals = { 0, 3, 1, 0, 0, 4, 2, 1, 2, 0, 0, 0 };
    working.curves = { 0, 2, 0, 1, 1, 0, 0, 0, 0, 0, 0 };

    padGains.fill (64);
    padGains[0] = 80;
    padGains[7] = 50;
    storedPadGains = padGains;

    for (int led = 99; led < 99 + 8; ++led)
        itemValues[led] = 1;
}

int KeyboardModel::globalChannel() const { return working.globals[6]; }

std::vector<juce::MidiMessage> KeyboardModel::receive (const juce::MidiMessage& message)
{
    if (! message.isSysEx() || message.getSysExDataSize() < 7)
        return {};

    const auto* d = message.getSysExData();
    const int size = message.getSysExDataSize();
    if (d[0] != 0x00 || d[1] != 0x2F || d[2] != 0x19 || d[4] != 0x42)
        return {};

    const int operation = d[5];
    const int memory = d[6];

    switch (operation)
    {
        case opRequest:
            if (size >= 9)
                return answerRequest (memory, d[7], d[8]);
            break;
        case opValue:
            if (size >= 10)
                applyValue (d[7], d[8], d[9]);
            break;
        case opNames: applyNames (d + 8, size - 8); break;
        case opCommand05: memoryCommands05.push_back (memory); break;
        case opStore: store (memory); break;
        default: break;
    }
    return {};
}

std::vector<juce::MidiMessage> KeyboardModel::answerRequest (int, int parameter, int item) const
{
    if (parameter >= 1 && parameter <= 6)
    {
        std::vector<int> pairs;
        for (const auto& [id, setting] : working.controls)
            if (item == 0 || item == id)
                pairs.insert (pairs.end(), { id, setting[(size_t) parameter] });

        if (pairs.empty())
            return {};
        return { valueMessage (0, parameter, pairs) };
    }

    switch (parameter)
    {
        case paramItemValue:
        {
            const auto it = itemValues.find (item);
            return { valueMessage (0, paramItemValue, { item, it != itemValues.end() ? it->second : 0 }) };
        }
        case paramPadGain:
            // Whatever memory byte the request carries, the gains live in theirs.
            if (isPad (item))
                return { valueMessage (padGainMemory, paramPadGain, { item, padGains[(size_t) (item - firstPad)] }) };
            return {};
        case paramGlobal:
            if (juce::isPositiveAndBelow (item, (int) working.globals.size()))
                return { valueMessage (0, paramGlobal, { item, working.globals[(size_t) item] }) };
            return {};
        case paramCurve:
            if (juce::isPositiveAndBelow (item, (int) working.curves.size()))
                return { valueMessage (0, paramCurve, { item, working.curves[(size_t) item] }) };
            return {};
        default: return {};
    }
}

void KeyboardModel::applyValue (int parameter, int item, int value)
{
    if (parameter >= 1 && parameter <= 6)
    {
        if (auto it = working.controls.find (item); it != working.controls.end())
            it->second[(size_t) parameter] = value;
        return;
    }

    switch (parameter)
    {
        case paramItemValue: itemValues[item] = value; break;
        case paramPadGain:
            if (isPad (item))
                padGains[(size_t) (item - firstPad)] = value;
            break;
        case paramGlobal:
            if (juce::isPositiveAndBelow (item, (int) working.globals.size()))
                working.globals[(size_t) item] = value;
            break;
        case paramCurve:
            if (juce::isPositiveAndBelow (item, (int) working.curves.size()))
                working.curves[(size_t) item] = value;
            break;
        default: break;
    }
}

void KeyboardModel::applyNames (const juce::uint8* data, int size)
{
    // Sections: marker 1 or 2, characters, 0.
    for (int i = 0; i < size;)
    {
        const int marker = data[i++];
        juce::String text;
        while (i < size && data[i] != 0)
            text += (juce::juce_wchar) data[i++];
        ++i;

        if (marker == 1 || marker == 2)
            names[marker - 1] = text;
    }
}

void KeyboardModel::store (int memory)
{
    if (memory == padGainMemory)
        storedPadGains = padGains;
    else if (memory >= 1 && memory <= numMemories)
        memories[(size_t) memory] = working;
}

std::optional<juce::MidiMessage> KeyboardModel::messageWhenMoved (int id, int value) const
{
    const auto it = working.controls.find (id);
    if (it == working.controls.end())
        return std::nullopt;

    const auto& setting = it->second;
    const int channel = juce::jlimit (0, 15, setting[2] == followGlobalChannel ? globalChannel() : setting[2]) + 1;
    switch (setting[1])
    {
        case 9:
        case 10: return juce::MidiMessage::noteOn (channel, setting[3], (juce::uint8) juce::jlimit (1, 127, value));
        case 12: return juce::MidiMessage::pitchWheel (channel, juce::jlimit (0, 16383, value * 129));
        default: return juce::MidiMessage::controllerEvent (channel, setting[3], value);
    }
}
