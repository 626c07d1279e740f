#include "ui/TooltipsOnDemand.h"
#include "support/Display.h"
#include "support/MessageLoop.h"
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

namespace
{
// A window of two halves with a tooltip each, on the display.
class TwoHalves : public juce::Component
{
public:
    TwoHalves()
    {
        left.setTooltip ("left half");
        right.setTooltip ("right half");
        addAndMakeVisible (left);
        addAndMakeVisible (right);
        left.setBounds (0, 0, 100, 100);
        right.setBounds (100, 0, 100, 100);
        setBounds (100, 100, 200, 100);
        addToDesktop (0);
        setVisible (true);
    }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::azure); }

    juce::TextButton left, right;
};

// The pointer moved over the window, at a point in it, as the display
// reports it; a point outside is the pointer leaving it.
void movePointer (juce::Component& window, int x, int y)
{
    window.getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, { (float) x, (float) y }, {},
                                        juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                        juce::Time::currentTimeMillis());
}
} // namespace

// The tooltip window polls the display for as long as it exists, so it
// exists only while the pointer is over a watched window, where the tips show.
TEST (TooltipsOnDemand, TheTooltipWindowExistsOnlyWhileThePointerIsOverAWatchedWindow)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display";

    TwoHalves window;
    TooltipsOnDemand tooltips;
    tooltips.watch (window);
    runMessageLoopFor (200);
    EXPECT_FALSE (tooltips.isTooltipWindowPresent());

    movePointer (window, 50, 50);
    EXPECT_TRUE (runMessageLoopUntil ([&] { return tooltips.isTooltipWindowPresent(); }));

    // From one half to the other is no leaving.
    movePointer (window, 150, 50);
    runMessageLoopFor (200);
    EXPECT_TRUE (tooltips.isTooltipWindowPresent());

    movePointer (window, -100, -100);
    EXPECT_TRUE (runMessageLoopUntil ([&] { return ! tooltips.isTooltipWindowPresent(); }));

    tooltips.unwatch (window);
}

// JUCE tells a window blocked by a modal box nothing of the pointer leaving
// it, so the tooltip window lived, polling, for as long as a message was up.
TEST (TooltipsOnDemand, AMessageShownOverAWatchedWindowDropsTheTooltipWindowThatWouldOutliveThePointer)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display";

    TwoHalves window;
    juce::SharedResourcePointer<TooltipsOnDemand> tooltips;
    tooltips->watch (window);
    movePointer (window, 50, 50);
    ASSERT_TRUE (runMessageLoopUntil ([&] { return tooltips->isTooltipWindowPresent(); }));

    Dialogs::system().showMessage (juce::MessageBoxIconType::InfoIcon, "Keyboard Problem", "over the window");
    EXPECT_FALSE (tooltips->isTooltipWindowPresent());

    Dialogs::closeOpenMessages();
    tooltips->unwatch (window);
}
