#include "calibration/PadCalibComponent.h"
#include "pickers/QLookAndFeel.h"
#include "support/PadCalibrationRig.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

class PadCalibPage : public PadCalibrationRig
{
protected:
    // Builds the page, which reads the gains, and lets the sliders report back.
    std::unique_ptr<PadCalibComponent> openPage()
    {
        auto page = std::make_unique<PadCalibComponent> (manager.get(), dialogs);
        flushMessageLoop();
        return page;
    }

    static juce::String shownText (juce::Slider& slider) { return slider.getTextFromValue (slider.getValue()); }
};

TEST_F (PadCalibPage, OpeningReadsTheKeyboardsGainsIntoTheSliders)
{
    const std::array<int, 8> onKeyboard { 100, 64, 1, 127, 90, 64, 33, 50 };
    setGains (onKeyboard);
    connect (Clock::system());

    const auto page = openPage();

    for (int pad = 0; pad < 8; ++pad)
    {
        EXPECT_EQ (page->getSlider (pad).getValue(), onKeyboard[(size_t) pad]) << "pad " << pad + 1;
        EXPECT_EQ (page->getGain (pad), onKeyboard[(size_t) pad]) << "pad " << pad + 1;
    }
    EXPECT_EQ (shownText (page->getSlider (0)), "100/64");
    EXPECT_EQ (page->getPadLabel (7).getText(), "Pad #8");
    EXPECT_FALSE (page->getUnreadNotice().isVisible());
    EXPECT_TRUE (dialogs.getShown().empty());

    // Eight requests, pad by pad, and nothing written.
    std::vector<juce::MidiMessage> requests;
    for (int pad = 0; pad < 8; ++pad)
        requests.push_back (OrvaneMidiMessage49::createRequest (0x34, 0x70 + pad, 0x40));
    EXPECT_EQ (bytesOfAll (sentToKeyboardAfter (0)), bytesOfAll (requests));
}

TEST_F (PadCalibPage, ASilentKeyboardGivesEveryPadSixtyFourAndTheNoticeSaysTheGainsWereNotRead)
{
    connect();
    keyboard.setSilent (true);
    const auto start = clock.getMillisecondCounterHiRes();

    const auto page = openPage();

    // The first pad asked three times, a second each, on the driven clock;
    // the others are not waited on.
    EXPECT_NEAR (clock.getMillisecondCounterHiRes() - start, (1 + OrvaneManager49::queryResends) * OrvaneManager49::queryTimeoutMs,
                 100.0);
    for (int pad = 0; pad < 8; ++pad)
        EXPECT_EQ (shownText (page->getSlider (pad)), "64/64") << "pad " << pad + 1;
    EXPECT_TRUE (page->getUnreadNotice().isVisible());
    EXPECT_EQ (page->getUnreadNotice().getText(),
               "The keyboard gave none of the pad gains: every pad shows the default, 64/64."
               " Apply and OK leave their gains on the keyboard as they are, unless you move their sliders.");
    EXPECT_TRUE (dialogs.getShown().empty());
}

TEST_F (PadCalibPage, ApplySendsEightGainsThenOneStoreAndTheKeyboardKeepsWhatTheSlidersShow)
{
    connect (Clock::system());
    const auto page = openPage();
    const auto before = sentToKeyboard().size();

    page->getSlider (2).setValue (101, juce::sendNotificationSync);
    page->getSlider (7).setValue (12, juce::sendNotificationSync);
    page->getApplyButton().triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());

    const std::array<int, 8> shown { 80, 64, 101, 64, 64, 64, 64, 12 };
    EXPECT_EQ (bytesOfAll (sentToKeyboardAfter (before)), bytesOfAll (applyMessages (shown)));
    EXPECT_EQ (storedGains(), shown);
    EXPECT_TRUE (dialogs.getShown().empty());
}

TEST_F (PadCalibPage, AReportedGainOfZeroStaysUntilItsSliderMoves)
{
    setGains ({ 0, 64, 64, 64, 64, 64, 64, 64 });
    connect (Clock::system());
    const auto page = openPage();

    // The slider cannot show 0, but the gain is the keyboard's.
    EXPECT_EQ (page->getSlider (0).getValue(), 1.0);
    EXPECT_EQ (page->getGain (0), 0);

    const auto before = sentToKeyboard().size();
    page->getApplyButton().triggerClick();
    flushMessageLoop();
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_TRUE (sameBytes (sentToKeyboardAfter (before).front(), OrvaneMidiMessage49::createValue (0x34, 0x70, 0, 0x40)));

    page->getSlider (0).setValue (5, juce::sendNotificationSync);
    EXPECT_EQ (page->getGain (0), 5);
}

