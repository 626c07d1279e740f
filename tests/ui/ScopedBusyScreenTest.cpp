#include "ui/ScopedBusyScreen.h"
#include "support/Display.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

namespace
{
class CountingWindow : public juce::Component
{
public:
    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colours::azure);
        ++paints;
    }

    int paints = 0;
};
} // namespace

TEST (ScopedBusyScreen, WindowsWaitingToBeRedrawnAreDrawnBeforeTheThreadBlocks)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display";

    CountingWindow window;
    window.setBounds (10, 10, 200, 100);
    window.addToDesktop (0);
    window.setVisible (true);
    ASSERT_TRUE (runMessageLoopUntil ([&] { return window.paints > 0; }));
    runMessageLoopFor (100); // paints already on their way have landed

    window.repaint();
    const int before = window.paints;
    {
        const ScopedBusyScreen busy;
        // Nothing here runs the message loop, as with a blocking query.
        EXPECT_GT (window.paints, before);
    }
}
