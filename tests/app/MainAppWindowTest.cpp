#include "app/AppClass.h"
#include "link/VirtualMidiPorts.h"
#include "support/MessageLoop.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace
{
// Stands in for the running application, to see what the window asks of it.
class QuitRecorder : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "test"; }
    const juce::String getApplicationVersion() override { return "0"; }
    void initialise (const juce::String&) override {}
    void shutdown() override {}
    void systemRequestedQuit() override { ++quitRequests; }

    int quitRequests = 0;
};
} // namespace

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
            GTEST_SKIP() << "needs a display";

        auto content = std::make_unique<MainComponent> (KbdSettingComponentVorlo::Services { ports, dialogs, clock });
        window = std::make_unique<MainAppWindow> (std::move (content));
    }

    void TearDown() override
    {
        window.reset();
        OrvaneManager49::setMidiInputsAllowed (false);
    }

    VirtualMidiPorts ports;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<MainAppWindow> window;
};

TEST_F (MainWindow, IsAFixedSizeWindowThatOnlyMinimisesAndCloses)
{
    window->centreWithSize (816, 545);

    EXPECT_EQ (window->getName(), "Velmora Vorlo MIDI Control Center");
    EXPECT_FALSE (window->isResizable());
    EXPECT_TRUE (window->isUsingNativeTitleBar());
    EXPECT_EQ (window->getBackgroundColour(), juce::Colours::azure);

    const int flags = window->getDesktopWindowStyleFlags();
    EXPECT_NE (flags & juce::ComponentPeer::windowHasMinimiseButton, 0);
    EXPECT_NE (flags & juce::ComponentPeer::windowHasCloseButton, 0);
    EXPECT_EQ (flags & juce::ComponentPeer::windowHasMaximiseButton, 0);
    EXPECT_EQ (flags & juce::ComponentPeer::windowIsResizable, 0);

    auto& panel = window->getMainComponent().getSettingsPanel();
    EXPECT_EQ (panel.getWidth(), 816);
    EXPECT_EQ (panel.getHeight(), 545);
    EXPECT_TRUE (panel.isVisible());
}

// The first frame comes before anything the search does: here, that there
// is no keyboard on these ports at all.
TEST_F (MainWindow, TheSearchForTheKeyboardStartsOnceTheWindowHasPainted)
{
    flushMessageLoop();
    EXPECT_EQ (dialogs.countTitled ("Keyboard Problem"), 0) << "nothing searched before the window is on screen";

    window->centreWithSize (816, 545);
    window->setVisible (true);
    EXPECT_TRUE (runMessageLoopUntil ([this] { return dialogs.countTitled ("Keyboard Problem") == 1; }));
}

TEST_F (MainWindow, ClosingAsksTheApplicationToQuitWithoutAQuestion)
{
    QuitRecorder application;
    window->setVisible (true);
    ASSERT_TRUE (runMessageLoopUntil ([this] { return dialogs.countTitled ("Keyboard Problem") == 1; }));

    window->closeButtonPressed();
    flushMessageLoop();

    EXPECT_EQ (application.quitRequests, 1);
    EXPECT_EQ (dialogs.countTitled ("Keyboard Problem"), 1) << "the only box: no keyboard on these ports";
    EXPECT_EQ (dialogs.getShown().size(), 1u);
}

TEST (Application, NamesItselfAndAllowsMoreThanOneInstance)
{
    AppClass application;
    EXPECT_EQ (application.getApplicationName(), "Orvane Rover MIDI Control Center");
    EXPECT_EQ (application.getApplicationVersion(), "1.0");
    EXPECT_TRUE (application.moreThanOneInstanceAllowed());
}

TEST_F (MainWindow, UndoKeysThatReachTheWindowGoToThePanel)
{
    auto& panel = window->getMainComponent().getSettingsPanel();
    auto& curveBox = *panel.getWidgets().velCurveCombo;
    curveBox.setSelectedItemIndex (2, juce::sendNotificationSync);
    ASSERT_TRUE (panel.getManager().getCache().hasUnkeptEdits());

    // Nothing inside the window has the focus: the window itself gets the key.
    EXPECT_TRUE (window->keyPressed (juce::KeyPress ('z', juce::ModifierKeys::commandModifier, 0)));
    EXPECT_FALSE (panel.getManager().getCache().hasUnkeptEdits());
    EXPECT_TRUE (window->keyPressed (juce::KeyPress ('y', juce::ModifierKeys::commandModifier, 0)));
    EXPECT_EQ (curveBox.getSelectedItemIndex(), 2);
}
