#pragma once

#include "pickers/OxCtrlPickerWidget.h"

// The widget over a rectangular control: a pad, a button, a strip, a jack.
class OxCtrlPickerButton : public OxCtrlPickerWidget
{
public:
    OxCtrlPickerButton();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OxCtrlPickerButton)
};
