#include "ui/Dialogs.h"
#include "support/Display.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

namespace
{
juce::AlertWindow* topAlert() { return dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent()); }

juce::StringArray buttonTexts (const juce::AlertWindow& alert)
{
    juce::StringArray texts;
    for (auto* child : alert.getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child))
            texts.add (button->getButtonText());
    return texts;
}

int modalCount() { return juce::ModalComponentManager::getInstance()->getNumModalComponents(); }

// Leaves no box up for the tests that follow, whatever happened.
class SystemDialogs : public ::testing::Test
{
protected:
    void TearDown() override
    {
        Dialogs::closeOpenMessages();
        flushMessageLoop();
    }
};
} // namespace

// A message that ran its own modal loop kept the editor polling the display
// every millisecond while it was up, and a second one nested another loop.
TEST_F (SystemDialogs, MessagesReturnAtOnceAndStayModalUntilDismissedWithoutNestingALoop)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display";

    // Should a message wait for its dismissal after all, this ends the wait
    // instead of the test hanging, and the checks below fail.
    struct SafetyNet final : juce::Timer
    {
        SafetyNet() { startTimer (3000); }
        void timerCallback() override
        {
            stopTimer();
            fired = true;
            juce::ModalComponentManager::getInstance()->cancelAllModalComponents();
        }
        bool fired = false;
    } safetyNet;

    auto& dialogs = Dialogs::system();
    dialogs.showMessage (juce::MessageBoxIconType::InfoIcon, "Keyboard Problem", "first");
    dialogs.showMessage (juce::MessageBoxIconType::WarningIcon, "File Problem", "second");
    ASSERT_FALSE (safetyNet.fired);
    ASSERT_EQ (modalCount(), 2);

    for (const auto* title : { "File Problem", "Keyboard Problem" })
    {
        SCOPED_TRACE (title);
        auto* alert = topAlert();
        ASSERT_NE (alert, nullptr);
        EXPECT_EQ (alert->getName(), title);
        EXPECT_EQ (buttonTexts (*alert), juce::StringArray { "OK" });

        const int before = modalCount();
        alert->triggerButtonClick ("OK");
        EXPECT_TRUE (runMessageLoopUntil ([before] { return modalCount() == before - 1; }));
    }
    EXPECT_FALSE (safetyNet.fired);
}

// A box still up when the editor quits was left to JUCE, which deleted it
// after the timers its window uses were gone, and crashed.
TEST_F (SystemDialogs, MessagesStillUpAreClosedBeforeTheApplicationQuits)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display";

    Dialogs::system().showMessage (juce::MessageBoxIconType::InfoIcon, "Keyboard Problem", "first");
    Dialogs::system().showMessage (juce::MessageBoxIconType::InfoIcon, "File Problem", "second");
    ASSERT_EQ (modalCount(), 2);

    Dialogs::closeOpenMessages();
    EXPECT_EQ (modalCount(), 0);
    auto& desktop = juce::Desktop::getInstance();
    for (int i = 0; i < desktop.getNumComponents(); ++i)
        EXPECT_EQ (dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)), nullptr) << "a box is still on the screen";
}
