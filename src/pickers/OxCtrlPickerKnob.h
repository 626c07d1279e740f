#pragma once

#include "pickers/OxCtrlPickerWidget.h"

// The widget over a round control: its corner marks curve and its selected
// looks fill only the ellipse that its rectangle bounds.
class OxCtrlPickerKnob : public OxCtrlPickerWidget
{
public:
    OxCtrlPickerKnob();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OxCtrlPickerKnob)
};
