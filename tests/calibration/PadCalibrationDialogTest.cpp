#include "calibration/PadCalibrationDialog.h"
#include "support/Display.h"
#include "support/PadCalibrationRig.h"

#include <gmock/gmock.h>

// The dialog is a window of its own: these need a display.
class PadCalibrationWindow : public PadCalibrationRig
{
protected:
    void SetUp() override
    {
        PadCalibrationRig::SetUp();
        if (! hasDisplay())
            GTEST_SKIP() << "needs a display";
    }

    // Opens the dialog as the settings panel does, but without blocking: the
    // test plays the user while it is modal.
    std::unique_ptr<PadCalibrationDialog> openDialog()
    {
        auto dialog = std::make_unique<PadCalibrationDialog> (manager.get(), dialogs);
        dialog->enterModalState (true);
        flushMessageLoop();
        return dialog;
    }

    void click (juce::Button& button)
    {
        button.triggerClick();
        flushMessageLoop();
    }
};

TEST_F (PadCalibrationWindow, IsAFixedGreyWindowThatEscapeCloses)
{
    connect (Clock::system());
    const auto dialog = openDialog();

    EXPECT_EQ (dialog->getName(), "Pad Gain Calibration");
    EXPECT_EQ (dialog->getBackgroundColour(), juce::Colour (0xffd3d3d3));
    EXPECT_EQ (dialog->getWidth(), 600);
    EXPECT_EQ (dialog->getHeight(), 320);
    EXPECT_FALSE (dialog->isResizable());
    EXPECT_TRUE (dialog->isCurrentlyModal());

    static_cast<juce::Component&> (*dialog).keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    flushMessageLoop();
    EXPECT_FALSE (dialog->isVisible());
    EXPECT_FALSE (dialog->isCurrentlyModal());
}

TEST_F (PadCalibrationWindow, ListensOnTheInputsOnlyWhileOpen)
{
    connect (Clock::system());
    manager->closeInputs(); // as after detection
    ASSERT_EQ (ports.getNumOpenInputs(), 0);

    auto dialog = openDialog();
    EXPECT_EQ (dialog->getCalibComponent().getGain (0), 80);
    EXPECT_GT (ports.getNumOpenInputs(), 0);

    dialog.reset();
    EXPECT_EQ (ports.getNumOpenInputs(), 0);
}

TEST_F (PadCalibrationWindow, DefaultThenCloseSendsNothingAndTheKeyboardKeepsItsGains)
{
    connect (Clock::system());
    auto dialog = openDialog();
    const auto before = sentToKeyboard().size();

    click (dialog->getCalibComponent().getDefaultButton());
    dialog->closeButtonPressed();
    flushMessageLoop();
    EXPECT_FALSE (dialog->isCurrentlyModal());
    dialog.reset();

    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (sentToKeyboard().size(), before);
    EXPECT_EQ (storedGains(), (std::array<int, 8> { 80, 64, 64, 64, 64, 64, 64, 50 }));
}

TEST_F (PadCalibrationWindow, OkStoresTheGainsAndCloses)
{
    connect (Clock::system());
    const auto dialog = openDialog();
    auto& page = dialog->getCalibComponent();
    page.getSlider (4).setValue (77, juce::sendNotificationSync);

    click (page.getOkButton());

    EXPECT_FALSE (dialog->isCurrentlyModal());
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (storedGains(), (std::array<int, 8> { 80, 64, 64, 64, 77, 64, 64, 50 }));
    EXPECT_TRUE (dialogs.getShown().empty());
}

TEST_F (PadCalibrationWindow, OkWithoutAKeyboardSaysSoAndKeepsTheDialogOpen)
{
    createManager(); // nothing detected
    const auto dialog = openDialog();

    click (dialog->getCalibComponent().getOkButton());

    ASSERT_EQ (dialogs.getShown().size(), 1u);
    EXPECT_EQ (dialogs.getShown()[0].title, "Keyboard Problem");
    EXPECT_EQ (dialogs.getShown()[0].text, "The keyboard has not been detected, so pad calibration can't be set.");
    EXPECT_TRUE (dialog->isCurrentlyModal());
}

TEST_F (PadCalibrationWindow, OkWithTheKeyboardUnpluggedSinceOpeningKeepsTheDialogAndTheUsersGains)
{
    connect (Clock::system());
    const auto dialog = openDialog();
    auto& page = dialog->getCalibComponent();
    page.getSlider (0).setValue (120, juce::sendNotificationSync);
    keyboard.unplug();

    click (page.getOkButton());

    ASSERT_EQ (dialogs.getShown().size(), 1u);
    EXPECT_EQ (dialogs.getShown()[0].title, "Keyboard Problem");
    EXPECT_TRUE (dialog->isCurrentlyModal());
    EXPECT_EQ (page.getGain (0), 120);
    EXPECT_EQ (page.getSlider (0).getValue(), 120.0);
}
