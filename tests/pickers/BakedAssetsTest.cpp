#include "pickers/BakedTypeface.h"
#include "pickers/QLookAndFeel.h"
#include "pickers/Vorlo25CtrlPickerComponent.h"

#include <gtest/gtest.h>

namespace
{
const juce::File assets (VORLO_ASSETS_DIR);

int differingPixels (const juce::Image& a, const juce::Image& b)
{
    int differing = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            differing += a.getPixelAt (x, y) == b.getPixelAt (x, y) ? 0 : 1;
    return differing;
}

juce::Image drawn (const juce::Font& font, const juce::String& text)
{
    juce::Image image (juce::Image::ARGB, 420, 30, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.setColour (juce::Colours::black);
    g.setFont (font);
    g.drawSingleLineText (text, 3, 21);
    return image;
}
} // namespace

// The editor draws its texts in faces baked at build time from the font
// files: every text must come out as the font engine draws the files.
TEST (BakedAssets, TheTypefaceDrawsAsItsFontFile)
{
    const char* const texts[] = {
        "Send to Keyboard",  "1 - Volume",     "AVATAR To Vo Ty Wa LT P.",
        "<Click a Control>", "Pad #11 (9-16)", u8"\u00c4rger \u00fcber \u0152uvre \u2013 \u201cso\u201d \u2026 12 \u20ac",
    };
    const float heights[] = { 12.0f, 14.0f, 15.0f, 17.0f };

    QLookAndFeel lookAndFeel;
    for (const bool bold : { false, true })
    {
        juce::MemoryBlock fontFile;
        ASSERT_TRUE (
            assets.getChildFile (bold ? "fonts/RobotoCondensed-Bold.ttf" : "fonts/RobotoCondensed-Regular.ttf").loadFileAsData (fontFile));
        const auto fromFile = juce::Typeface::createSystemTypefaceFor (fontFile.getData(), fontFile.getSize());
        const auto baked = lookAndFeel.getTypefaceForFont (juce::Font (14.0f, bold ? juce::Font::bold : juce::Font::plain));
        ASSERT_NE (baked, nullptr);

        for (const auto height : heights)
            for (const auto* text : texts)
            {
                const juce::Font asFile = juce::Font (fromFile).withHeight (height);
                const juce::Font asBaked = juce::Font (baked).withHeight (height);
                const auto utf8 = juce::String::fromUTF8 (text);
                EXPECT_GT (asBaked.getStringWidthFloat (utf8), 0.0f) << text;
                EXPECT_EQ (asFile.getStringWidthFloat (utf8), asBaked.getStringWidthFloat (utf8)) << text << " at " << height;
                EXPECT_EQ (differingPixels (drawn (asFile, utf8), drawn (asBaked, utf8)), 0)
                    << text << " at " << height << (bold ? " bold" : "");
            }
    }
}

// The picture is drawn from pixels baked at build time from the PNG file.
TEST (BakedAssets, ThePictureIsThePngFile)
{
    const auto fromFile = juce::ImageFileFormat::loadFrom (assets.getChildFile ("vorlo25.png")).convertedToFormat (juce::Image::ARGB);
    const auto baked = Vorlo25CtrlPickerComponent::loadPicture();
    ASSERT_TRUE (fromFile.isValid());
    ASSERT_EQ (baked.getBounds(), fromFile.getBounds());
    EXPECT_EQ (differingPixels (baked, fromFile), 0);

    // Drawing into it leaves the program's own pixels as they were.
    auto drawnOn = baked;
    drawnOn.clear ({ 0, 0, 10, 10 }, juce::Colours::red);
    EXPECT_EQ (drawnOn.getPixelAt (5, 5), juce::Colours::red);
    EXPECT_EQ (differingPixels (Vorlo25CtrlPickerComponent::loadPicture(), fromFile), 0);
}

// The baked form read back: glyphs when first used, with their kerning; data
// that is not a baked face, or is cut short, gives a face without glyphs.
TEST (BakedAssets, TheBakedFormReadsBackAndRefusesWhatItIsNot)
{
    juce::Path square;
    square.addRectangle (0.0f, -0.7f, 0.5f, 0.7f);
    const auto baked =
        BakedTypeface::bake ("Test", "Regular", 0.8f, { { 'B', 0.6f, square }, { 'A', 0.5f, square } }, { { 'A', 'B', -0.1f } });

    BakedTypeface face (baked.getData(), baked.getSize());
    ASSERT_TRUE (face.hasGlyphs());
    EXPECT_EQ (face.getName(), "Test");
    EXPECT_FLOAT_EQ (face.getAscent(), 0.8f);
    EXPECT_FLOAT_EQ (face.getStringWidth ("AB"), 0.5f - 0.1f + 0.6f);
    EXPECT_FLOAT_EQ (face.getStringWidth ("BA"), 0.6f + 0.5f) << "kerning only for the pair given";
    juce::Path outline;
    EXPECT_TRUE (face.getOutlineForGlyph ('A', outline));
    EXPECT_EQ (outline.getBounds(), square.getBounds());

    const juce::MemoryBlock notAFace ("not a face at all", 17);
    const juce::MemoryBlock cutShort (baked.getData(), baked.getSize() - 8);
    for (const auto* data : { &notAFace, &cutShort })
        EXPECT_FALSE (BakedTypeface (data->getData(), data->getSize()).hasGlyphs());
}
