#include "calibration/PadCalibrationDialog.h"

PadCalibrationDialog::PadCalibrationDialog (OrvaneManager49* managerToUse, Dialogs& dialogs)
    : juce::DialogWindow (title, juce::Colour (0xffd3d3d3), true, true), manager (managerToUse)
{
    // The replies to the gain requests need an open input.
    manager->openInputs();

    setContentOwned (std::make_unique<PadCalibComponent> (manager, dialogs).release(), false);
    centreWithSize (width, height);
    setResizable (false, false);
}

PadCalibrationDialog::~PadCalibrationDialog() { manager->closeInputs(); }

void PadCalibrationDialog::closeButtonPressed() { setVisible (false); }
