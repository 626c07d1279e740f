#pragma once

#include "JuceIncludes.h"

#include <map>

// A control the settings panel can edit: the name shown when it is selected,
// and whether it is one of the sixteen knobs (a continuous knob gets the
// encoding option).
struct ControlEntry
{
    juce::String name;
    bool isKnob = false;
};

using ControlTable = std::map<juce::int16, ControlEntry>;

// The Vorlo's 37 editable controls, by control identifier.
ControlTable buildControlTable();
