#include "protocol/MessageCatalogue.h"

#include "protocol/IOrvaneMidiMessageFactory.h"
#include "protocol/OrvaneMidiMessage49.h"

#include <iostream>

juce::String messageCatalogueText()
{
    const OrvaneMidiMessageFactory<OrvaneMidiMessage49> factory;

    const std::pair<const char*, juce::MidiMessage> pairs[][2] = {
        { { "ControllerNumberRequest", factory.createControllerNumberRequest (1) },
          { "ControllerNumberResponse", factory.createControllerNumberResponse (1, 32) } },
        { { "ItemValueRequest", factory.createItemValueRequest (2) }, { "ItemValueSet", factory.createItemValueSet (2, 32) } },
        { { "MidiChannelRequest", factory.createMidiChannelRequest() }, { "MidiChannelSet", factory.createMidiChannelSet (9) } },
        { { "RelativeModeRequest", factory.createRelativeModeRequest() }, { "RelativeModeSet", factory.createRelativeModeSet (true) } },
        { { "OctaveShiftRequest", factory.createOctaveShiftRequest() }, { "OctaveShiftSet", factory.createOctaveShiftSet (2) } },
        { { "LedStateRequest", factory.createLedStateRequest (101) }, { "LedStateSet", factory.createLedStateSet (101, 1) } },
    };

    juce::String text;
    for (const auto& pair : pairs)
    {
        // The hexadecimal text ends with a line feed of its own, so each message
        // is followed by a blank line and each pair by two.
        for (const auto& [name, message] : pair)
            text << name << ": " << OrvaneMidiMessage49 (message).toHexString() << "\n";
        text << "\n";
    }
    return text;
}

void printMessageCatalogue() { std::cout << messageCatalogueText() << std::flush; }
