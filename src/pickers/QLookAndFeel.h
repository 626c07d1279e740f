#pragma once

#include "JuceIncludes.h"

// The application's look: the classic light JUCE look with its own text
// buttons (a dark gradient under a grey outline, bold text) and tooltips
// (small plain text in a snug box), grey combo boxes, and one condensed
// typeface, embedded, so that every text fits the window's fixed layout.
class QLookAndFeel : public juce::LookAndFeel_V2
{
public:
    QLookAndFeel();
    ~QLookAndFeel() override;

    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour, bool shouldDrawButtonAsHighlighted,
                               bool shouldDrawButtonAsDown) override;
    void drawButtonText (juce::Graphics&, juce::TextButton&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                           juce::Rectangle<int> parentArea) override;
    void drawTooltip (juce::Graphics&, const juce::String& text, int width, int height) override;

    // The size of a tooltip's window: its laid-out text with a margin.
    static void getTooltipSize (const juce::String& tipText, int& width, int& height);

    // A tooltip's text: plain 12-point, at most 400 pixels wide, lines balanced.
    static juce::TextLayout layoutTooltipText (const juce::String& text, juce::Colour colour = juce::Colours::black);

    // Appends a rectangle to path, rounding only the corners asked for.
    static void buildButtonOutline (juce::Path& path, float x, float y, float w, float h, float cornerSize, bool roundTopLeft,
                                    bool roundTopRight, bool roundBottomLeft, bool roundBottomRight);

    // A button's outline: nearly flush on connected edges, with square corners
    // where it meets its neighbours.
    static juce::Path buttonOutline (const juce::Button&);

    // The colour a button is drawn in while the mouse is over it.
    static juce::Colour hoverColour (juce::Colour base);

    // The colours of the editor's command buttons: slate grey, darker when
    // pressed, with light text.
    static void colourCommandButton (juce::TextButton&);

private:
    const juce::Typeface::Ptr regularTypeface, boldTypeface;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QLookAndFeel)
};
