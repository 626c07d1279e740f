#include "vorloctl/HexMessage.h"

#include "vorloctl/ParsedCommand.h"

#include <vector>

namespace
{
using Bytes = std::vector<juce::uint8>;

juce::String hex (juce::uint8 byte) { return juce::String::toHexString (byte).paddedLeft ('0', 2).toUpperCase(); }

int hexDigit (juce::juce_wchar c)
{
    if (c >= '0' && c <= '9')
        return (int) (c - '0');
    if (c >= 'a' && c <= 'f')
        return (int) (c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return (int) (c - 'A' + 10);
    return -1;
}

// The words between spaces and commas, each without its 0x prefix.
std::vector<juce::String> wordsOf (const juce::String& text)
{
    std::vector<juce::String> words;
    const auto isSeparator = [] (juce::juce_wchar c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r'; };

    auto p = text.getCharPointer();
    while (! p.isEmpty())
    {
        while (! p.isEmpty() && isSeparator (*p))
            ++p;
        const auto start = p;
        while (! p.isEmpty() && ! isSeparator (*p))
            ++p;

        const juce::String word (start, p);
        if (word.isNotEmpty())
            words.push_back (word.startsWithIgnoreCase ("0x") ? word.substring (2) : word);
    }
    return words;
}

bool allHex (const juce::String& word)
{
    for (auto p = word.getCharPointer(); ! p.isEmpty(); ++p)
        if (hexDigit (*p) < 0)
            return false;
    return true;
}

// Appends the word's digits two by two.
void appendRun (const juce::String& word, Bytes& bytes)
{
    int high = -1;
    for (auto p = word.getCharPointer(); ! p.isEmpty(); ++p)
    {
        const int digit = hexDigit (*p);
        if (high < 0)
            high = digit;
        else
        {
            bytes.push_back ((juce::uint8) (high * 16 + digit));
            high = -1;
        }
    }
}

std::optional<Bytes> parseBytes (const juce::String& text, juce::String& error)
{
    if (text.length() > maxTextLength)
    {
        error = "the input is " + juce::String (text.length()) + " characters long; no message of the keyboard is longer than "
            + juce::String (maxMessageBytes) + " bytes";
        return std::nullopt;
    }

    const auto words = wordsOf (text);
    Bytes bytes;

    // One run of digits is read two by two; separate words are one byte each.
    if (words.size() == 1 && words[0].length() > 2)
    {
        const auto& run = words[0];
        if (! allHex (run))
        {
            error = "'" + excerptOf (run) + "' is not a run of hex digits";
            return std::nullopt;
        }
        if (run.length() % 2 != 0)
        {
            error = "an odd number of hex digits";
            return std::nullopt;
        }
        appendRun (run, bytes);
    }
    else
    {
        for (const auto& word : words)
        {
            if (word.isEmpty() || word.length() > 2 || ! allHex (word))
            {
                error = "'" + excerptOf (word) + "' is not a hex byte";
                return std::nullopt;
            }
            bytes.push_back ((juce::uint8) word.getHexValue32());
        }
    }

    if (bytes.empty())
    {
        error = "no bytes given";
        return std::nullopt;
    }
    if ((int) bytes.size() > maxMessageBytes)
    {
        error = juce::String ((int) bytes.size()) + " bytes are too many; no message of the keyboard is longer than "
            + juce::String (maxMessageBytes);
        return std::nullopt;
    }
    return bytes;
}

juce::String checkSysEx (const Bytes& bytes)
{
    if (bytes.size() < 2 || bytes.back() != 0xF7)
        return "a SysEx message must end with F7";
    if (bytes.size() == 2)
        return "F0 F7 is an empty SysEx message, not a message";

    for (size_t i = 1; i + 1 < bytes.size(); ++i)
        if (bytes[i] >= 0x80)
            return "SysEx data byte " + hex (bytes[i]) + " at position " + juce::String ((int) i) + " is not below 80";
    return {};
}

juce::String checkShortMessage (const Bytes& bytes)
{
    const int expected = juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]);
    if (expected == 1 || bytes.size() == 1)
        return "a lone status byte (" + hex (bytes[0]) + ") is not a message";

    if ((int) bytes.size() != expected)
        return "a message starting with " + hex (bytes[0]) + " has " + juce::String (expected) + " bytes, not "
            + juce::String ((int) bytes.size());

    for (size_t i = 1; i < bytes.size(); ++i)
        if (bytes[i] >= 0x80)
            return "data byte " + hex (bytes[i]) + " is not below 80";
    return {};
}
} // namespace

std::optional<juce::MidiMessage> parseHexMessage (const juce::String& text, juce::String& error)
{
    const auto bytes = parseBytes (text, error);
    if (! bytes)
        return std::nullopt;

    if ((*bytes)[0] < 0x80)
    {
        error = "a message starts with a status byte (80 to FF), not " + hex ((*bytes)[0]);
        return std::nullopt;
    }

    error = (*bytes)[0] == 0xF0 ? checkSysEx (*bytes) : checkShortMessage (*bytes);
    if (error.isNotEmpty())
        return std::nullopt;

    return juce::MidiMessage (bytes->data(), (int) bytes->size());
}
