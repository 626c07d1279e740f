#include "firmware/FirmwareImage.h"

FirmwareImage::FirmwareImage (const juce::File& fileToUse, Problem problemFound, juce::int64 size)
    : file (fileToUse), problem (problemFound), sizeOnDisk (size)
{
}

FirmwareImage FirmwareImage::load (const juce::File& file)
{
    if (! file.existsAsFile())
        return { file, Problem::missing, 0 };

    const auto size = file.getSize();
    if (size > maxBytes)
        return { file, Problem::tooLarge, size };

    juce::MemoryBlock bytes;
    if (! file.loadFileAsData (bytes))
        return { file, Problem::unreadable, size };

    return fromData (bytes.getData(), bytes.getSize(), file);
}

FirmwareImage FirmwareImage::fromData (const void* bytes, size_t size, const juce::File& file)
{
    const auto problem = size == 0 ? Problem::empty : ((juce::int64) size > maxBytes ? Problem::tooLarge : Problem::none);
    FirmwareImage image (file, problem, (juce::int64) size);
    if (problem == Problem::none)
        image.data.assign (static_cast<const juce::uint8*> (bytes), static_cast<const juce::uint8*> (bytes) + size);
    return image;
}

int FirmwareImage::getNumBlocks() const noexcept { return (int) ((data.size() + (size_t) blockSize - 1) / (size_t) blockSize); }

juce::MemoryBlock FirmwareImage::getBlock (int index) const
{
    juce::MemoryBlock block ((size_t) blockSize);
    block.fillWith (padding);

    const auto start = (size_t) index * (size_t) blockSize;
    if (index >= 0 && start < data.size())
        block.copyFrom (data.data() + start, 0, std::min ((size_t) blockSize, data.size() - start));

    return block;
}

juce::String FirmwareImage::describeProblem() const
{
    const auto name = file == juce::File() ? juce::String ("The firmware file") : "The firmware file \"" + file.getFullPathName() + "\"";
    const juce::String nothingSent = "Nothing was sent to the keyboard.";

    switch (problem)
    {
        case Problem::none: return {};
        case Problem::missing: return name + " can't be found. " + nothingSent;
        case Problem::unreadable: return name + " can't be read. " + nothingSent;
        case Problem::empty: return name + " is empty. " + nothingSent;
        case Problem::tooLarge:
            return name + " is too large for the keyboard: " + juce::String (sizeOnDisk) + " bytes, where at most "
                + juce::String (maxBytes) + " bytes (" + juce::String (maxBlocks) + " blocks of " + juce::String (blockSize) + ") fit. "
                + nothingSent;
    }
    return {};
}
