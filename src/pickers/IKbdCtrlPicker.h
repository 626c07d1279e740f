#pragma once

#include "JuceIncludes.h"

// What every control picker offers besides being a component: the
// identifiers of the controls of its keyboard model, in ascending order.
class IKbdCtrlPicker
{
public:
    virtual juce::SortedSet<juce::int16> getCtrlIds() const = 0;

protected:
    // Pickers are components owned and deleted as such, never through this interface.
    ~IKbdCtrlPicker() = default;
};
