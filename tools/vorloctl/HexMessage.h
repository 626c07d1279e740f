#pragma once

#include "JuceIncludes.h"

#include <optional>

// Reads a MIDI message written as hex bytes: "F0 00 2F 19 ... F7", one byte
// per word, or a single run of digits "F0002F19...F7", with or without commas
// or 0x prefixes. On failure, error says what is wrong. Linear in the text,
// and refuses a text longer than maxTextLength.
std::optional<juce::MidiMessage> parseHexMessage (const juce::String& text, juce::String& error);

// Far more than any message of the keyboard's dialects, which are a few dozen
// bytes at most.
constexpr int maxMessageBytes = 256;
constexpr int maxTextLength = 4 * maxMessageBytes;
