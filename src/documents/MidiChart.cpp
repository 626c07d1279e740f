#include "documents/MidiChart.h"

#include "documents/XmlFileWriter.h"

#include <map>

namespace
{
const char* const chartTitle = "Velmora Vorlo Midi Chart";

const char* const modeNames[] = {
    "Off - 0",         "Control - 1",      "Rel. Control - 2",     "RPN - 3",
    "NRPN - 4",        "Duration Ctl - 5", "Kbd Preset - 6",       "MMC - 7",
    "Ctl Toggle - 8",  "Midi Note - 9",    "Midi Note Gated - 10", "Patch Chg - 11",
    "Pitch Bend - 12", "??? - 13",         "Aftertouch - 14",
};

const std::map<int, const char*> namedChannels = {
    { 64, "Lwr - 0x40" },
    { 65, "Master - 0x41" },
    { 126, "All - 0x7E" },
    { 127, "Pnl - 0x7F" },
};

// The names the chart gives the controls of the whole keyboard family; they
// differ from the settings panel's.
const std::map<int, juce::String>& chartNames()
{
    static const auto names = []
    {
        std::map<int, juce::String> table = {
            { 0x41, "Pitch Wheel" },
            { 0x40, "Modulation Wheel" },
            { 0x42, "Joystick Down / Extra Wheel" },
            { 0x30, "C1 - Volume" },
            { 0x01, "C2 - Cutoff" },
            { 0x02, "C3 - Resonance" },
            { 0x09, "C4 - LFO Rate " },
            { 0x0B, "C5 - LFO Amt" },
            { 0x0C, "C6 - Chorus Amt" },
            { 0x0D, "C7 - Attack" },
            { 0x0E, "C8 - Decay" },
            { 0x33, "C9 - Preset" },
            { 0x03, "C10 - Param 1" },
            { 0x04, "C11 - Param 2" },
            { 0x0A, "C12 - Param 3" },
            { 0x05, "C13 - Param 4" },
            { 0x06, "C14 - Delay Amt" },
            { 0x07, "C15 - Sustain" },
            { 0x08, "C16 - Release" },
            { 0x4F, "Tempo" },
            { 0x31, "Category Adjust" },
            { 0x32, "Category Select" },
            { 0x34, "Preset Select" },
            { 0x50, "Sustain Pedal" },
            { 0x51, "Expression Pedal" },
            { 0x53, "Aux Pedal" },
            { 0x52, "Breath Control" },
        };
        for (int snapshot = 1; snapshot <= 10; ++snapshot)
            table[17 + snapshot] = "Snapshot #" + juce::String (snapshot);
        for (int pad = 1; pad <= 16; ++pad)
            table[111 + pad] = "Pad #" + juce::String (pad);
        return table;
    }();
    return names;
}

juce::String hexByte (int value) { return "0x" + juce::String::toHexString (value & 0xFF).paddedLeft ('0', 2).toUpperCase(); }

// Ids 0x20 to 0x2F, the preset buttons on this keyboard, are not listed.
bool isListed (int id) { return (id & 0xF0) != 0x20; }

int orDefault (int value, int defaultValue) { return value != ValueCache::missing ? value : defaultValue; }

void addCell (juce::XmlElement& row, const char* tag, const juce::String& text) { row.createNewChildElement (tag)->addTextElement (text); }

juce::XmlElement* addTable (juce::XmlElement& body, std::initializer_list<const char*> headers)
{
    auto* table = body.createNewChildElement ("table");
    table->setAttribute ("border", 1);
    auto* header = table->createNewChildElement ("tr");
    for (const auto* title : headers)
        addCell (*header, "th", title);
    return table;
}

void addRow (juce::XmlElement& table, std::initializer_list<juce::String> cells)
{
    auto* row = table.createNewChildElement ("tr");
    for (const auto& text : cells)
        addCell (*row, "td", text);
}
} // namespace

juce::String MidiChart::modeName (int mode)
{
    return juce::isPositiveAndBelow (mode, (int) std::size (modeNames)) ? modeNames[mode] : "Err";
}

juce::String MidiChart::channelName (int channel)
{
    if (channel < 16)
        return juce::String (channel + 1) + " - " + hexByte (channel);

    const auto named = namedChannels.find (channel);
    return named != namedChannels.end() ? named->second : "Err";
}

juce::String MidiChart::controlName (int id)
{
    const auto& names = chartNames();
    const auto named = names.find (id);
    return named != names.end() ? named->second : juce::String (id);
}

std::unique_ptr<juce::XmlElement> MidiChart::createDocument (const ValueCache& cache)
{
    auto html = std::make_unique<juce::XmlElement> ("html");
    html->createNewChildElement ("head")->createNewChildElement ("title")->addTextElement (chartTitle);

    auto* body = html->createNewChildElement ("body");
    body->createNewChildElement ("h1")->addTextElement (chartTitle);

    auto* controls = addTable (*body, { "Item", "Name", "Mode", "Channel", "Number", "Min/LSB", "Max/MSB", "Option" });
    for (const int id : cache.getControlsWithNumber())
    {
        if (! isListed (id))
            continue;

        const auto s = cache.getItemSetting (id);
        addRow (*controls,
                { hexByte (id), controlName (id), modeName (orDefault (s.mode, 0)), channelName (orDefault (s.channel, 0)),
                  juce::String (s.number), juce::String (orDefault (s.minLsb, 0)), juce::String (orDefault (s.maxMsb, 127)),
                  juce::String (orDefault (s.option, 0)) });
    }

    body->createNewChildElement ("br");

    auto* params = addTable (*body, { "Param", "Name", "Value" });
    addRow (*params, { "2", "Knob relative mode", juce::String (cache.getGlobal (2)) });
    addRow (*params, { "3", "Octave transposition", juce::String (cache.getGlobal (3)) });
    addRow (*params, { "6", "Global MIDI Channel", channelName (cache.getGlobal (6)) });
    return html;
}

juce::String MidiChart::toText (const ValueCache& cache) { return XmlFileWriter::toText (*createDocument (cache)); }

juce::Result MidiChart::save (const ValueCache& cache, const juce::File& file)
{
    return XmlFileWriter::write (*createDocument (cache), file);
}
