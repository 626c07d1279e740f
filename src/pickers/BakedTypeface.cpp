#include "pickers/BakedTypeface.h"

#include <algorithm>

// The baked form: a header (a tag, the name, the style, the ascent, the
// number of glyphs and of kerning pairs), the glyph table (character,
// advance, where its outline starts and how long it is), the kerning table
// (first, second, amount), then the outlines as juce::Path writes them.
namespace
{
constexpr int formatTag = 0x31544256; // "VBT1"

bool byCharacter (const BakedTypeface::Glyph& a, const BakedTypeface::Glyph& b) { return a.character < b.character; }
} // namespace

juce::MemoryBlock BakedTypeface::bake (const juce::String& name, const juce::String& style, float ascentProportion,
                                       std::vector<Glyph> glyphs, std::vector<Kerning> kerning)
{
    std::sort (glyphs.begin(), glyphs.end(), byCharacter);
    std::stable_sort (kerning.begin(), kerning.end(), [] (const Kerning& a, const Kerning& b) { return a.first < b.first; });

    juce::MemoryOutputStream outlineData;
    std::vector<std::pair<size_t, size_t>> outlinePlaces;
    for (const auto& glyph : glyphs)
    {
        const auto start = (size_t) outlineData.getPosition();
        glyph.outline.writePathToStream (outlineData);
        outlinePlaces.emplace_back (start, (size_t) outlineData.getPosition() - start);
    }

    juce::MemoryBlock baked;
    juce::MemoryOutputStream out (baked, false);
    out.writeInt (formatTag);
    out.writeString (name);
    out.writeString (style);
    out.writeFloat (ascentProportion);
    out.writeInt ((int) glyphs.size());
    out.writeInt ((int) kerning.size());
    for (size_t i = 0; i < glyphs.size(); ++i)
    {
        out.writeInt ((int) glyphs[i].character);
        out.writeFloat (glyphs[i].advance);
        out.writeInt ((int) outlinePlaces[i].first);
        out.writeInt ((int) outlinePlaces[i].second);
    }
    for (const auto& pair : kerning)
    {
        out.writeInt ((int) pair.first);
        out.writeInt ((int) pair.second);
        out.writeFloat (pair.amount);
    }
    out.write (outlineData.getData(), outlineData.getDataSize());
    out.flush();
    return baked;
}

BakedTypeface::BakedTypeface (const void* bakedData, size_t bakedSize)
{
    juce::MemoryInputStream in (bakedData, bakedSize, false);
    if (in.readInt() != formatTag)
        return;

    const auto familyName = in.readString();
    const auto styleName = in.readString();
    const float ascentProportion = in.readFloat();
    const int glyphCount = in.readInt();
    const int kerningCount = in.readInt();
    constexpr int glyphEntryBytes = 16, kerningEntryBytes = 12;
    if (glyphCount < 0 || kerningCount < 0
        || in.getNumBytesRemaining() < (juce::int64) glyphCount * glyphEntryBytes + (juce::int64) kerningCount * kerningEntryBytes)
        return;

    std::vector<GlyphEntry> readGlyphs ((size_t) glyphCount);
    for (auto& glyph : readGlyphs)
    {
        glyph.character = (juce::juce_wchar) in.readInt();
        glyph.advance = in.readFloat();
        glyph.outlineStart = (size_t) (juce::uint32) in.readInt();
        glyph.outlineSize = (size_t) (juce::uint32) in.readInt();
    }
    std::vector<Kerning> readKerning ((size_t) kerningCount);
    for (auto& pair : readKerning)
    {
        pair.first = (juce::juce_wchar) in.readInt();
        pair.second = (juce::juce_wchar) in.readInt();
        pair.amount = in.readFloat();
    }

    const auto outlinesSize = (size_t) in.getNumBytesRemaining();
    const bool outlinesInside = std::all_of (readGlyphs.begin(), readGlyphs.end(),
                                             [outlinesSize] (const GlyphEntry& g)
                                             { return g.outlineStart <= outlinesSize && g.outlineSize <= outlinesSize - g.outlineStart; });
    if (! outlinesInside)
        return;

    setCharacteristics (familyName, styleName, ascentProportion, L' ');
    outlines = static_cast<const juce::uint8*> (bakedData) + in.getPosition();
    glyphTable = std::move (readGlyphs);
    kerningTable = std::move (readKerning);
}

bool BakedTypeface::loadGlyphIfPossible (juce::juce_wchar character)
{
    const auto glyph = std::lower_bound (glyphTable.begin(), glyphTable.end(), character,
                                         [] (const GlyphEntry& entry, juce::juce_wchar c) { return entry.character < c; });
    if (glyph == glyphTable.end() || glyph->character != character)
        return false;

    juce::Path outline;
    outline.loadPathFromData (outlines + glyph->outlineStart, glyph->outlineSize);
    addGlyph (character, outline, glyph->advance);

    const auto pairs = std::equal_range (kerningTable.begin(), kerningTable.end(), Kerning { character, 0, 0.0f },
                                         [] (const Kerning& a, const Kerning& b) { return a.first < b.first; });
    for (auto pair = pairs.first; pair != pairs.second; ++pair)
        addKerningPair (character, pair->second, pair->amount);
    return true;
}

juce::EdgeTable* BakedTypeface::getEdgeTableForGlyph (int glyphNumber, const juce::AffineTransform& transform, float fontHeight)
{
    // The renderer caches the shape of every glyph it draws: made for the
    // general case, each would keep room for many times the edges a glyph has.
    auto* shape = CustomTypeface::getEdgeTableForGlyph (glyphNumber, transform, fontHeight);
    if (shape != nullptr)
        shape->optimiseTable();
    return shape;
}
