#pragma once

#include "JuceIncludes.h"

// What an updater needs from its user: a way to the boot loader and a place
// to show how far the transfer has got. Both are called on the worker thread.
class IFWHelper
{
public:
    virtual ~IFWHelper() = default;

    // Sends the message to the boot loader at once.
    virtual void sendMidiMessage (const juce::MidiMessage& message) = 0;

    // How far the transfer has got, from 0.0 to 1.0.
    virtual void setProgress (double progress) = 0;
};
