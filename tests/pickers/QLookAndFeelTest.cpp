#include "pickers/QLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
struct Corners
{
    bool topLeftSquare, topRightSquare, bottomLeftSquare, bottomRightSquare;
};

// A point this close to a corner of the outline's bounds lies inside the
// outline only when that corner is square.
Corners cornersOf (const juce::Path& outline)
{
    const auto b = outline.getBounds();
    constexpr float nearCorner = 0.3f;
    return { outline.contains (b.getX() + nearCorner, b.getY() + nearCorner),
             outline.contains (b.getRight() - nearCorner, b.getY() + nearCorner),
             outline.contains (b.getX() + nearCorner, b.getBottom() - nearCorner),
             outline.contains (b.getRight() - nearCorner, b.getBottom() - nearCorner) };
}
} // namespace

TEST (QLookAndFeelOutline, ConnectedEdgesAreNearlyFlushAndSquareTheirCorners)
{
    struct Case
    {
        const char* name;
        int connectedEdges;
        juce::Rectangle<float> bounds;
        Corners square;
    };

    using Edge = juce::Button::ConnectedEdgeFlags;
    const Case cases[] = {
        { "free", 0, { 0.5f, 0.5f, 99.0f, 39.0f }, { false, false, false, false } },
        { "left", Edge::ConnectedOnLeft, { 0.1f, 0.5f, 99.4f, 39.0f }, { true, false, true, false } },
        { "top and right", Edge::ConnectedOnTop | Edge::ConnectedOnRight, { 0.5f, 0.1f, 99.4f, 39.4f }, { true, true, false, true } },
        { "all four",
          Edge::ConnectedOnLeft | Edge::ConnectedOnRight | Edge::ConnectedOnTop | Edge::ConnectedOnBottom,
          { 0.1f, 0.1f, 99.8f, 39.8f },
          { true, true, true, true } },
    };

    for (const auto& c : cases)
    {
        juce::TextButton button;
        button.setSize (100, 40);
        button.setConnectedEdges (c.connectedEdges);

        const auto outline = QLookAndFeel::buttonOutline (button);
        const auto bounds = outline.getBounds();
        EXPECT_NEAR (bounds.getX(), c.bounds.getX(), 1e-4f) << c.name;
        EXPECT_NEAR (bounds.getY(), c.bounds.getY(), 1e-4f) << c.name;
        EXPECT_NEAR (bounds.getWidth(), c.bounds.getWidth(), 1e-4f) << c.name;
        EXPECT_NEAR (bounds.getHeight(), c.bounds.getHeight(), 1e-4f) << c.name;

        const auto square = cornersOf (outline);
        EXPECT_EQ (square.topLeftSquare, c.square.topLeftSquare) << c.name;
        EXPECT_EQ (square.topRightSquare, c.square.topRightSquare) << c.name;
        EXPECT_EQ (square.bottomLeftSquare, c.square.bottomLeftSquare) << c.name;
        EXPECT_EQ (square.bottomRightSquare, c.square.bottomRightSquare) << c.name;
    }
}

TEST (QLookAndFeelOutline, RoundedCornersUseThreeTenthsOfTheShorterSide)
{
    juce::Path outline;
    QLookAndFeel::buildButtonOutline (outline, 0.0f, 0.0f, 100.0f, 40.0f, 12.0f, true, true, true, true);

    // The arc of a 12-pixel corner passes 12 - 12 / sqrt 2 from both edges.
    constexpr float arcInset = 12.0f - 8.485f;
    EXPECT_TRUE (outline.contains (arcInset + 0.2f, arcInset + 0.2f));
    EXPECT_FALSE (outline.contains (arcInset - 0.2f, arcInset - 0.2f));
    EXPECT_TRUE (outline.contains (12.5f, 0.2f)) << "straight edge after the arc";
}

TEST (QLookAndFeelHover, LightColoursDarkenDarkOnesBrightenAndBothTurnTranslucent)
{
    const std::pair<juce::uint32, juce::uint32> cases[] = {
        { 0xffd0d0d0, 0xccbdbdbd },                             // brightness above 0.5: darker by 0.1
        { 0xff808080, 0xcc747474 },                             // just above 0.5
        { 0xff7f7f7f, 0xcc9c9c9c },                             // just below: brighter by 0.3
        { 0xff303030, 0xcc5f5f5f }, { 0x40303030, 0x735f5f5f }, // translucent colours become more opaque
    };

    for (const auto& [base, hovered] : cases)
        EXPECT_EQ (QLookAndFeel::hoverColour (juce::Colour (base)).getARGB(), hovered) << juce::String::toHexString ((int) base);
}

TEST (QLookAndFeelButtons, DisabledButtonsAreDrawnLikeEnabledOnes)
{
    QLookAndFeel lookAndFeel;
    juce::TextButton button ("Send to Keyboard");
    button.setLookAndFeel (&lookAndFeel);
    button.setSize (120, 24);

    const auto enabled = button.createComponentSnapshot (button.getLocalBounds());
    button.setEnabled (false);
    const auto disabled = button.createComponentSnapshot (button.getLocalBounds());

    int differing = 0;
    for (int y = 0; y < enabled.getHeight(); ++y)
        for (int x = 0; x < enabled.getWidth(); ++x)
            differing += enabled.getPixelAt (x, y) == disabled.getPixelAt (x, y) ? 0 : 1;

    EXPECT_EQ (differing, 0);
    button.setLookAndFeel (nullptr);
}

TEST (QLookAndFeelTooltip, WindowIsTheTextPlusFourteenByTenPixels)
{
    QLookAndFeel lookAndFeel;
    const juce::Rectangle<int> screen { 0, 0, 1920, 1080 };
    const juce::Font tooltipFont (12.0f);

    const juce::String shortTip ("Knob #1 - Volume");
    const auto shortBounds = lookAndFeel.getTooltipBounds (shortTip, { 100, 100 }, screen);
    EXPECT_NEAR (shortBounds.getWidth(), tooltipFont.getStringWidthFloat (shortTip) + 14.0f, 1.0f);
    EXPECT_NEAR (shortBounds.getHeight(), tooltipFont.getHeight() + 10.0f, 1.0f);

    // Long tips wrap at 400 pixels into lines of balanced length.
    const auto longTip = juce::String::repeatedString ("Activate Pad Shift Mode (1-8 / 9-16) ", 8);
    const auto longBounds = lookAndFeel.getTooltipBounds (longTip, { 100, 100 }, screen);
    EXPECT_LE (longBounds.getWidth(), 400 + 14);
    EXPECT_GE (longBounds.getHeight(), 3 * (int) tooltipFont.getHeight() + 10);

    int width = 0, height = 0;
    QLookAndFeel::getTooltipSize (longTip, width, height);
    EXPECT_EQ (longBounds.getWidth(), width);
    EXPECT_EQ (longBounds.getHeight(), height);
}
