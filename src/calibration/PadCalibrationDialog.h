#pragma once

#include "calibration/PadCalibComponent.h"

// The "Pad Gain Calibration" window around the pad calibration page. It
// listens on the manager's MIDI inputs for as long as it exists, since the
// page reads the gains as it is built. The caller runs it with runModalLoop;
// OK, the close button and Escape end it.
class PadCalibrationDialog : public juce::DialogWindow
{
public:
    explicit PadCalibrationDialog (OrvaneManager49* manager, Dialogs& dialogs = Dialogs::system());
    ~PadCalibrationDialog() override;

    void closeButtonPressed() override;

    PadCalibComponent& getCalibComponent() const { return *static_cast<PadCalibComponent*> (getContentComponent()); }

    static constexpr const char* title = "Pad Gain Calibration";
    static constexpr int width = 600;
    static constexpr int height = 320;

private:
    OrvaneManager49* manager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PadCalibrationDialog)
};
