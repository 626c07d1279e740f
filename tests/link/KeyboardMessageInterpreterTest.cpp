#include "link/KeyboardMessageInterpreter.h"
#include "support/Midi.h"

#include <gmock/gmock.h>

namespace
{
using Event = KeyboardMessageInterpreter::Event;

// A value message of the keyboard: F0 00 2F 19 7F 42 02 00 parameter, then items and values.
juce::MidiMessage reply (int parameter, std::initializer_list<int> itemsAndValues)
{
    std::vector<juce::uint8> bytes { 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, (juce::uint8) parameter };
    for (int b : itemsAndValues)
        bytes.push_back ((juce::uint8) b);
    bytes.push_back (0xF7);
    return juce::MidiMessage (bytes.data(), (int) bytes.size());
}
} // namespace

class Interpreter : public ::testing::Test
{
protected:
    std::optional<Event> read (const juce::MidiMessage& message) { return interpreter.interpret (message); }

    ValueCache cache;
    KeyboardMessageInterpreter interpreter { cache };
};

TEST_F (Interpreter, ControllerNumberRepliesStoreKnownIdsAndReportByPairCount)
{
    // Two pairs: the pitch strip is not among the ids a reply may store.
    EXPECT_EQ (read (reply (0x03, { 0x30, 10, 0x41, 5 })), (Event { eventControllerNumbers, 0, 0 }));
    EXPECT_EQ (cache.getItemParam (3, 0x30), 10);
    EXPECT_EQ (cache.getItemParam (3, 0x41), 1);

    // One pair is reported as such, even for an id that is dropped.
    EXPECT_EQ (read (reply (0x03, { 0x20, 99 })), (Event { eventControllerNumbers, 0x20, 99 }));
    EXPECT_EQ (cache.getItemParam (3, 0x20), 20);

    // No pair: nothing to report.
    EXPECT_EQ (read (reply (0x03, {})), std::nullopt);

    // The numbers are looked up anew: knob 1 now answers to 10.
    EXPECT_EQ (read (juce::MidiMessage::controllerEvent (1, 10, 64)), (Event { eventControlMoved, 0x30, 64 }));
}

TEST_F (Interpreter, ParameterRepliesStoreEachPairAndNameTheirParameter)
{
    EXPECT_EQ (read (reply (0x01, { 0x70, 11, 0x01, 4, 0x41, 0 })), (Event { eventParameterValues, 1, 0 }));
    EXPECT_EQ (cache.getItemParam (1, 0x70), 11);
    EXPECT_EQ (cache.getItemParam (1, 0x01), 4);
    EXPECT_EQ (cache.getItemParam (1, 0x41), 12);

    EXPECT_EQ (read (reply (0x06, { 0x33, 3 })), (Event { eventParameterValues, 6, 0 }));
    EXPECT_EQ (cache.getItemParam (6, 0x33), 3);
}

TEST_F (Interpreter, GlobalRepliesAndTheirOwnKinds)
{
    struct Case
    {
        std::initializer_list<int> itemAndValue;
        Event event;
    };
    const Case cases[] = {
        { { 0x06, 5 }, { eventMidiChannel, 5, 0 } },      { { 0x02, 127 }, { eventRelativeMode, 127, 0 } },
        { { 0x02, 5 }, { eventRelativeMode, 1, 0 } }, // anything but 127 is off
        { { 0x03, 0x7E }, { eventOctaveShift, -2, 0 } },  { { 0x03, 0x3F }, { eventOctaveShift, 63, 0 } },
        { { 0x03, 0x40 }, { eventOctaveShift, -64, 0 } }, { { 0x07, 9 }, { eventGlobalValue, 7, 9 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ (read (reply (0x40, c.itemAndValue)), c.event) << c.event.event;

    EXPECT_EQ (cache.getGlobal (6), 5);
    EXPECT_EQ (cache.getGlobal (2), 1);
    EXPECT_EQ (cache.getGlobal (3), -64) << "the last octave shift reported is kept, signed, for the chart";
    EXPECT_EQ (cache.getGlobal (7), 9);

    EXPECT_EQ (read (reply (0x41, { 0x04, 2 })), (Event { eventCurveValue, 4, 2 }));
    EXPECT_EQ (cache.getCurve (4), 2);
}

TEST_F (Interpreter, RepliesCutShortBeforeTheirValueStoreAndReportNothing)
{
    cache.setGlobal (6, 4, ValueSource::keyboard);
    cache.setCurve (1, 2, ValueSource::keyboard);

    // Parameter, item, and no value byte: F0 00 2F 19 7F 42 02 00 40 06 F7.
    for (const auto& [parameter, item] :
         { std::pair { 0x40, 0x06 }, { 0x40, 0x02 }, { 0x40, 0x03 }, { 0x40, 0x07 }, { 0x41, 0x01 }, { 0x00, 0x63 } })
        EXPECT_FALSE (read (reply (parameter, { item })).has_value()) << parameter << "/" << item;

    EXPECT_EQ (cache.getGlobal (6), 4) << "not channel 1";
    EXPECT_EQ (cache.getGlobal (2), 0);
    EXPECT_EQ (cache.getGlobalSource (2), ValueSource::assumed);
    EXPECT_EQ (cache.getGlobal (3), 0);
    EXPECT_EQ (cache.getCurve (1), 2);
}

TEST_F (Interpreter, IndexesPastTheGlobalsOrCurvesAreIgnored)
{
    EXPECT_EQ (read (reply (0x40, { 12, 5 })), std::nullopt);
    EXPECT_EQ (read (reply (0x40, { 0x7F, 5 })), std::nullopt);
    EXPECT_EQ (read (reply (0x41, { 11, 5 })), std::nullopt);
    EXPECT_EQ (read (reply (0x41, { 10, 5 })), (Event { eventCurveValue, 10, 5 }));
}

TEST_F (Interpreter, ItemValuesAreReportedNotStoredAndOtherSysExIsIgnored)
{
    EXPECT_EQ (read (reply (0x00, { 0x63, 1 })), (Event { eventItemValue, 0x63, 1 }));
    EXPECT_EQ (read (midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x40, 0x34, 0x70, 0x40, 0xF7 })), std::nullopt); // a pad gain
    EXPECT_EQ (read (midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x01, 0x00, 0x03, 0x00, 0xF7 })), std::nullopt);       // a request
    EXPECT_EQ (read (midiBytes ({ 0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7 })), std::nullopt); // another maker
}

