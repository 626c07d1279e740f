#pragma once

#include "JuceIncludes.h"
#include "protocol/IOrvaneMidiMessageFactory.h"

// The named message kinds of the keyboard's dialect with an example of each,
// request and set in pairs separated by blank lines. A diagnostic.
juce::String messageCatalogueText();

// Writes messageCatalogueText() to standard output.
void printMessageCatalogue();

// The catalogue's names for the message in the factory's dialect, each with
// the fields it is built from: "MidiChannelSet: channel 5". Several when the
// dialect builds several kinds alike (an item value and an LED state); none
// when the message is no kind of the catalogue.
juce::StringArray findInCatalogue (const juce::MidiMessage& message, const IOrvaneMidiMessageFactory& factory);
