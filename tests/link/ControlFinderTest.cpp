#include "link/ControlFinder.h"

#include <gtest/gtest.h>

// Which control a move comes from, by the keyboard's own assignments.
TEST (ControlFinder, FindsTheControlByWhatItsModeSendsPreferringItsChannelThenTheHighestId)
{
    ValueCache cache;
    cache.applyDefaultValues(); // knobs on controllers, pads on notes, the pitch strip on pitch bend
    cache.setGlobal (6, 2);     // the global channel is 3

    const int knob1Number = cache.getItemParam (3, 0x30);
    const int pad1Note = cache.getItemParam (3, 0x70);
    const int pedalNumber = cache.getItemParam (3, 0x50);

    // Knob 2 given knob 1's number on channel 5: a move on channel 5 is knob
    // 2's; one on the global channel is knob 1's.
    cache.setItemParam (3, 0x01, knob1Number);
    cache.setItemParam (2, 0x01, 4);
    // Knob 3 in note mode: its number is a note now, not a controller.
    cache.setItemParam (1, 0x02, 9);
    const int knob3Number = cache.getItemParam (3, 0x02);

    struct Case
    {
        const char* what;
        juce::MidiMessage message;
        std::optional<int> control;
    };
    const Case cases[] = {
        { "knob 1 on the global channel", juce::MidiMessage::controllerEvent (3, knob1Number, 5), 0x30 },
        { "its number on knob 2's channel", juce::MidiMessage::controllerEvent (5, knob1Number, 5), 0x01 },
        { "its number on a channel no one uses: the highest id", juce::MidiMessage::controllerEvent (9, knob1Number, 5), 0x30 },
        { "the pedal's controller", juce::MidiMessage::controllerEvent (3, pedalNumber, 127), 0x50 },
        { "pad 1's note", juce::MidiMessage::noteOn (10, pad1Note, (juce::uint8) 100), 0x70 },
        { "a note nothing sends", juce::MidiMessage::noteOn (10, 3, (juce::uint8) 100), std::nullopt },
        { "a note-off is no touch", juce::MidiMessage::noteOff (10, pad1Note), std::nullopt },
        { "knob 3's number as a note", juce::MidiMessage::noteOn (3, knob3Number, (juce::uint8) 1), 0x02 },
        { "knob 3's number as a controller", juce::MidiMessage::controllerEvent (3, knob3Number, 1), std::nullopt },
        { "pitch bend", juce::MidiMessage::pitchWheel (3, 9000), 0x41 },
        { "a program change", juce::MidiMessage::programChange (3, 4), std::nullopt },
        { "SysEx", juce::MidiMessage::createSysExMessage ("\x01\x02", 2), std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ (ControlFinder::controlFor (c.message, cache), c.control) << c.what;
}