TEST_F (PadCalibPage, AStrayNoteWhileReadingDoesNotTurnThatPadsGainIntoSixtyFour)
{
    connect (Clock::system());
    keyboard.setReplyLatencyMs (40.0);

    // A pad struck and a knob turned while the page waits for pad 1's gain.
    ports.sendToInput (keyboard.getEditorInput(), juce::MidiMessage::noteOn (10, 36, (juce::uint8) 90), 5.0);
    ports.sendToInput (keyboard.getEditorInput(), juce::MidiMessage::controllerEvent (1, 7, 3), 10.0);

    const auto page = openPage();

    EXPECT_EQ (page->getGain (0), 80);
    EXPECT_EQ (page->getGain (7), 50);
    EXPECT_FALSE (page->getUnreadNotice().isVisible());
}

TEST_F (PadCalibPage, DefaultPutsSixtyFourEverywhereAndSendsNothing)
{
    connect (Clock::system());
    const auto page = openPage();
    const auto before = sentToKeyboard().size();

    page->getDefaultButton().triggerClick();
    flushMessageLoop();

    for (int pad = 0; pad < 8; ++pad)
        EXPECT_EQ (page->getGain (pad), 64) << "pad " << pad + 1;
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (sentToKeyboard().size(), before);
}

TEST_F (PadCalibPage, UnreadPadsKeepTheirGainsOnTheKeyboardUntilTheUserMovesThemOrPressesDefault)
{
    setGains ({ 80, 64, 64, 64, 64, 64, 64, 50 });
    connect();
    keyboard.setSilent (true);
    const auto page = openPage();
    keyboard.setSilent (false);

    page->getSlider (2).setValue (90, juce::sendNotificationSync);
    EXPECT_THAT (page->getUnreadNotice().getText().toStdString(), HasSubstr ("pads 1, 2, 4, 5, 6, 7 and 8"));
    ASSERT_TRUE (page->applyGains());
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (storedGains(), (std::array<int, 8> { 80, 64, 90, 64, 64, 64, 64, 50 }));

    page->getDefaultButton().triggerClick();
    flushMessageLoop();
    EXPECT_FALSE (page->getUnreadNotice().isVisible());
    ASSERT_TRUE (page->applyGains());
    ASSERT_TRUE (ports.waitUntilIdle());
    EXPECT_EQ (storedGains(), (std::array<int, 8> { 64, 64, 64, 64, 64, 64, 64, 64 }));
}

TEST_F (PadCalibPage, TheLongestUnreadNoticeIsReadInFullInTheEditorsTypeface)
{
    QLookAndFeel lookAndFeel;
    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
    juce::Typeface::clearTypefaceCache();
    connect();
    keyboard.setSilent (true);
    {
        const auto page = openPage();
        page->getSlider (2).setValue (90, juce::sendNotificationSync); // seven pads left unread

        // Laid out as the label does, in its lines and at full width: any
        // text that does not fit would be cut short with an ellipsis.
        const auto& notice = page->getUnreadNotice();
        const auto area = notice.getBorderSize().subtractedFrom (notice.getLocalBounds());
        juce::GlyphArrangement laidOut;
        laidOut.addJustifiedText (notice.getFont(), notice.getText(), 0.0f, 0.0f, (float) area.getWidth(), juce::Justification::topLeft);
        EXPECT_LE (laidOut.getBoundingBox (0, -1, true).getHeight(), (float) area.getHeight()) << notice.getText();
    }
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
}

TEST_F (PadCalibPage, ApplyWithTheKeyboardUnpluggedSaysSoAndKeepsTheUsersGains)
{
    connect (Clock::system());
    const auto page = openPage();
    page->getSlider (3).setValue (99, juce::sendNotificationSync);
    keyboard.unplug();

    page->getApplyButton().triggerClick();
    flushMessageLoop();

    ASSERT_EQ (dialogs.getShown().size(), 1u);
    EXPECT_EQ (dialogs.getShown()[0].title, "Keyboard Problem");
    EXPECT_THAT (dialogs.getShown()[0].text.toStdString(), HasSubstr ("could not be sent to the keyboard, so they were not stored"));
    EXPECT_EQ (page->getGain (3), 99);
    EXPECT_EQ (page->getSlider (3).getValue(), 99.0);
}
