#pragma once

#include "firmware/IFWUpdater.h"

// What every updater holds: its helper and the image to send.
class FWUpdaterBase : public IFWUpdater
{
public:
    void setHelper (IFWHelper* helperToUse) override { helper = helperToUse; }
    void close() override {}
    bool setFirmwareFile (const juce::File& file) override;
    bool setFirmwareImage (const FirmwareImage& image) override;

protected:
    IFWHelper* helper = nullptr;
    juce::File firmwareFile;
    FirmwareImage image;
};
