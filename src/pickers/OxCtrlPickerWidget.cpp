#include "pickers/OxCtrlPickerWidget.h"

namespace
{
// A corner mark runs from a point on one edge, past the corner, to a point on
// the other edge. Coordinates are proportions of the widget's width and height.
struct CornerMarkProportions
{
    juce::Point<float> start, corner, end;
};

constexpr std::array<CornerMarkProportions, 4> cornerMarkProportions { {
    { { 0.3f, 0.0f }, { 0.0f, 0.0f }, { 0.0f, 0.3f } }, // top-left
    { { 0.0f, 0.7f }, { 0.0f, 1.0f }, { 0.3f, 1.0f } }, // bottom-left
    { { 0.7f, 0.0f }, { 1.0f, 0.0f }, { 1.0f, 0.3f } }, // top-right
    { { 1.0f, 0.7f }, { 1.0f, 1.0f }, { 0.7f, 1.0f } }, // bottom-right
} };

// A knob's curved mark bends towards a point this far inside the corner, so it
// hugs the round knob instead of the square around it.
constexpr float curveInset = 0.08f;

float towardsCentre (float proportion)
{
    return proportion < 0.5f ? proportion + curveInset : proportion - curveInset;
}

enum class Interaction
{
    idle,
    hovered,
    pressed
};

enum class Area
{
    nothing,
    wholeWidget,
    selection // the whole widget for a rectangle, the ellipse it bounds for a knob
};

// Pressed wins over hovered.
Interaction interactionFor (bool hovered, bool pressed)
{
    if (pressed)
        return Interaction::pressed;

    return hovered ? Interaction::hovered : Interaction::idle;
}

struct Look
{
    Area area;
    juce::uint32 rectangleArgb, ellipseArgb;
    bool cornerMarks;
};

// By toggle state, then interaction. A white veil marks hover and press; a
// rose tint marks the selection, stronger on a knob's smaller ellipse.
constexpr Look looks[2][3] {
    // toggle off: idle, hovered, pressed
    { { Area::nothing, 0, 0, false },
      { Area::wholeWidget, 0x20FFFFFF, 0x20FFFFFF, true },
      { Area::wholeWidget, 0x40FFFFFF, 0x40FFFFFF, false } },
    // toggle on: idle, hovered, pressed
    { { Area::selection, 0x60FF8080, 0x80FF8080, false },
      { Area::selection, 0x40FF8080, 0x40FF8080, true },
      { Area::selection, 0x40FF8080, 0x40FF8080, false } },
};

const juce::Colour cornerFillColour { 0x40FFFFFF };

// The change mark: an amber dot with a dark rim, like the keyboard's own lights.
const juce::Colour changeMarkColour { 0xFFFFB23F };
const juce::Colour changeMarkRimColour { 0xE0000000 };
constexpr float changeMarkRadius = 3.5f;

// The touch flash: the hover veil's white, stronger, fading out.
constexpr float flashAlpha = 0.55f;
constexpr int flashFramesPerSecond = 30;
const juce::Colour cornerStrokeColour { 0xE0000000 };
const juce::PathStrokeType cornerStroke { 3.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt };
} // namespace

OxCtrlPickerWidget::OxCtrlPickerWidget (Shape widgetShape)
    : juce::Button ({})
    , shape (widgetShape)
{
    setSize (60, 40);
}

OxCtrlPickerWidget::~OxCtrlPickerWidget() = default;

void OxCtrlPickerWidget::resized()
{
    // Whole pixels, so that the marks sit crisply on the widget's edges.
    const auto at = [this] (juce::Point<float> proportion)
    { return juce::Point<float> ((float) proportionOfWidth (proportion.x), (float) proportionOfHeight (proportion.y)); };

    for (size_t i = 0; i < cornerMarks.size(); ++i)
    {
        const auto& proportions = cornerMarkProportions[i];
        auto& line = cornerMarks[i].line;

        line.clear();
        line.startNewSubPath (at (proportions.start));

        if (shape == Shape::rectangle)
        {
            line.lineTo (at (proportions.corner));
            line.lineTo (at (proportions.end));
        }
        else
        {
            const juce::Point<float> bend { towardsCentre (proportions.corner.x), towardsCentre (proportions.corner.y) };
            line.quadraticTo (at (bend), at (proportions.end));
        }

        cornerMarks[i].area = line;
        cornerMarks[i].area.closeSubPath();
    }
}

void OxCtrlPickerWidget::setMarked (bool shouldBeMarked)
{
    if (marked == shouldBeMarked)
        return;
    marked = shouldBeMarked;
    repaint();
}

void OxCtrlPickerWidget::flash()
{
    flashLevel = 1.0f;
    startTimerHz (flashFramesPerSecond);
    repaint();
}

void OxCtrlPickerWidget::timerCallback()
{
    flashLevel = juce::jmax (0.0f, flashLevel - 1000.0f / (float) (flashMs * flashFramesPerSecond));
    if (flashLevel <= 0.0f)
        stopTimer();
    repaint();
}

void OxCtrlPickerWidget::paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const auto& look = looks[getToggleState() ? 1 : 0][(int) interactionFor (shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown)];

    g.setColour (juce::Colour (shape == Shape::rectangle ? look.rectangleArgb : look.ellipseArgb));

    switch (look.area)
    {
        case Area::nothing: break;
        case Area::wholeWidget: g.fillAll(); break;
        case Area::selection: fillSelectionArea (g); break;
    }

    if (look.cornerMarks)
        drawCornerMarks (g);

    if (flashLevel > 0.0f)
    {
        g.setColour (juce::Colours::white.withAlpha (flashAlpha * flashLevel));
        fillSelectionArea (g);
    }

    if (marked)
        drawChangeMark (g);
}

void OxCtrlPickerWidget::drawChangeMark (juce::Graphics& g) const
{
    const auto centre = juce::Point<float> ((float) getWidth() - changeMarkRadius - 1.5f, changeMarkRadius + 1.5f);
    const auto dot = juce::Rectangle<float> (2.0f * changeMarkRadius, 2.0f * changeMarkRadius).withCentre (centre);
    g.setColour (changeMarkColour);
    g.fillEllipse (dot);
    g.setColour (changeMarkRimColour);
    g.drawEllipse (dot, 1.0f);
}

void OxCtrlPickerWidget::fillSelectionArea (juce::Graphics& g) const
{
    if (shape == Shape::ellipse)
        g.fillEllipse (getLocalBounds().toFloat());
    else
        g.fillAll();
}

void OxCtrlPickerWidget::drawCornerMarks (juce::Graphics& g) const
{
    // A light triangle (or, on a knob, the sliver between curve and chord)
    // under a dark line whose outer half the widget's clip cuts off.
    for (const auto& mark : cornerMarks)
    {
        g.setColour (cornerFillColour);
        g.fillPath (mark.area);
        g.setColour (cornerStrokeColour);
        g.strokePath (mark.line, cornerStroke);
    }
}
