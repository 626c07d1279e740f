#pragma once

#include "JuceIncludes.h"

#include <cstddef>

// UTF-8 as the standard defines it, with none of the lenience of a decoder
// that only needs to make sense of text: an overlong form ("C0 AF" for '/'),
// a surrogate ("ED A0 80"), a code point past U+10FFFF, a stray continuation
// byte or a sequence cut short are all refused. JUCE's own check lets the
// first two through, and an overlong '/' or '<' is how text slips past a
// check of what it contains.
namespace StrictUtf8
{
// The offset of the first byte of the first ill-formed sequence; size when
// every byte is part of a well-formed one.
std::size_t findIllFormed (const void* bytes, std::size_t size) noexcept;

inline bool isWellFormed (const void* bytes, std::size_t size) noexcept { return findIllFormed (bytes, size) == size; }

// The bytes as text, each byte that is not part of a well-formed sequence
// written as \xHH: to name what was refused without passing it on.
juce::String withIllFormedBytesEscaped (const void* bytes, std::size_t size);
} // namespace StrictUtf8
