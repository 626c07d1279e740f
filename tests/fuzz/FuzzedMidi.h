#pragma once

#include "JuceIncludes.h"

#include <cstdint>
#include <vector>

// Helpers the harnesses share: fuzzer bytes read as a MIDI stream, and the
// check that a message may go to the keyboard.
namespace FuzzedMidi
{
// Cuts a byte stream into messages as a MIDI parser would, running status
// included, but keeps what a parser would repair: a SysEx message that ends
// at the next status byte or at the end without its F7, and a channel or
// system message whose data bytes run out. Stray data bytes without a
// status before them are dropped.
inline std::vector<juce::MidiMessage> cutIntoMessages (const std::uint8_t* data, std::size_t size)
{
    std::vector<juce::MidiMessage> messages;
    std::uint8_t runningStatus = 0;
    std::size_t i = 0;

    while (i < size)
    {
        const auto first = data[i];
        if (first == 0xF0)
        {
            auto end = i + 1;
            while (end < size && data[end] < 0x80)
                ++end;
            if (end < size && data[end] == 0xF7)
                ++end;
            messages.emplace_back (data + i, (int) (end - i));
            runningStatus = 0;
            i = end;
            continue;
        }

        std::vector<std::uint8_t> bytes;
        if (first >= 0x80)
        {
            bytes.push_back (first);
            ++i;
            if (first < 0xF0)
                runningStatus = first;
            else if (first < 0xF8)
                runningStatus = 0;
        }
        else if (runningStatus != 0)
            bytes.push_back (runningStatus);
        else
        {
            ++i;
            continue;
        }

        const int length = juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]);
        while ((int) bytes.size() < length && i < size && data[i] < 0x80)
            bytes.push_back (data[i++]);

        messages.emplace_back (bytes.data(), (int) bytes.size());
    }
    return messages;
}

// What the keyboard can parse: a SysEx message from F0 to F7 with only
// seven-bit bytes between, or a status byte with exactly its data bytes.
inline bool isWellFormed (const juce::MidiMessage& message)
{
    const auto* d = message.getRawData();
    const int size = message.getRawDataSize();
    if (size <= 0 || d[0] < 0x80 || d[0] == 0xF7)
        return false;

    if (d[0] == 0xF0)
    {
        if (size < 3 || d[size - 1] != 0xF7)
            return false;
        for (int i = 1; i < size - 1; ++i)
            if (d[i] >= 0x80)
                return false;
        return true;
    }

    if (size != juce::MidiMessage::getMessageLengthFromFirstByte (d[0]))
        return false;
    for (int i = 1; i < size; ++i)
        if (d[i] >= 0x80)
            return false;
    return true;
}

// Reads the fuzzer's bytes front to back, and zeros once they run out.
class ByteReader
{
public:
    ByteReader (const std::uint8_t* dataToRead, std::size_t sizeToRead) : data (dataToRead), size (sizeToRead) {}

    std::uint8_t next() { return position < size ? data[position++] : 0; }
    bool isExhausted() const { return position >= size; }
    const std::uint8_t* rest() const { return data + position; }
    std::size_t restSize() const { return size - position; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};
} // namespace FuzzedMidi
