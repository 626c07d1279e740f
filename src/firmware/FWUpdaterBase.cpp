#include "firmware/FWUpdaterBase.h"

bool FWUpdaterBase::setFirmwareFile (const juce::File& file) { return setFirmwareImage (FirmwareImage::load (file)); }

bool FWUpdaterBase::setFirmwareImage (const FirmwareImage& imageToSend)
{
    firmwareFile = imageToSend.getFile();
    image = imageToSend;
    return image.isUsable();
}
