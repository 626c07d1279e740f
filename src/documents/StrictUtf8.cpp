#include "documents/StrictUtf8.h"

namespace
{
// The length of the well-formed sequence that starts at p, or 0 when none
// does. The ranges of the second byte rule out overlong forms (E0, F0),
// surrogates (ED) and code points past U+10FFFF (F4).
std::size_t sequenceLength (const juce::uint8* p, const juce::uint8* end) noexcept
{
    const auto lead = p[0];
    if (lead < 0x80)
        return 1;

    std::size_t length = 0;
    juce::uint8 secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;
        else if (lead == 0xED)
            secondHigh = 0x9F;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        else if (lead == 0xF4)
            secondHigh = 0x8F;
    }
    else
        return 0; // a continuation byte, C0, C1 or F5 to FF

    if ((std::size_t) (end - p) < length || p[1] < secondLow || p[1] > secondHigh)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    return length;
}
} // namespace

std::size_t StrictUtf8::findIllFormed (const void* bytes, std::size_t size) noexcept
{
    const auto* begin = static_cast<const juce::uint8*> (bytes);
    const auto* end = begin + size;
    for (const auto* p = begin; p < end;)
    {
        const auto length = sequenceLength (p, end);
        if (length == 0)
            return (std::size_t) (p - begin);
        p += length;
    }
    return size;
}

juce::String StrictUtf8::withIllFormedBytesEscaped (const void* bytes, std::size_t size)
{
    const auto* begin = static_cast<const juce::uint8*> (bytes);
    const auto* end = begin + size;
    juce::String text;
    for (const auto* p = begin; p < end;)
    {
        if (const auto length = sequenceLength (p, end); length > 0)
        {
            text += juce::String::fromUTF8 (reinterpret_cast<const char*> (p), (int) length);
            p += length;
        }
        else
            text += "\\x" + juce::String::toHexString ((int) *p++).paddedLeft ('0', 2).toUpperCase();
    }
    return text;
}
