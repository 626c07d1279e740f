#include "pickers/OxCtrlPickerButton.h"
#include "pickers/OxCtrlPickerKnob.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

namespace
{
// Lets a test paint a widget as hovered or pressed without a mouse.
template <typename Widget>
struct Paintable : Widget
{
    using Widget::paintButton;
};

// Stands in for the keyboard picture under a widget.
const juce::Colour picture { 0xff336699 };

const juce::Colour hoverVeil { 0x20FFFFFF };
const juce::Colour pressVeil { 0x40FFFFFF };

enum class Mouse
{
    away,
    over,
    down
};

template <typename Widget>
juce::Image paintOverPicture (Paintable<Widget>& widget, Mouse mouse)
{
    juce::Image image (juce::Image::ARGB, widget.getWidth(), widget.getHeight(), true);
    juce::Graphics g (image);
    g.fillAll (picture);
    widget.paintButton (g, mouse != Mouse::away, mouse == Mouse::down);
    return image;
}

juce::Colour over (juce::Colour veil)
{
    return picture.overlaidWith (veil);
}

// Colours drawn through the renderer may differ from the exact blend by one step.
::testing::AssertionResult closeTo (juce::Colour actual, juce::Colour expected)
{
    const auto near = [] (juce::uint8 a, juce::uint8 b) { return std::abs ((int) a - (int) b) <= 1; };
    if (near (actual.getRed(), expected.getRed()) && near (actual.getGreen(), expected.getGreen())
        && near (actual.getBlue(), expected.getBlue()) && near (actual.getAlpha(), expected.getAlpha()))
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << actual.toDisplayString (true) << " instead of " << expected.toDisplayString (true);
}

::testing::AssertionResult isEverywhere (const juce::Image& image, juce::Colour expected)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (! closeTo (image.getPixelAt (x, y), expected))
                return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is " << image.getPixelAt (x, y).toDisplayString (true)
                                                     << ", not " << expected.toDisplayString (true);

    return ::testing::AssertionSuccess();
}

bool isDark (juce::Colour c)
{
    return c.getBrightness() < 0.15f;
}
} // namespace

TEST (PickerWidgetLooks, IdleAndUnselectedLeavesThePictureUntouched)
{
    Paintable<OxCtrlPickerButton> button;
    Paintable<OxCtrlPickerKnob> knob;
    knob.setSize (32, 32);

    EXPECT_TRUE (isEverywhere (paintOverPicture (button, Mouse::away), picture));
    EXPECT_TRUE (isEverywhere (paintOverPicture (knob, Mouse::away), picture));
}

TEST (PickerWidgetLooks, HoverVeilsTheButtonAndMarksItsCorners)
{
    Paintable<OxCtrlPickerButton> button; // 60 x 40: legs of 18 and 12 pixels
    const auto image = paintOverPicture (button, Mouse::over);

    EXPECT_TRUE (closeTo (image.getPixelAt (30, 20), over (hoverVeil)));

    // The inner half of each dark leg, and the light triangle inside it.
    for (const auto& legPixel : { juce::Point<int> (0, 6), juce::Point<int> (9, 39), juce::Point<int> (50, 0), juce::Point<int> (59, 33) })
        EXPECT_TRUE (isDark (image.getPixelAt (legPixel.x, legPixel.y))) << legPixel.toString();

    EXPECT_TRUE (closeTo (image.getPixelAt (4, 4), over (hoverVeil).overlaidWith (juce::Colour (0x40FFFFFF))));
    EXPECT_TRUE (closeTo (image.getPixelAt (20, 0), over (hoverVeil))) << "leg longer than 0.3 of the width";
}

TEST (PickerWidgetLooks, HoverVeilsTheKnobsWholeRectangleWithCurvedMarks)
{
    Paintable<OxCtrlPickerKnob> knob;
    knob.setSize (32, 32);
    const auto image = paintOverPicture (knob, Mouse::over);

    EXPECT_TRUE (closeTo (image.getPixelAt (16, 16), over (hoverVeil)));
    // Outside the ellipse and outside the curve that cuts the corner off.
    EXPECT_TRUE (closeTo (image.getPixelAt (1, 1), over (hoverVeil)));
    EXPECT_TRUE (isDark (image.getPixelAt (4, 4))) << "the curve passes through (4, 4)";
}

