#pragma once

#include "pickers/OxCtrlPickerComponent.h"

// The picture of the Orvane OM32 with a widget over each of its controls. The
// Shift widget switches the preset and snapshot buttons to their second
// identifiers, as the keyboard's own shift button does. No window hosts it;
// picker-preview shows it.
class OM32CtrlPickerComponent : public OxCtrlPickerComponent
{
public:
    OM32CtrlPickerComponent();

    // The embedded picture, 645 x 134; invalid if it cannot be decoded.
    static juce::Image loadPicture();

    static constexpr int pictureWidth = 645;
    static constexpr int pictureHeight = 134;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OM32CtrlPickerComponent)
};
