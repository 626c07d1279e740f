#include "documents/StrictUtf8.h"

#include <gtest/gtest.h>

TEST (StrictUtf8, TakesWellFormedTextAndFindsTheFirstIllFormedSequence)
{
    struct Case
    {
        const char* kind;
        std::string bytes;
        std::size_t illFormedAt; // npos: well formed
    };
    constexpr auto whole = std::string::npos;

    const Case cases[] = {
        { "ASCII", "F0 7E 7F", whole },
        { "two, three and four bytes", "\xC3\xA4 \xE2\x80\xA6 \xF0\x9F\x8E\xB9", whole },
        { "the highest code point, U+10FFFF", "\xF4\x8F\xBF\xBF", whole },
        { "the last code point before the surrogates, U+D7FF", "\xED\x9F\xBF", whole },
        { "overlong '/'", "a\xC0\xAF", 1 },
        { "overlong in three bytes", "\xE0\x80\xAF", 0 },
        { "overlong in four bytes", "\xF0\x80\x80\xAF", 0 },
        { "a high surrogate", "ok\xED\xA0\x80", 2 },
        { "a low surrogate", "\xED\xBF\xBF", 0 },
        { "past U+10FFFF", "\xF4\x90\x80\x80", 0 },
        { "a lead byte that is never used", "\xF5\x80\x80\x80", 0 },
        { "a stray continuation byte", "ab\x80", 2 },
        { "a Latin-1 byte", "caf\xE9.vorlo25", 3 },
        { "a sequence cut short at the end", "x\xE2\x80", 1 },
        { "a sequence cut short by ASCII",
          "\xC3"
          "A",
          0 },
    };

    for (const auto& c : cases)
    {
        const auto expected = c.illFormedAt == whole ? c.bytes.size() : c.illFormedAt;
        EXPECT_EQ (StrictUtf8::findIllFormed (c.bytes.data(), c.bytes.size()), expected) << c.kind;
        EXPECT_EQ (StrictUtf8::isWellFormed (c.bytes.data(), c.bytes.size()), c.illFormedAt == whole) << c.kind;
    }
}

TEST (StrictUtf8, NamesIllFormedBytesInEscapesAndKeepsTheRest)
{
    const std::string bytes = "F0 \xC0\xAF \xC3\xA4 \xE9";
    const auto shown = StrictUtf8::withIllFormedBytesEscaped (bytes.data(), bytes.size());
    EXPECT_EQ (shown, juce::String::fromUTF8 ("F0 \\xC0\\xAF \xC3\xA4 \\xE9"));
}
