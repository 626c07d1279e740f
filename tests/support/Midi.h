#pragma once

#include "JuceIncludes.h"

#include <initializer_list>
#include <vector>

// A message from its raw bytes, F0 and F7 included for SysEx.
inline juce::MidiMessage midiBytes (std::initializer_list<int> bytes)
{
    std::vector<juce::uint8> data;
    for (int b : bytes)
        data.push_back ((juce::uint8) b);
    return juce::MidiMessage (data.data(), (int) data.size());
}

// The raw bytes of a message.
inline std::vector<int> bytesOf (const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    return std::vector<int> (raw, raw + message.getRawDataSize());
}

inline bool sameBytes (const juce::MidiMessage& a, const juce::MidiMessage& b) { return bytesOf (a) == bytesOf (b); }
