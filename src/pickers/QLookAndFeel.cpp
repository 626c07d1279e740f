#include "pickers/QLookAndFeel.h"

#include "pickers/BakedTypeface.h"

#include <BakedTypefaces.h>

namespace
{
const juce::Colour gradientEndColour { 0xff323232 };
const juce::Colour buttonOutlineColour { 0xff787878 };

// Margins of a tooltip's window around its text.
constexpr int tooltipHorizontalMargin = 14;
constexpr int tooltipVerticalMargin = 10;
constexpr float tooltipFontHeight = 12.0f;
constexpr float tooltipMaxWidth = 400.0f;

// Null if the data holds no glyphs: the system's face is used then.
juce::Typeface::Ptr bakedTypeface (const unsigned char* data, size_t size)
{
    juce::ReferenceCountedObjectPtr<BakedTypeface> face (new BakedTypeface (data, size));
    return face->hasGlyphs() ? juce::Typeface::Ptr (face.get()) : nullptr;
}
} // namespace

QLookAndFeel::QLookAndFeel()
    : regularTypeface (bakedTypeface (BakedTypefaces::robotoCondensedRegular, BakedTypefaces::robotoCondensedRegularSize)),
      boldTypeface (bakedTypeface (BakedTypefaces::robotoCondensedBold, BakedTypefaces::robotoCondensedBoldSize))
{
    setColour (juce::ComboBox::outlineColourId, juce::Colour (0xff959595));
    setColour (juce::ComboBox::buttonColourId, juce::Colour (0xffd7d7d7));
    setColour (juce::ComboBox::arrowColourId, juce::Colour (0xff595959));
}

QLookAndFeel::~QLookAndFeel() = default;

void QLookAndFeel::colourCommandButton (juce::TextButton& button)
{
    const juce::Colour text { 0xfff0f0f0 };
    button.setColour (juce::TextButton::buttonColourId, juce::Colour (0xff8d99a0));
    button.setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xff535a5e));
    button.setColour (juce::TextButton::textColourOnId, text);
    button.setColour (juce::TextButton::textColourOffId, text);
}

juce::Typeface::Ptr QLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    // The default sans-serif face is ours, the same on every desktop; a
    // font asked for by name keeps it.
    if (font.getTypefaceName() == juce::Font::getDefaultSansSerifFontName() && regularTypeface != nullptr && boldTypeface != nullptr)
        return font.isBold() ? boldTypeface : regularTypeface;

    return LookAndFeel_V2::getTypefaceForFont (font);
}

void QLookAndFeel::buildButtonOutline (juce::Path& path, float x, float y, float w, float h, float cornerSize, bool roundTopLeft,
                                       bool roundTopRight, bool roundBottomLeft, bool roundBottomRight)
{
    // Arcs are measured clockwise from twelve o'clock and continue the
    // current sub-path.
    const auto diameter = 2.0f * cornerSize;
    constexpr auto pi = juce::MathConstants<float>::pi;

    if (roundTopLeft)
    {
        path.startNewSubPath (x, y + cornerSize);
        path.addArc (x, y, diameter, diameter, 1.5f * pi, 2.0f * pi);
    }
    else
    {
        path.startNewSubPath (x, y);
    }

    if (roundTopRight)
    {
        path.lineTo (x + w - cornerSize, y);
        path.addArc (x + w - diameter, y, diameter, diameter, 0.0f, 0.5f * pi);
    }
    else
    {
        path.lineTo (x + w, y);
    }

    if (roundBottomRight)
    {
        path.lineTo (x + w, y + h - cornerSize);
        path.addArc (x + w - diameter, y + h - diameter, diameter, diameter, 0.5f * pi, pi);
    }
    else
    {
        path.lineTo (x + w, y + h);
    }

    if (roundBottomLeft)
    {
        path.lineTo (x + cornerSize, y + h);
        path.addArc (x, y + h - diameter, diameter, diameter, pi, 1.5f * pi);
    }
    else
    {
        path.lineTo (x, y + h);
    }

    path.closeSubPath();
}

