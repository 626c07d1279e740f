#include "vorloctl/HexMessage.h"

namespace
{
std::optional<std::vector<juce::uint8>> parseBytes (const juce::String& text, juce::String& error)
{
    juce::StringArray tokens;
    tokens.addTokens (text.replace (",", " "), " \t\n", "");
    tokens.removeEmptyStrings();

    // One run of digits is read two by two; separate tokens are one byte each.
    if (tokens.size() == 1 && tokens[0].length() > 2 && ! tokens[0].startsWithIgnoreCase ("0x"))
    {
        const auto run = tokens[0];
        if (run.length() % 2 != 0)
        {
            error = "an odd number of hex digits";
            return std::nullopt;
        }
        tokens.clear();
        for (int i = 0; i < run.length(); i += 2)
            tokens.add (run.substring (i, i + 2));
    }

    std::vector<juce::uint8> bytes;
    for (auto token : tokens)
    {
        if (token.startsWithIgnoreCase ("0x"))
            token = token.substring (2);

        if (token.isEmpty() || token.length() > 2 || ! token.containsOnly ("0123456789abcdefABCDEF"))
        {
            error = "'" + token + "' is not a hex byte";
            return std::nullopt;
        }
        bytes.push_back ((juce::uint8) token.getHexValue32());
    }

    if (bytes.empty())
    {
        error = "no bytes given";
        return std::nullopt;
    }
    return bytes;
}

juce::String checkSysEx (const std::vector<juce::uint8>& bytes)
{
    if (bytes.size() < 2 || bytes.back() != 0xF7)
        return "a SysEx message must end with F7";

    for (size_t i = 1; i + 1 < bytes.size(); ++i)
        if (bytes[i] >= 0x80)
            return "SysEx data byte " + juce::String::toHexString (bytes[i]).toUpperCase() + " at position " + juce::String ((int) i)
                + " is not below 80";
    return {};
}

juce::String checkShortMessage (const std::vector<juce::uint8>& bytes)
{
    const int expected = juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]);
    if ((int) bytes.size() != expected)
        return "a message starting with " + juce::String::toHexString (bytes[0]).toUpperCase() + " has " + juce::String (expected)
            + " bytes, not " + juce::String ((int) bytes.size());

    for (size_t i = 1; i < bytes.size(); ++i)
        if (bytes[i] >= 0x80)
            return "data byte " + juce::String::toHexString (bytes[i]).toUpperCase() + " is not below 80";
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
        error = "a message starts with a status byte (80 to FF), not " + juce::String::toHexString ((*bytes)[0]).toUpperCase();
        return std::nullopt;
    }

    error = (*bytes)[0] == 0xF0 ? checkSysEx (*bytes) : checkShortMessage (*bytes);
    if (error.isNotEmpty())
        return std::nullopt;

    return juce::MidiMessage (bytes->data(), (int) bytes->size());
}
