#include "vorloctl/HexMessage.h"
#include "support/Midi.h"
#include "vorloctl/ParsedCommand.h"

#include <gtest/gtest.h>

TEST (HexMessage, ReadsBytesInTheUsualSpellings)
{
    const std::vector<int> identityRequest { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 };
    for (const char* text : { "F0 7E 7F 06 01 F7", "f0,7e,7f,06,01,f7", "F07E7F0601F7", "0xF0 0x7E 0x7F 0x06 0x01 0xF7",
                              "  F0 7E 7F 6 1 F7 ", "0xF07E7F0601F7", "0XF0,0x7e 7F 06 01 f7" })
    {
        juce::String error;
        const auto message = parseHexMessage (text, error);
        ASSERT_TRUE (message.has_value()) << text << ": " << error;
        EXPECT_EQ (bytesOf (*message), identityRequest) << text;
    }
}

TEST (HexMessage, RefusesWhatIsNoMidiMessageAndSaysWhy)
{
    const std::pair<const char*, const char*> cases[] = {
        { "", "no bytes given" },
        { "F0 7E G1 F7", "'G1' is not a hex byte" },
        { "F07E7", "an odd number of hex digits" },
        { "123 45", "'123' is not a hex byte" },
        { "40 00", "a message starts with a status byte (80 to FF), not 40" },
        { "F0 00 2F", "a SysEx message must end with F7" },
        { "F0 00 80 F7", "SysEx data byte 80 at position 2 is not below 80" },
        { "90 3C", "a message starting with 90 has 3 bytes, not 2" },
        { "B0 07 FF", "data byte FF is not below 80" },
        { "hello", "'hello' is not a run of hex digits" },
        { "0xZZ", "'ZZ' is not a hex byte" },
        { "F7", "a lone status byte (F7) is not a message" },
        { "FF", "a lone status byte (FF) is not a message" },
        { "F8", "a lone status byte (F8) is not a message" },
        { "F0 F7", "F0 F7 is an empty SysEx message, not a message" },
        { "F0F7", "F0 F7 is an empty SysEx message, not a message" },
    };

    for (const auto& [text, why] : cases)
    {
        juce::String error;
        EXPECT_FALSE (parseHexMessage (text, error).has_value()) << text;
        EXPECT_EQ (error, why) << text;
    }
}

TEST (HexMessage, RefusesHugeInputAtOnceAndEchoesOnlyAnExcerptOfABadWord)
{
    juce::String error;
    const auto hugeRun = "F0" + juce::String::repeatedString ("00", 64 * 1024) + "F7";
    EXPECT_FALSE (parseHexMessage (hugeRun, error).has_value());
    EXPECT_EQ (error, "the input is 131076 characters long; no message of the keyboard is longer than 256 bytes");

    const auto tooManyBytes = "F0 " + juce::String::repeatedString ("00 ", 300) + "F7";
    EXPECT_FALSE (parseHexMessage (tooManyBytes.removeCharacters (" "), error).has_value());
    EXPECT_EQ (error, "302 bytes are too many; no message of the keyboard is longer than 256");

    const auto longBadWord = juce::String::repeatedString ("xy", 200);
    EXPECT_FALSE (parseHexMessage ("F0 " + longBadWord + " F7", error).has_value());
    EXPECT_EQ (error, "'" + longBadWord.substring (0, 24) + juce::String::fromUTF8 ("\xe2\x80\xa6") + "' is not a hex byte");
}

TEST (CommandLineWords, AnArgumentThatIsNotUtf8IsRefusedBeforeAnyCommandReadsIt)
{
    // Read any other way, a Latin-1 file name would name another file, and an
    // overlong '/' would pass for a '/' it only resembles.
    const std::pair<const char*, const char*> cases[] = {
        { "\xF0", "argument 2, '\\xF0', is not UTF-8 text" },
        { "F0 \xE4 F7", "argument 2, 'F0 \\xE4 F7', is not UTF-8 text" },
        { "..\xC0\xAFsecret", "argument 2, '..\\xC0\\xAFsecret', is not UTF-8 text" },
        { "\xED\xA0\x80", "argument 2, '\\xED\\xA0\\x80', is not UTF-8 text" },
    };

    for (const auto& [argument, why] : cases)
    {
        const char* argv[] = { "vorloctl", "describe", argument };
        juce::String error;
        EXPECT_FALSE (commandLineWords (3, argv, error).has_value()) << argument;
        EXPECT_EQ (error, why) << argument;
    }

    const char* argv[] = { "vorloctl", "describe", "F0 \xC3\xA4 F7" };
    juce::String error;
    const auto words = commandLineWords (3, argv, error);
    ASSERT_TRUE (words.has_value()) << error;
    EXPECT_EQ (*words, juce::StringArray ("describe", juce::String::fromUTF8 ("F0 \xC3\xA4 F7"))) << "valid UTF-8 stays as it is";
}
