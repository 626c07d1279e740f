#include "protocol/MessageCatalogue.h"
#include "protocol/OrvaneMidiMessage32.h"
#include "protocol/OrvaneMidiMessage49.h"

#include <gtest/gtest.h>

TEST (MessageCatalogue, PrintsExactlyTheCatalogue)
{
    const juce::File fixture (juce::String (VORLO_TEST_DATA_DIR) + "/catalogue.txt");
    ASSERT_TRUE (fixture.existsAsFile());
    EXPECT_EQ (messageCatalogueText(), fixture.loadFileAsString());
}

TEST (MessageCatalogue, FindsTheKindAndFieldsOfAMessageInEitherDialect)
{
    const OrvaneMidiMessageFactory<OrvaneMidiMessage49> vorlo;
    const OrvaneMidiMessageFactory<OrvaneMidiMessage32> om32;

    const std::tuple<const IOrvaneMidiMessageFactory*, juce::MidiMessage, juce::StringArray> cases[] = {
        { &vorlo, vorlo.createMidiChannelSet (5), { "MidiChannelSet: channel 5" } },
        { &vorlo, vorlo.createMidiChannelRequest(), { "MidiChannelRequest" } },
        { &vorlo, vorlo.createOctaveShiftSet (-2), { "OctaveShiftSet: shift -2" } },
        { &vorlo, vorlo.createRelativeModeSet (false), { "RelativeModeSet: mode off" } },
        { &vorlo, vorlo.createRelativeModeSet (true), { "RelativeModeSet: mode on" } },
        // The dialect builds these pairs alike: both names are true.
        { &vorlo,
          vorlo.createControllerNumberResponse (0x30, 7),
          { "ControllerNumberResponse: item 48, number 7", "ControllerNumberSet: item 48, number 7" } },
        { &vorlo, vorlo.createLedStateSet (101, 1), { "ItemValueSet: item 101, value 1", "LedStateSet: led 101, state 1" } },
        { &om32, om32.createMidiChannelSet (5), { "MidiChannelSet: channel 5" } },
        { &om32, om32.createControllerNumberSet (1, 32), { "ControllerNumberSet: item 1, number 32" } },
        { &om32, om32.createLedStateSet (101, 1), { "LedStateSet: led 101, state 1" } },
        { &om32, om32.createOctaveShiftSet (-1), { "OctaveShiftSet: shift -1" } },
        // A message of the other dialect, or of none, is no kind here.
        { &om32, vorlo.createMidiChannelSet (5), {} },
        { &vorlo, OrvaneMidiMessage49::createValue (0x34, 0x70, 64, 0x40), {} },
        { &vorlo, juce::MidiMessage::controllerEvent (1, 7, 100), {} },
    };

    for (const auto& [factory, message, expected] : cases)
        EXPECT_EQ (findInCatalogue (message, *factory), expected) << OrvaneMidiMessage49 (message).toHexString();
}
