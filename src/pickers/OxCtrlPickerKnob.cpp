#include "pickers/OxCtrlPickerKnob.h"

OxCtrlPickerKnob::OxCtrlPickerKnob()
    : OxCtrlPickerWidget (Shape::ellipse)
{
}