juce::Path QLookAndFeel::buttonOutline (const juce::Button& button)
{
    const auto width = (float) button.getWidth();
    const auto height = (float) button.getHeight();
    const auto cornerSize = juce::jmin (0.3f * width, 0.3f * height);

    const auto left = button.isConnectedOnLeft();
    const auto right = button.isConnectedOnRight();
    const auto top = button.isConnectedOnTop();
    const auto bottom = button.isConnectedOnBottom();

    const auto indent = [] (bool connected) { return connected ? 0.1f : 0.5f; };
    const auto leftIndent = indent (left);
    const auto rightIndent = indent (right);
    const auto topIndent = indent (top);
    const auto bottomIndent = indent (bottom);

    juce::Path outline;
    buildButtonOutline (outline, leftIndent, topIndent, width - leftIndent - rightIndent, height - topIndent - bottomIndent, cornerSize,
                        ! (left || top), ! (right || top), ! (left || bottom), ! (right || bottom));
    return outline;
}

juce::Colour QLookAndFeel::hoverColour (juce::Colour base)
{
    const auto shaded = base.getBrightness() > 0.5f ? base.darker (0.1f) : base.brighter (0.3f);
    const auto alpha = shaded.getFloatAlpha();
    return shaded.withAlpha (alpha > 0.5f ? alpha - 0.2f : alpha + 0.2f);
}

void QLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& /*backgroundColour*/,
                                         bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    // A pressed button takes the 'on' colour like a toggled one; the colour
    // passed in follows only the toggle state, so it is not used.
    auto base = button.findColour (button.getToggleState() || shouldDrawButtonAsDown ? juce::TextButton::buttonOnColourId
                                                                                     : juce::TextButton::buttonColourId);
    if (shouldDrawButtonAsHighlighted)
        base = hoverColour (base);

    const auto outline = buttonOutline (button);

    g.setGradientFill (juce::ColourGradient (base, 0.0f, 0.0f, gradientEndColour, 0.0f, (float) button.getHeight() - 4.0f, false));
    g.fillPath (outline);

    g.setColour (buttonOutlineColour);
    g.strokePath (outline, juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}

void QLookAndFeel::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool /*shouldDrawButtonAsHighlighted*/,
                                   bool /*shouldDrawButtonAsDown*/)
{
    const auto font = getTextButtonFont (button, button.getHeight()).boldened();
    g.setFont (font);

    // Not dimmed when the button is disabled.
    g.setColour (button.findColour (button.getToggleState() ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId));

    const auto yIndent = juce::jmin (4, button.proportionOfHeight (0.3f));
    const auto sideIndent = juce::roundToInt (font.getHeight() * 0.6f) / 2;

    g.drawFittedText (button.getButtonText(), sideIndent, yIndent, button.getWidth() - 2 * sideIndent, button.getHeight() - 2 * yIndent,
                      juce::Justification::centred, 2, 0.7f);
}

juce::TextLayout QLookAndFeel::layoutTooltipText (const juce::String& text, juce::Colour colour)
{
    juce::AttributedString attributed;
    attributed.setJustification (juce::Justification::left);
    attributed.append (text, juce::Font (tooltipFontHeight), colour);

    juce::TextLayout layout;
    layout.createLayoutWithBalancedLineLengths (attributed, tooltipMaxWidth);
    return layout;
}

void QLookAndFeel::getTooltipSize (const juce::String& tipText, int& width, int& height)
{
    const auto layout = layoutTooltipText (tipText);
    width = (int) (layout.getWidth() + (float) tooltipHorizontalMargin);
    height = (int) (layout.getHeight() + (float) tooltipVerticalMargin);
}

juce::Rectangle<int> QLookAndFeel::getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                                     juce::Rectangle<int> parentArea)
{
    int width = 0, height = 0;
    getTooltipSize (tipText, width, height);

    // Beside the pointer, on the side of the screen with more room.
    const auto x = screenPos.x > parentArea.getCentreX() ? screenPos.x - (width + 12) : screenPos.x + 24;
    const auto y = screenPos.y > parentArea.getCentreY() ? screenPos.y - (height + 6) : screenPos.y + 6;

    return juce::Rectangle<int> (x, y, width, height).constrainedWithin (parentArea);
}

void QLookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    const juce::Rectangle<float> area ((float) width, (float) height);

    g.fillAll (findColour (juce::TooltipWindow::backgroundColourId));
    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRect (0, 0, width, height, 1);

    const auto layout = layoutTooltipText (text, findColour (juce::TooltipWindow::textColourId));
    layout.draw (g, area.withSizeKeepingCentre (layout.getWidth(), layout.getHeight()));
}
