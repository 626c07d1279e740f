#pragma once

#include "JuceIncludes.h"

#include <vector>

// A typeface baked at build time (tools/asset-baker) from a font file: each
// glyph's outline and advance, and the kerning, as the font engine read them.
// Drawing with it needs no font engine and no look at the system's fonts.
// Glyphs are read from the baked data when first used, as the font engine's
// typeface loads them, and cached glyph shapes are kept at the size they need.
class BakedTypeface : public juce::CustomTypeface
{
public:
    struct Glyph
    {
        juce::juce_wchar character;
        float advance;
        juce::Path outline;
    };

    struct Kerning
    {
        juce::juce_wchar first, second;
        float amount; // added to the first one's advance
    };

    // The baked form, as the editor reads it. Glyphs and kerning in any order.
    static juce::MemoryBlock bake (const juce::String& name, const juce::String& style, float ascentProportion, std::vector<Glyph> glyphs,
                                   std::vector<Kerning> kerning);

    // Reads a baked typeface; the data must outlive it, as static data does.
    // Data that is not a baked typeface gives one without glyphs.
    BakedTypeface (const void* bakedData, size_t bakedSize);

    bool hasGlyphs() const noexcept { return ! glyphTable.empty(); }

    juce::EdgeTable* getEdgeTableForGlyph (int glyphNumber, const juce::AffineTransform&, float fontHeight) override;

protected:
    bool loadGlyphIfPossible (juce::juce_wchar character) override;

private:
    struct GlyphEntry
    {
        juce::juce_wchar character;
        float advance;
        size_t outlineStart, outlineSize; // within the outlines
    };

    std::vector<GlyphEntry> glyphTable; // by character
    std::vector<Kerning> kerningTable;  // by first character
    const juce::uint8* outlines = nullptr;

    JUCE_DECLARE_NON_COPYABLE (BakedTypeface)
};
