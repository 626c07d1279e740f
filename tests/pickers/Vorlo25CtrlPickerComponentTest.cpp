#include "pickers/Vorlo25CtrlPickerComponent.h"
#include "pickers/PickerTesting.h"
#include "support/MessageLoop.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace
{
class PickerClicks : public ::testing::Test
{
protected:
    void SetUp() override { picker.addActionListener (&recorder); }

    juce::Button& widget (const juce::String& tooltip) { return findWidget (picker, tooltip); }
    juce::Button& shift() { return widget ("Activate Pad Shift Mode (1-8 / 9-16)"); }

    // Clicks the widget, then runs the message loop until the click and the
    // announcements it causes have been delivered.
    void click (const juce::String& tooltip, size_t expectedAnnouncements)
    {
        widget (tooltip).triggerClick();
        ASSERT_TRUE (runMessageLoopUntil ([&] { return recorder.announced.size() == expectedAnnouncements; }))
            << "after clicking " << tooltip << ", announced " << ::testing::PrintToString (recorder.announced);
    }

    void clickShiftAndWait()
    {
        const auto wasShifted = shift().getToggleState();
        shift().triggerClick();
        ASSERT_TRUE (runMessageLoopUntil ([&] { return shift().getToggleState() != wasShifted; }));
    }

    AnnouncementRecorder recorder;
    Vorlo25CtrlPickerComponent picker;
};
} // namespace

TEST_F (PickerClicks, ShiftChoosesWhichPadIsAnnouncedAndReannouncesTheSelection)
{
    click ("Pad #1 Setting", 1);
    click ("Activate Pad Shift Mode (1-8 / 9-16)", 2);
    EXPECT_TRUE (widget ("Pad #1 Setting").getToggleState());
    click ("Pad #3 Setting", 3);
    click ("Activate Pad Shift Mode (1-8 / 9-16)", 4);

    EXPECT_THAT (recorder.announced, ElementsAre ("0x70", "0x78", "0x7A", "0x72"));
    EXPECT_TRUE (widget ("Pad #3 Setting").getToggleState());
}

TEST_F (PickerClicks, ShiftWithNothingSelectedAnnouncesNothing)
{
    clickShiftAndWait();
    runMessageLoopFor (100);

    EXPECT_TRUE (shift().getToggleState());
    EXPECT_TRUE (recorder.announced.empty());
}

TEST_F (PickerClicks, SingleIdentifiersAreTheSameUnderShift)
{
    clickShiftAndWait();
    click ("Knob #1 - Volume", 1);
    click ("Activate Pad Shift Mode (1-8 / 9-16)", 2);
    click ("Sustain Pedal Setting", 3);

    EXPECT_THAT (recorder.announced, ElementsAre ("0x30", "0x30", "0x50"));
}

TEST_F (PickerClicks, SelectionMovesWithinTheGroupAndNeverTouchesShift)
{
    clickShiftAndWait();
    click ("Pad #1 Setting", 1);
    click ("Knob #5 - LFO Amt", 2);

    EXPECT_FALSE (widget ("Pad #1 Setting").getToggleState());
    EXPECT_TRUE (widget ("Knob #5 - LFO Amt").getToggleState());
    EXPECT_TRUE (shift().getToggleState());

    click ("Knob #5 - LFO Amt", 3); // clicking the selected control again re-announces it
    EXPECT_TRUE (widget ("Knob #5 - LFO Amt").getToggleState());

    click ("Activate Pad Shift Mode (1-8 / 9-16)", 4);
    EXPECT_FALSE (shift().getToggleState());
    EXPECT_TRUE (widget ("Knob #5 - LFO Amt").getToggleState());

    int selected = 0;
    for (auto* child : picker.getChildren())
        selected += static_cast<juce::Button*> (child)->getToggleState() ? 1 : 0;
    EXPECT_EQ (selected, 1);
}

TEST (Vorlo25Picker, ListsTheControlsThatKeepAnAssignment)
{
    Vorlo25CtrlPickerComponent picker;
    const auto ids = picker.getCtrlIds();

    std::vector<int> expected;
    for (int id = 0x01; id <= 0x0E; ++id)
        expected.push_back (id);
    for (int id : { 0x30, 0x33, 0x40, 0x41, 0x50 })
        expected.push_back (id);
    for (int id = 0x70; id <= 0x7F; ++id)
        expected.push_back (id);

    EXPECT_EQ (std::vector<int> (ids.begin(), ids.end()), expected);
}

namespace
{
// The blank casing between the first two knobs of the top row.
const juce::Rectangle<int> blankCasing { 249, 25, 24, 24 };

// The share of the area's pixels that clearly differ from the blank casing.
float shareUnlikeCasing (const juce::Image& picture, juce::Rectangle<int> area)
{
    return shareUnlike (picture, area, { picture.getPixelAt (blankCasing.getCentreX(), blankCasing.getCentreY()) });
}
} // namespace

TEST_F (PickerClicks, TheNineToSixteenLightGlowsWhileShiftIsOn)
{
    // The light sits left of the Shift widget, outside every widget.
    const auto lightRed = [this]
    {
        const auto snapshot = picker.createComponentSnapshot (picker.getLocalBounds());
        return snapshot.getPixelAt (138, 120).getRed();
    };

    const auto unlit = lightRed();
    clickShiftAndWait();
    EXPECT_GT (lightRed(), unlit + 100) << "lit while Shift is on";
    clickShiftAndWait();
    EXPECT_EQ (lightRed(), unlit);
}

TEST (Vorlo25Picture, DecodesAtItsFullSize)
{
    const auto picture = Vorlo25CtrlPickerComponent::loadPicture();
    ASSERT_TRUE (picture.isValid());
    EXPECT_EQ (picture.getWidth(), 800);
    EXPECT_EQ (picture.getHeight(), 378);
}

TEST (Vorlo25Picture, EveryWidgetLiesOverAControl)
{
    const auto picture = Vorlo25CtrlPickerComponent::loadPicture();
    Vorlo25CtrlPickerComponent picker;
    ASSERT_EQ (picker.getNumChildComponents(), 30);

    // The measure itself sees blank casing as blank.
    ASSERT_LT (shareUnlikeCasing (picture, blankCasing), 0.05f);
    ASSERT_LT (shareUnlikeCasing (picture, { 15, 220, 60, 100 }), 0.05f) << "left of the strips";

    // The middle half of each widget lies on its control, whatever the
    // control's shape; a widget off its control shows casing there.
    for (auto* widget : picker.getChildren())
    {
        const auto bounds = widget->getBounds();
        const auto middle = bounds.withSizeKeepingCentre (bounds.getWidth() / 2, bounds.getHeight() / 2);
        EXPECT_GT (shareUnlikeCasing (picture, middle), 0.8f)
            << static_cast<juce::Button*> (widget)->getTooltip() << " at " << bounds.toString();
    }
}

TEST (Vorlo25Picture, IdleWidgetsShowThePictureUntouched)
{
    Vorlo25CtrlPickerComponent picker;
    const auto picture = Vorlo25CtrlPickerComponent::loadPicture();
    const auto shown = picker.createComponentSnapshot (picker.getLocalBounds());

    int differing = 0;
    for (int y = 0; y < picture.getHeight(); ++y)
        for (int x = 0; x < picture.getWidth(); ++x)
            if (shown.getPixelAt (x, y).getPixelARGB().getNativeARGB() != picture.getPixelAt (x, y).getPixelARGB().getNativeARGB())
                ++differing;

    EXPECT_EQ (differing, 0);
}
