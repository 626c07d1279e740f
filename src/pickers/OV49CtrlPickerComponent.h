#pragma once

#include "pickers/OxCtrlPickerComponent.h"

// The picture of the Orvane OV49 with a widget over each of its controls. It
// has no Shift widget and no pairs: every click announces the widget's own
// identifier. Over the picture it captions the back panel and the drum pads
// and marks the breath-control input. No window hosts it; picker-preview
// shows it.
class OV49CtrlPickerComponent : public OxCtrlPickerComponent
{
public:
    OV49CtrlPickerComponent();

    void paint (juce::Graphics&) override;

    // The embedded picture, 1063 x 317; invalid if it cannot be decoded.
    static juce::Image loadPicture();

    static constexpr int pictureWidth = 1063;
    static constexpr int pictureHeight = 317;

    // Where the captions and the breath-control mark are painted.
    static inline const juce::Rectangle<int> backPanelCaptionArea { 151, 278, 454, 30 };
    static inline const juce::Rectangle<int> drumPadsCaptionArea { 729, 278, 305, 30 };
    static inline const juce::Rectangle<float> breathControlMark { 408.0f, 240.0f, 11.0f, 10.0f };

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OV49CtrlPickerComponent)
};
