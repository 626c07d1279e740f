// asset-baker: turns the editor's pictures and typefaces, at build time, into
// what the editor uses, so that starting it decodes and parses nearly nothing.
//
//   asset-baker OUT_DIR [picture NAME=FILE.png]... [typeface NAME=FILE.ttf]...
//
// writes into OUT_DIR:
//   - PickerPictures.h, PickerPicture-NAME.cpp: for each picture an array of
//     premultiplied 0xAARRGGBB pixels, row by row, with its width and height. As numbers
//     rather than bytes, the array reads the same on any byte order. The
//     editor draws straight from it.
//   - BakedTypefaces.h/.cpp: for each typeface its glyph outlines, advances
//     and kerning (src/pickers/BakedTypeface), taken from the font as the
//     system's font engine reads it. The editor then needs no font engine
//     for its own texts.
#include "pickers/BakedTypeface.h"

#include <iostream>
#include <vector>

#if JUCE_LINUX || JUCE_BSD
 #include <ft2build.h>
 #include FT_FREETYPE_H
#endif

namespace
{
struct Picture
{
    juce::String name;
    juce::Image image;
};

struct Typeface
{
    juce::String name;
    juce::MemoryBlock serialised;
};

constexpr const char* generatedNote = "// Written by asset-baker at build time; do not edit.\n";

// "NAME=FILE" split, or false with the reason on standard error.
bool splitArgument (const juce::String& argument, juce::String& name, juce::File& file)
{
    name = argument.upToFirstOccurrenceOf ("=", false, false);
    file = juce::File::getCurrentWorkingDirectory().getChildFile (argument.fromFirstOccurrenceOf ("=", false, false));
    if (name.isNotEmpty() && file.existsAsFile())
        return true;
    std::cerr << "asset-baker: expected NAME=FILE with an existing file, got " << argument << "\n";
    return false;
}

bool readPicture (const juce::String& argument, Picture& picture)
{
    juce::File file;
    if (! splitArgument (argument, picture.name, file))
        return false;

    picture.image = juce::PNGImageFormat().loadFrom (file).convertedToFormat (juce::Image::ARGB);
    if (picture.image.isValid())
        return true;
    std::cerr << "asset-baker: " << file.getFullPathName() << " is not a PNG picture\n";
    return false;
}

// One character's glyph as the typeface draws it.
bool glyphOf (juce::Typeface& typeface, juce::juce_wchar character, BakedTypeface::Glyph& glyph)
{
    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    typeface.getGlyphPositions (juce::String::charToString (character), glyphs, offsets);
    if (glyphs.isEmpty() || glyphs[0] < 0 || offsets.size() < 2)
        return false;
    glyph.character = character;
    glyph.advance = offsets[1];
    glyph.outline.clear();
    typeface.getOutlineForGlyph (glyphs[0], glyph.outline);
    return true;
}

// Whether the font engine can open the data as a face. JUCE's FreeType layer
// crashes on data it cannot open, so it is asked first.
bool opensAsAFont (const juce::MemoryBlock& data)
{
#if JUCE_LINUX || JUCE_BSD
    FT_Library library = nullptr;
    if (FT_Init_FreeType (&library) != 0)
        return false;
    FT_Face face = nullptr;
    const bool opens = FT_New_Memory_Face (library, static_cast<const FT_Byte*> (data.getData()), (FT_Long) data.getSize(), 0, &face) == 0;
    if (opens)
        FT_Done_Face (face);
    FT_Done_FreeType (library);
    return opens;
#else
    return ! data.isEmpty();
#endif
}

bool sameShape (const BakedTypeface::Glyph& a, const BakedTypeface::Glyph& b)
{
    return a.advance == b.advance && a.outline.toString() == b.outline.toString();
}

// Every character the font has, as far as the editor's scripts reach (the
// font engine gives a missing character the font's "missing" glyph, the one
// of a code point no font has), with the kerning between them.
bool readTypeface (const juce::String& argument, Typeface& baked)
{
    juce::File file;
    if (! splitArgument (argument, baked.name, file))
        return false;

    juce::MemoryBlock fontData;
    file.loadFileAsData (fontData);
    const auto live = opensAsAFont (fontData) ? juce::Typeface::createSystemTypefaceFor (fontData.getData(), fontData.getSize()) : nullptr;
    BakedTypeface::Glyph missing {};
    if (live == nullptr || ! glyphOf (*live, 0xffff, missing))
    {
        std::cerr << "asset-baker: " << file.getFullPathName() << " is not a font the system can read\n";
        return false;
    }

    std::vector<BakedTypeface::Glyph> glyphs;
    for (juce::juce_wchar c = 0x20; c < 0x3000; ++c)
    {
        BakedTypeface::Glyph glyph {};
        if (glyphOf (*live, c, glyph) && ! sameShape (glyph, missing))
            glyphs.push_back (glyph);
    }

    // The kerning of each pair, as the distance the font puts between them
    // beyond the first one's advance.
    std::vector<BakedTypeface::Kerning> kerning;
    for (const auto& first : glyphs)
        for (const auto& second : glyphs)
        {
            juce::Array<int> indexes;
            juce::Array<float> offsets;
            live->getGlyphPositions (juce::String::charToString (first.character) + juce::String::charToString (second.character), indexes,
                                     offsets);
            if (offsets.size() > 1 && offsets[1] != first.advance)
                kerning.push_back ({ first.character, second.character, offsets[1] - first.advance });
        }

    baked.serialised = BakedTypeface::bake (live->getName(), live->getStyle(), live->getAscent(), std::move (glyphs), std::move (kerning));
    return true;
}

juce::String picturesHeader (const juce::Array<Picture>& pictures)
{
    juce::String text;
    text << generatedNote << "#pragma once\n\n#include <cstdint>\n\nnamespace PickerPictures\n{\n";
    for (const auto& picture : pictures)
        text << "// Premultiplied 0xAARRGGBB, row by row.\n"
             << "extern const std::uint32_t " << picture.name << "[];\n"
             << "constexpr int " << picture.name << "Width = " << picture.image.getWidth() << ";\n"
             << "constexpr int " << picture.name << "Height = " << picture.image.getHeight() << ";\n\n";
    text << "} // namespace PickerPictures\n";
    return text;
}

// One source file per picture: a program takes in only the pictures it draws.
juce::String pictureSource (const Picture& picture)
{
    const juce::Image::BitmapData pixels (picture.image, juce::Image::BitmapData::readOnly);
    juce::MemoryOutputStream text;
    text << generatedNote << "#include \"PickerPictures.h\"\n\nnamespace PickerPictures\n{\n"
         << "alignas (16) extern const std::uint32_t " << picture.name << "[] = {";
    for (int y = 0; y < pixels.height; ++y)
    {
        text << "\n";
        for (int x = 0; x < pixels.width; ++x)
            text << "0x"
                 << juce::String::toHexString (
                        (juce::int64) reinterpret_cast<const juce::PixelARGB*> (pixels.getPixelPointer (x, y))->getNativeARGB())
                 << ",";
    }
    text << "\n};\n\n} // namespace PickerPictures\n";
    return text.toString();
}

juce::String typefacesHeader (const juce::Array<Typeface>& typefaces)
{
    juce::String text;
    text << generatedNote << "#pragma once\n\n#include <cstddef>\n\nnamespace BakedTypefaces\n{\n"
         << "// Each as BakedTypeface reads it.\n";
    for (const auto& typeface : typefaces)
        text << "extern const unsigned char " << typeface.name << "[];\n"
             << "constexpr std::size_t " << typeface.name << "Size = " << (int) typeface.serialised.getSize() << ";\n";
    text << "} // namespace BakedTypefaces\n";
    return text;
}

juce::String typefacesSource (const juce::Array<Typeface>& typefaces)
{
    juce::MemoryOutputStream text;
    text << generatedNote << "#include \"BakedTypefaces.h\"\n\nnamespace BakedTypefaces\n{\n";
    for (const auto& typeface : typefaces)
    {
        text << "extern const unsigned char " << typeface.name << "[] = {";
        const auto* bytes = static_cast<const unsigned char*> (typeface.serialised.getData());
        for (size_t i = 0; i < typeface.serialised.getSize(); ++i)
            text << (i % 32 == 0 ? "\n" : "") << (int) bytes[i] << ",";
        text << "\n};\n\n";
    }
    text << "} // namespace BakedTypefaces\n";
    return text.toString();
}

// Rewrites a file only when its text changes, so that an unchanged asset
// rebuilds nothing.
bool writeIfChanged (const juce::File& file, const juce::String& text)
{
    if (file.existsAsFile() && file.loadFileAsString() == text)
        return true;
    if (file.replaceWithText (text, false, false, "\n"))
        return true;
    std::cerr << "asset-baker: cannot write " << file.getFullPathName() << "\n";
    return false;
}
} // namespace

