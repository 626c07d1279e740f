#include "calibration/PadCalibrationDialog.h"
#include "support/PanelRig.h"

class PanelPads : public PanelRig
{
protected:
    SimulatedKeyboard keyboard { ports };
};

TEST_F (PanelPads, PadsWithoutAKeyboardSaysSoAndOpensNothing)
{
    keyboard.unplug();
    ports.addOutput ("Synth");
    createPanel();
    tick();
    tick();
    flushMessageLoop();
    const auto shownBefore = dialogs.getShown().size();

    widgets().padsButton->triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.getShown().size(), shownBefore + 1);
    EXPECT_EQ (dialogs.getShown().back().title, "Keyboard Problem");
    EXPECT_EQ (dialogs.getShown().back().text, "The keyboard has not been detected yet, so it can't be set.");
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
}

TEST_F (PanelPads, PadsRunsTheCalibrationDialogModallyWithTheKeyboardsGains)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        GTEST_SKIP() << "needs a display";

    // The keyboard answers in real time, so the panel waits on the real clock.
    panel = std::make_unique<KbdSettingComponentVorlo> (KbdSettingComponentVorlo::Services { ports, dialogs, Clock::system() });
    ASSERT_TRUE (runMessageLoopUntil ([this] { return readBackFinished (keyboard); }));
    keyboard.change ([] (KeyboardModel& k) { k.padGains[0] = 100; });

    juce::String shownTitle;
    int shownGain = -1;
    juce::Timer::callAfterDelay (50,
                                 [&]
                                 {
                                     if (auto* dialog = dynamic_cast<PadCalibrationDialog*> (juce::Component::getCurrentlyModalComponent()))
                                     {
                                         shownTitle = dialog->getName();
                                         shownGain = dialog->getCalibComponent().getGain (0);
                                         dialog->closeButtonPressed();
                                     }
                                 });

    widgets().padsButton->triggerClick();
    flushMessageLoop();

    EXPECT_EQ (shownTitle, "Pad Gain Calibration");
    EXPECT_EQ (shownGain, 100);
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
    EXPECT_TRUE (dialogs.getShown().empty());
}
