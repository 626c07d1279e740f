#include "protocol/OrvaneMidiMessage32.h"
#include "protocol/OrvaneMidiMessage49.h"
#include "support/Midi.h"

#include <gtest/gtest.h>

TEST (Describe, NamesEachKindOfMessage)
{
    struct Case
    {
        juce::MidiMessage message;
        const char* text;
    };
    const Case cases[] = {
        { juce::MidiMessage::noteOn (10, 36, (juce::uint8) 100), "Note On  36 velocity 100 channel 10\n" },
        { juce::MidiMessage::noteOn (1, 60, (juce::uint8) 0), "Note Off 60 velocity 0 channel 1\n" },
        { juce::MidiMessage::noteOff (2, 61, (juce::uint8) 64), "Note Off 61 velocity 64 channel 2\n" },
        { juce::MidiMessage::controllerEvent (16, 7, 99), "CC 7 value 99 channel 16\n" },
        { juce::MidiMessage::channelPressureChange (3, 55), "Aftertouch 55 channel 3\n" },
        { juce::MidiMessage::pitchWheel (1, 16383), "Pitch Wheel value 16383\n" },
        { juce::MidiMessage::programChange (1, 5), "- \n" },
        { midiBytes ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x00, 0x2F, 0x19, 0x02, 0x00, 0x04, 0x00, 1, 0, 3, 0, 0xF7 }),
          "OM32 SYSEX : Identification sysex\n" },
        { midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x03, 0x30, 0x07, 0xF7 }), "OM32 SYSEX : Item Config Response\n" },
        { midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x00, 0x63, 0x01, 0xF7 }),
          "OM32 SYSEX : Item value response (99 , 1)\n" },
        { midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x40, 0x06, 0x05, 0xF7 }),
          "OM32 SYSEX : Midi channel response 5\n" },
        { midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x40, 0x03, 0x7E, 0xF7 }),
          "OM32 SYSEX : Octave shift response 126\n" },
        { midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x02, 0x00, 0x40, 0x02, 0x7F, 0xF7 }), "OM32 SYSEX \n" },
        { midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x7F, 0x42, 0x01, 0x00, 0x03, 0x00, 0xF7 }), "OM32 SYSEX \n" },
        { midiBytes ({ 0xF0, 0x43, 0x10, 0x4C, 0x00, 0xF7 }), "SYSEX \n" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (OrvaneMidiMessage49 (c.message).describe(), c.text) << OrvaneMidiMessage49 (c.message).toHexString();
}

TEST (Describe, UsesTheDialectsOwnPredicates)
{
    // An OM32 LED-state reply is an LED state in its own dialect only.
    const auto led = midiBytes ({ 0xF0, 0x00, 0x2F, 0x19, 0x02, 0x08, 0x02, 0x65, 0x01, 0xF7 });
    EXPECT_EQ (OrvaneMidiMessage32 (led).describe(), "OM32 SYSEX : Led State response (101 , 1)\n");
    EXPECT_EQ (OrvaneMidiMessage49 (led).describe(), "OM32 SYSEX \n");
}