TEST_F (Interpreter, ControlMovesAreReportedForTheControlThatSendsThem)
{
    // By default both strips have number 1, and the higher id, the pitch strip, takes it.
    EXPECT_EQ (read (juce::MidiMessage::controllerEvent (1, 1, 90)), (Event { eventControlMoved, 0x41, 90 }));
    cache.setItemParam (3, 0x41, 0);
    cache.rebuildControlByNumber();

    struct Case
    {
        int number, value;
        Event event;
    };
    const Case cases[] = {
        { 7, 100, { eventControlMoved, 0x30, 100 } },
        { 1, 90, { eventModulationMoved, 0x40, 90 } },
        { 64, 127, { eventSwitch50Moved, 0x50, 127 } },
        { 36, 1, { eventControlMoved, 0x70, 1 } },
        // Knob 9 sends relative moves: sign bit 0x40, six bits of size.
        { 114, 0x45, { eventControlMoved, 0x33, -5 } },
        { 114, 0x05, { eventControlMoved, 0x33, 5 } },
        { 114, 0x40, { eventControlMoved, 0x33, 0 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ (read (juce::MidiMessage::controllerEvent (3, c.number, c.value)), c.event) << "controller " << c.number;

    EXPECT_EQ (read (juce::MidiMessage::controllerEvent (1, 99, 1)), std::nullopt) << "no control has number 99";
    EXPECT_EQ (read (juce::MidiMessage::pitchWheel (1, 9000)), (Event { eventPitchMoved, 0x41, 9000 }));
}

TEST_F (Interpreter, SwitchesOfTheirOwnAndSharedNumbers)
{
    cache.setItemParam (3, 0x51, 80);
    cache.setItemParam (3, 0x52, 81);
    cache.setItemParam (3, 0x53, 82);
    cache.setItemParam (3, 0x31, 7); // shares knob 1's number
    cache.rebuildControlByNumber();

    EXPECT_EQ (read (juce::MidiMessage::controllerEvent (1, 80, 1)), (Event { eventSwitch51Moved, 0x51, 1 }));
    EXPECT_EQ (read (juce::MidiMessage::controllerEvent (1, 81, 1)), (Event { eventSwitch52Moved, 0x52, 1 }));
    EXPECT_EQ (read (juce::MidiMessage::controllerEvent (1, 82, 1)), (Event { eventSwitch53Moved, 0x53, 1 }));
    // The higher id wins, and 0x31 decodes relative moves too.
    EXPECT_EQ (read (juce::MidiMessage::controllerEvent (1, 7, 0x41)), (Event { eventControlMoved, 0x31, -1 }));
}

TEST_F (Interpreter, PressureIsReportedAfterAWatchedNote)
{
    EXPECT_EQ (read (juce::MidiMessage::channelPressureChange (1, 50)), std::nullopt) << "no watched note yet";

    read (juce::MidiMessage::noteOn (10, 68, (juce::uint8) 100));
    EXPECT_EQ (read (juce::MidiMessage::channelPressureChange (1, 50)), (Event { eventPadPressure, 0x81, 50 }));

    read (juce::MidiMessage::noteOn (10, 60, (juce::uint8) 100)); // not watched: the last watched note stays
    read (juce::MidiMessage::noteOn (10, 48, (juce::uint8) 0));   // velocity 0 is a release
    EXPECT_EQ (read (juce::MidiMessage::channelPressureChange (1, 51)), (Event { eventPadPressure, 0x81, 51 }));

    read (juce::MidiMessage::noteOn (10, 72, (juce::uint8) 1));
    EXPECT_EQ (read (juce::MidiMessage::channelPressureChange (1, 52)), (Event { eventPadPressure, 0x82, 52 }));
}
