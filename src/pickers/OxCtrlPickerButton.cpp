#include "pickers/OxCtrlPickerButton.h"

OxCtrlPickerButton::OxCtrlPickerButton()
    : OxCtrlPickerWidget (Shape::rectangle)
{
}
