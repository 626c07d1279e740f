#include "pickers/OV49CtrlPickerComponent.h"
#include "pickers/PickerTesting.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

namespace
{
// Pixels dark enough to be caption text on the white under the details.
int countDarkPixels (const juce::Image& image, juce::Rectangle<int> area)
{
    int count = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            count += image.getPixelAt (x, y).getPerceivedBrightness() < 0.3f ? 1 : 0;

    return count;
}
} // namespace

TEST (OV49Picker, PaintsTheCaptionsAndTheBreathControlMarkOverThePicture)
{
    OV49CtrlPickerComponent picker;
    const auto picture = OV49CtrlPickerComponent::loadPicture();
    const auto shown = picker.createComponentSnapshot (picker.getLocalBounds());

    // The picture leaves the caption bands white; the picker writes into them.
    for (auto area : { OV49CtrlPickerComponent::backPanelCaptionArea, OV49CtrlPickerComponent::drumPadsCaptionArea })
    {
        EXPECT_EQ (countDarkPixels (picture, area), 0) << area.toString();
        EXPECT_GT (countDarkPixels (shown, area), 30) << area.toString();
    }

    const auto markCentre = OV49CtrlPickerComponent::breathControlMark.getCentre().toInt();
    EXPECT_EQ (shown.getPixelAt (markCentre.x, markCentre.y).getARGB(), 0xFF1D1D1Du);
}

TEST (OV49Picker, TheBreathControlWidgetIsDrawnOverItsMark)
{
    OV49CtrlPickerComponent picker;
    AnnouncementRecorder recorder;
    picker.addActionListener (&recorder);

    findWidget (picker, "Breath Control Setting").triggerClick();
    ASSERT_TRUE (runMessageLoopUntil ([&] { return recorder.announced.size() == 1; }));

    // The selected look tints the mark rose instead of being hidden under it.
    const auto shown = picker.createComponentSnapshot (picker.getLocalBounds());
    const auto markCentre = OV49CtrlPickerComponent::breathControlMark.getCentre().toInt();
    const auto pixel = shown.getPixelAt (markCentre.x, markCentre.y);
    EXPECT_GT (pixel.getRed(), 0x1D + 40);
    EXPECT_GT (pixel.getRed(), pixel.getGreen() + 30);
}
