#include "ui/NoticeBubble.h"

namespace
{
constexpr float fontHeight = 14.0f;
constexpr int maxTextWidth = 260;
constexpr int margin = 6;
} // namespace

NoticeBubble::NoticeBubble()
{
    setColour (backgroundColourId, juce::Colour (0xfffffbe0));
    setColour (outlineColourId, juce::Colour (0xff6b6b6b));
    setAllowedPlacement (below | left);
    setInterceptsMouseClicks (false, false);
    setVisible (false);
}

void NoticeBubble::show (const juce::String& newText, juce::Component& pointAt)
{
    text = newText;
    setPosition (&pointAt);

    // Centred below a target near the parent's edge, the bubble would be cut
    // off there: it goes to the target's left instead.
    if (auto* parent = getParentComponent(); parent != nullptr && ! parent->getLocalBounds().contains (getBounds()))
    {
        setAllowedPlacement (left);
        setPosition (&pointAt);
        setAllowedPlacement (below | left);
    }
    setVisible (true);
    toFront (false);
    repaint();
    startTimer (visibleMs);
}

void NoticeBubble::dismiss()
{
    stopTimer();
    setVisible (false);
}

juce::TextLayout NoticeBubble::layoutText() const
{
    juce::AttributedString attributed;
    attributed.append (text, juce::Font (fontHeight), juce::Colours::black);
    juce::TextLayout layout;
    layout.createLayout (attributed, (float) maxTextWidth);
    return layout;
}

void NoticeBubble::getContentSize (int& width, int& height)
{
    const auto layout = layoutText();
    width = (int) std::ceil (layout.getWidth()) + 2 * margin;
    height = (int) std::ceil (layout.getHeight()) + 2 * margin;
}

void NoticeBubble::paintContent (juce::Graphics& g, int width, int height)
{
    layoutText().draw (g, juce::Rectangle<int> (width, height).reduced (margin).toFloat());
}