int main (int argc, char* argv[])
{
    if (argc < 2 || argc % 2 != 0)
    {
        std::cerr << "usage: asset-baker OUT_DIR [picture NAME=FILE.png]... [typeface NAME=FILE.ttf]...\n";
        return 2;
    }

    // JUCE's font list and caches are let go on leaving, so that a leak
    // checker sees none.
    const juce::ScopedJuceInitialiser_GUI juceInitialised;

    juce::Array<Picture> pictures;
    juce::Array<Typeface> typefaces;
    for (int i = 2; i + 1 < argc; i += 2)
    {
        const juce::String kind (juce::CharPointer_UTF8 (argv[i]));
        const juce::String argument (juce::CharPointer_UTF8 (argv[i + 1]));
        if (kind == "picture")
        {
            Picture picture;
            if (! readPicture (argument, picture))
                return 1;
            pictures.add (picture);
        }
        else if (kind == "typeface")
        {
            Typeface typeface;
            if (! readTypeface (argument, typeface))
                return 1;
            typefaces.add (typeface);
        }
        else
        {
            std::cerr << "asset-baker: unknown kind " << kind << ", expected picture or typeface\n";
            return 2;
        }
    }

    const juce::File outputFolder (juce::File::getCurrentWorkingDirectory().getChildFile (juce::CharPointer_UTF8 (argv[1])));
    outputFolder.createDirectory();
    bool written = writeIfChanged (outputFolder.getChildFile ("PickerPictures.h"), picturesHeader (pictures));
    for (const auto& picture : pictures)
        written = written && writeIfChanged (outputFolder.getChildFile ("PickerPicture-" + picture.name + ".cpp"), pictureSource (picture));
    written = written && writeIfChanged (outputFolder.getChildFile ("BakedTypefaces.h"), typefacesHeader (typefaces))
        && writeIfChanged (outputFolder.getChildFile ("BakedTypefaces.cpp"), typefacesSource (typefaces));
    return written ? 0 : 1;
}
