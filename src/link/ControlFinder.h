#pragma once

#include "link/ValueCache.h"

#include <optional>

// Finds the control that sent a channel message, through the keyboard's own
// assignments in the cache: the controller number for the controls that send
// controllers (the pedal among them), the note for pads, pitch bend for the
// pitch strip, channel pressure for aftertouch. A control on the message's
// channel is preferred; among those that share an assignment the highest id
// wins, as for the keyboard's replies.
struct ControlFinder
{
    static std::optional<int> controlFor (const juce::MidiMessage& message, const ValueCache& cache);
};
