#pragma once

#include "firmware/FirmwareImage.h"
#include "firmware/IFWHelper.h"

// Streams a firmware image to a boot loader. One updater serves one
// transfer: it is given its helper and image, burns once, is closed and
// deleted. burn runs on a worker thread and gives up once that thread is
// asked to exit; handleMidiMessage is called on the MIDI input thread.
class IFWUpdater
{
public:
    virtual ~IFWUpdater() = default;

    virtual void setHelper (IFWHelper* helper) = 0;

    // Called once after burn, whatever its result.
    virtual void close() = 0;

    // Reads and checks the whole file; false refuses it, and no burn follows.
    virtual bool setFirmwareFile (const juce::File& file) = 0;

    // True when the boot loader confirmed the whole image.
    virtual bool burn() = 0;

    // A message received from the boot loader.
    virtual void handleMidiMessage (const juce::MidiMessage& message) = 0;

    // An image already read and checked, so that nothing can fail half-way
    // on a file that went away; false refuses it, as setFirmwareFile does.
    virtual bool setFirmwareImage (const FirmwareImage& image) = 0;
};
