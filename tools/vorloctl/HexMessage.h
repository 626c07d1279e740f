#pragma once

#include "JuceIncludes.h"

#include <optional>

// Reads a MIDI message written as hex bytes: "F0 00 2F 19 ... F7", with or
// without spaces, commas or 0x prefixes. On failure, error says what is wrong.
std::optional<juce::MidiMessage> parseHexMessage (const juce::String& text, juce::String& error);
