#pragma once

#include "JuceIncludes.h"

#include <vector>

// A firmware file read whole into memory and checked against what the boot
// loader takes: a raw image sent in blocks of 512 bytes, the last one filled
// up with 0xFF, and a block count that travels in one byte.
class FirmwareImage
{
public:
    static constexpr int blockSize = 512;
    static constexpr int maxBlocks = 255;
    static constexpr juce::int64 maxBytes = (juce::int64) blockSize * maxBlocks; // 130 560
    static constexpr juce::uint8 padding = 0xFF;

    enum class Problem
    {
        none,
        missing,
        unreadable,
        empty,
        tooLarge
    };

    // An empty image, which is refused like an empty file.
    FirmwareImage() = default;

    // Reads and checks the whole file. An oversized file is refused from
    // its size alone, without reading it.
    static FirmwareImage load (const juce::File& file);

    // An image from bytes already in memory, checked the same way.
    static FirmwareImage fromData (const void* data, size_t size, const juce::File& file = {});

    bool isUsable() const noexcept { return problem == Problem::none; }
    Problem getProblem() const noexcept { return problem; }

    // What is wrong with the file, for the user; empty when nothing is.
    juce::String describeProblem() const;

    const juce::File& getFile() const noexcept { return file; }
    size_t getSize() const noexcept { return data.size(); }
    int getNumBlocks() const noexcept;

    // Block i, always blockSize bytes: the last one padded with 0xFF.
    juce::MemoryBlock getBlock (int index) const;

private:
    FirmwareImage (const juce::File& file, Problem problem, juce::int64 sizeOnDisk);

    juce::File file;
    // Not a juce::MemoryBlock, whose copy hands memcpy a null pointer when
    // it is empty, as the image of a refused file is.
    std::vector<juce::uint8> data;
    Problem problem = Problem::empty;
    juce::int64 sizeOnDisk = 0;
};