TEST (PickerWidgetLooks, PressedReplacesHoverAndDrawsNoCornerMarks)
{
    Paintable<OxCtrlPickerButton> button;
    Paintable<OxCtrlPickerKnob> knob;
    knob.setSize (32, 32);

    EXPECT_TRUE (isEverywhere (paintOverPicture (button, Mouse::down), over (pressVeil)));
    EXPECT_TRUE (isEverywhere (paintOverPicture (knob, Mouse::down), over (pressVeil)));

    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_TRUE (isEverywhere (paintOverPicture (button, Mouse::down), over (juce::Colour (0x40FF8080))));
}

TEST (PickerWidgetLooks, SelectedButtonIsTintedAllOver)
{
    Paintable<OxCtrlPickerButton> button;
    button.setToggleState (true, juce::dontSendNotification);

    EXPECT_TRUE (isEverywhere (paintOverPicture (button, Mouse::away), over (juce::Colour (0x60FF8080))));

    const auto hovered = paintOverPicture (button, Mouse::over);
    EXPECT_TRUE (closeTo (hovered.getPixelAt (30, 20), over (juce::Colour (0x40FF8080))));
    EXPECT_TRUE (isDark (hovered.getPixelAt (0, 6)));
}

TEST (PickerWidgetLooks, SelectedKnobLooksStayInsideTheEllipse)
{
    Paintable<OxCtrlPickerKnob> knob;
    knob.setSize (32, 32);
    knob.setToggleState (true, juce::dontSendNotification);

    const std::pair<Mouse, juce::Colour> looks[] = {
        { Mouse::away, juce::Colour (0x80FF8080) },
        { Mouse::over, juce::Colour (0x40FF8080) },
        { Mouse::down, juce::Colour (0x40FF8080) },
    };

    for (const auto& [mouse, tint] : looks)
    {
        const auto image = paintOverPicture (knob, mouse);
        EXPECT_TRUE (closeTo (image.getPixelAt (16, 16), over (tint))) << (int) mouse;

        for (const auto& corner :
             { juce::Point<int> (1, 1), juce::Point<int> (30, 1), juce::Point<int> (1, 30), juce::Point<int> (30, 30) })
            EXPECT_TRUE (closeTo (image.getPixelAt (corner.x, corner.y), picture)) << (int) mouse << " at " << corner.toString();
    }
}

TEST (PickerWidgetGeometry, CornerMarksFollowTheSize)
{
    OxCtrlPickerKnob knob;
    knob.setSize (32, 32);

    const auto& curves = knob.getCornerMarks();
    EXPECT_EQ (curves[0].line.toString(), "m 10 0 q 3 3 0 10");
    EXPECT_EQ (curves[1].line.toString(), "m 0 22 q 3 29 10 32");
    EXPECT_EQ (curves[2].line.toString(), "m 22 0 q 29 3 32 10");
    EXPECT_EQ (curves[3].line.toString(), "m 32 22 q 29 29 22 32");
    EXPECT_EQ (curves[3].area.toString(), "m 32 22 q 29 29 22 32 z");

    OxCtrlPickerButton button;
    button.setSize (25, 25);
    button.setSize (48, 38);

    const auto& legs = button.getCornerMarks();
    EXPECT_EQ (legs[0].line.toString(), "m 14 0 l 0 0 0 11");
    EXPECT_EQ (legs[1].line.toString(), "m 0 27 l 0 38 14 38");
    EXPECT_EQ (legs[2].line.toString(), "m 34 0 l 48 0 48 11");
    EXPECT_EQ (legs[3].line.toString(), "m 48 27 l 48 38 34 38");
}

TEST (PickerWidgetClicks, AClickReachesListenersButLeavesTheToggleStateAlone)
{
    struct ClickCounter : juce::Button::Listener
    {
        void buttonClicked (juce::Button*) override { ++clicks; }
        int clicks = 0;
    } counter;

    OxCtrlPickerKnob knob;
    knob.addListener (&counter);

    knob.triggerClick();
    ASSERT_TRUE (runMessageLoopUntil ([&] { return counter.clicks == 1; }));
    EXPECT_FALSE (knob.getToggleState());

    knob.setToggleState (true, juce::dontSendNotification);
    knob.triggerClick();
    ASSERT_TRUE (runMessageLoopUntil ([&] { return counter.clicks == 2; }));
    EXPECT_TRUE (knob.getToggleState());

    knob.removeListener (&counter);
}
