#pragma once

#include "JuceIncludes.h"

// How the keyboard's mode values (0 to 14) meet the settings panel's nine
// mode items and four option boxes, and which modes each control allows.
namespace ModeRules
{
// The mode item that stands for exactly this mode value, or -1. Six values
// have no item of their own: 2, 3 and 10 sit under the item of a close
// mode (1, 4 and 9), and 5, 6 and 13 under none.
int modeToItemIndex (int mode);

// The mode whose item a mode value sits under: the value itself when it has
// an item, 1 for 2, 4 for 3, 9 for 10; -1 for 5, 6, 13 and any other. Its
// options are the ones shown, and choosing one stores this mode.
int itemModeFor (int mode);

// The keyboard's own name for a mode value, as the MIDI chart gives it.
juce::String modeName (int mode);

// The mode value a picked item stores, or -1.
int itemIndexToMode (int itemIndex);

constexpr int numModes = 15;

// Bit i set: mode value i may be chosen for the control. Off (bit 0) is
// always allowed, whatever the mask says.
int modeMaskFor (int controlId);

enum class OptionBox
{
    none,
    toggle,   // Toggle / Gate
    encoding, // Absolute / Relative #1 to #3
    nrpn,     // NRPN / RPN
    hold      // Standard / Hold
};

// The option box that goes with a mode (that of the item it sits under); a
// continuous control has one only when it is a knob.
OptionBox optionBoxFor (int mode, bool isKnob);

// The channel item: 0 to 15 for channels 1 to 16, 16 for the global channel.
constexpr int globalChannelValue = 65;
constexpr int globalChannelItem = 16;
int channelToItemIndex (int channel);
int itemIndexToChannel (int itemIndex);
} // namespace ModeRules
