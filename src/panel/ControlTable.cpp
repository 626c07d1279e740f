#include "panel/ControlTable.h"

ControlTable buildControlTable()
{
    ControlTable table;

    table[0x41] = { "Pitch Strip", false };
    table[0x40] = { "Modulation Strip", false };

    const std::pair<juce::int16, const char*> knobs[] = {
        { 0x30, "1 - Volume" },   { 0x01, "2 - Cutoff" },     { 0x02, "3 - Resonance" }, { 0x09, "4 - LFO Rate" },
        { 0x0B, "5 - LFO Amt" },  { 0x0C, "6 - Chorus Amt" }, { 0x0D, "7 - Attack" },    { 0x0E, "8 - Decay" },
        { 0x33, "9 - Preset" },   { 0x03, "10 - Param 1" },   { 0x04, "11 - Param 2" },  { 0x0A, "12 - Param 3" },
        { 0x05, "13 - Param 4" }, { 0x06, "14 - Delay Amt" }, { 0x07, "15 - Sustain" },  { 0x08, "16 - Release" },
    };
    for (const auto& [id, name] : knobs)
        table[id] = { name, true };

    for (int pad = 1; pad <= 16; ++pad)
        table[(juce::int16) (0x6F + pad)] = { "Pad #" + juce::String (pad), false };

    table[0x50] = { "Sustain Pedal", false };
    table[0x20] = { "Down - Preset Dec", false };
    table[0x21] = { "Up - Preset Inc", false };

    return table;
}
