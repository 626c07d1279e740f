#include "protocol/MessageCatalogue.h"

#include "protocol/OrvaneMidiMessage49.h"

#include <iostream>
#include <set>

namespace
{
// How a field is shown: as its number, as a signed 7-bit number, or as on/off.
enum class Field
{
    number,
    signedSevenBit,
    onOff
};

struct FieldSpec
{
    const char* name;
    Field kind;
};

// One named kind: its fields, its builder, and the arguments of its example
// in the printed catalogue.
struct Kind
{
    const char* name;
    std::vector<FieldSpec> fields;
    std::function<juce::MidiMessage (const IOrvaneMidiMessageFactory&, int, int)> build;
    int exampleA = 0, exampleB = 0;
    bool printed = true;
};

using F = IOrvaneMidiMessageFactory;

const std::vector<Kind>& kinds()
{
    static const std::vector<Kind> table {
        { "ControllerNumberRequest",
          { { "item", Field::number } },
          [] (const F& f, int a, int) { return f.createControllerNumberRequest (a); },
          1 },
        { "ControllerNumberResponse",
          { { "item", Field::number }, { "number", Field::number } },
          [] (const F& f, int a, int b) { return f.createControllerNumberResponse (a, b); },
          1,
          32 },
        { "ControllerNumberSet",
          { { "item", Field::number }, { "number", Field::number } },
          [] (const F& f, int a, int b) { return f.createControllerNumberSet (a, b); },
          1,
          32,
          false },
        { "ItemValueRequest", { { "item", Field::number } }, [] (const F& f, int a, int) { return f.createItemValueRequest (a); }, 2 },
        { "ItemValueSet",
          { { "item", Field::number }, { "value", Field::number } },
          [] (const F& f, int a, int b) { return f.createItemValueSet (a, b); },
          2,
          32 },
        { "MidiChannelRequest", {}, [] (const F& f, int, int) { return f.createMidiChannelRequest(); } },
        { "MidiChannelSet", { { "channel", Field::number } }, [] (const F& f, int a, int) { return f.createMidiChannelSet (a); }, 9 },
        { "RelativeModeRequest", {}, [] (const F& f, int, int) { return f.createRelativeModeRequest(); } },
        { "RelativeModeSet", { { "mode", Field::onOff } }, [] (const F& f, int a, int) { return f.createRelativeModeSet (a != 0); }, 1 },
        { "OctaveShiftRequest", {}, [] (const F& f, int, int) { return f.createOctaveShiftRequest(); } },
        { "OctaveShiftSet", { { "shift", Field::signedSevenBit } }, [] (const F& f, int a, int) { return f.createOctaveShiftSet (a); }, 2 },
        { "LedStateRequest", { { "led", Field::number } }, [] (const F& f, int a, int) { return f.createLedStateRequest (a); }, 101 },
        { "LedStateSet",
          { { "led", Field::number }, { "state", Field::number } },
          [] (const F& f, int a, int b) { return f.createLedStateSet (a, b); },
          101,
          1 },
    };
    return table;
}

bool sameBytes (const juce::MidiMessage& a, const juce::MidiMessage& b)
{
    return a.getRawDataSize() == b.getRawDataSize() && std::memcmp (a.getRawData(), b.getRawData(), (size_t) a.getRawDataSize()) == 0;
}

juce::String showField (const FieldSpec& field, int value)
{
    switch (field.kind)
    {
        case Field::signedSevenBit: return juce::String (value >= 64 ? value - 128 : value);
        case Field::onOff: return value != 0 ? "on" : "off";
        case Field::number: break;
    }
    return juce::String (value);
}

juce::String describeKind (const Kind& kind, int a, int b)
{
    juce::StringArray fields;
    const int values[] = { a, b };
    for (size_t i = 0; i < kind.fields.size(); ++i)
        fields.add (juce::String (kind.fields[i].name) + " " + showField (kind.fields[i], values[i]));
    return juce::String (kind.name) + (fields.isEmpty() ? "" : ": " + fields.joinIntoString (", "));
}

// No kind of either dialect is longer than this; longer messages are no kind.
constexpr int longestKind = 16;
} // namespace

juce::String messageCatalogueText()
{
    const OrvaneMidiMessageFactory<OrvaneMidiMessage49> factory;

    // The hexadecimal text ends with a line feed of its own, so each message
    // is followed by a blank line and each request/set pair by two.
    juce::String text;
    bool pairOpen = false;
    for (const auto& kind : kinds())
    {
        if (! kind.printed)
            continue;
        text << kind.name << ": " << OrvaneMidiMessage49 (kind.build (factory, kind.exampleA, kind.exampleB)).toHexString() << "\n";
        if (pairOpen)
            text << "\n";
        pairOpen = ! pairOpen;
    }
    return text;
}

void printMessageCatalogue() { std::cout << messageCatalogueText() << std::flush; }

juce::StringArray findInCatalogue (const juce::MidiMessage& message, const IOrvaneMidiMessageFactory& factory)
{
    juce::StringArray found;
    if (! message.isSysEx() || message.getRawDataSize() > longestKind)
        return found;

    // A field of a kind is one of the message's own bytes (0 and 1 stand for
    // off and on); each kind is rebuilt from those and compared.
    std::set<int> candidates { 0, 1 };
    for (int i = 0; i < message.getRawDataSize(); ++i)
        candidates.insert (message.getRawData()[i]);

    for (const auto& kind : kinds())
    {
        const auto numFields = kind.fields.size();
        if (kind.build (factory, 0, 0).getRawDataSize() != message.getRawDataSize())
            continue;

        const std::set<int> none { 0 };
        const auto& firsts = numFields >= 1 ? candidates : none;
        const auto& seconds = numFields >= 2 ? candidates : none;

        bool matched = false;
        for (const int a : firsts)
        {
            for (const int b : seconds)
            {
                if (sameBytes (kind.build (factory, a, b), message))
                {
                    found.add (describeKind (kind, a, b));
                    matched = true;
                    break;
                }
            }
            if (matched)
                break;
        }
    }
    return found;
}
