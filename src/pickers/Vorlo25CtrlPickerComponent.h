#pragma once

#include "pickers/OxCtrlPickerComponent.h"

// The picture of the 25-key Vorlo with a widget over each of its controls:
// sixteen knobs, eight pads, the strips, the octave buttons and the sustain
// input. The eight pad widgets stand for sixteen pads: like the keyboard's own
// pad-shift button, the Shift widget decides whether a pad announces its first
// identifier (pads 1-8) or its second (pads 9-16). The settings panel hosts it.
class Vorlo25CtrlPickerComponent : public OxCtrlPickerComponent
{
public:
    Vorlo25CtrlPickerComponent();

    // The embedded keyboard picture, 800 x 378; invalid if it cannot be decoded.
    static juce::Image loadPicture();

    static constexpr int pictureWidth = 800;
    static constexpr int pictureHeight = 378;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Vorlo25CtrlPickerComponent)
};
