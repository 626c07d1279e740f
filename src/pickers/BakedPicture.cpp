#include "pickers/BakedPicture.h"

namespace
{
class BakedPixelData final : public juce::ImagePixelData
{
public:
    BakedPixelData (const std::uint32_t* bakedPixels, int w, int h) : ImagePixelData (juce::Image::ARGB, w, h), baked (bakedPixels) {}

    std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override
    {
        makeWritable();
        sendDataChangeMessage();
        return std::make_unique<juce::LowLevelGraphicsSoftwareRenderer> (juce::Image (*this));
    }

    void initialiseBitmapData (juce::Image::BitmapData& bitmap, int x, int y, juce::Image::BitmapData::ReadWriteMode mode) override
    {
        if (mode != juce::Image::BitmapData::readOnly)
            makeWritable();

        // Read-only requests get the baked pixels themselves; JUCE hands out
        // a non-const pointer either way, but writes only through writable ones.
        auto* pixels = copy != nullptr ? copy.get() : const_cast<std::uint32_t*> (baked);
        const auto offset = (size_t) y * (size_t) width + (size_t) x;
        bitmap.data = reinterpret_cast<juce::uint8*> (pixels + offset);
        bitmap.size = (pixelCount() - offset) * sizeof (std::uint32_t);
        bitmap.pixelFormat = juce::Image::ARGB;
        bitmap.lineStride = width * (int) sizeof (std::uint32_t);
        bitmap.pixelStride = (int) sizeof (std::uint32_t);

        if (mode != juce::Image::BitmapData::readOnly)
            sendDataChangeMessage();
    }

    juce::ImagePixelData::Ptr clone() override
    {
        juce::Image copied (juce::Image::ARGB, width, height, false, juce::SoftwareImageType());
        const juce::Image::BitmapData destination (copied, juce::Image::BitmapData::writeOnly);
        std::memcpy (destination.data, current(), pixelCount() * sizeof (std::uint32_t));
        return juce::ImagePixelData::Ptr (copied.getPixelData());
    }

    std::unique_ptr<juce::ImageType> createType() const override { return std::make_unique<juce::SoftwareImageType>(); }

private:
    size_t pixelCount() const { return (size_t) width * (size_t) height; }
    const std::uint32_t* current() const { return copy != nullptr ? copy.get() : baked; }

    void makeWritable()
    {
        if (copy != nullptr)
            return;
        copy.allocate (pixelCount(), false);
        std::memcpy (copy.get(), baked, pixelCount() * sizeof (std::uint32_t));
    }

    const std::uint32_t* const baked;
    juce::HeapBlock<std::uint32_t> copy;
};
} // namespace

juce::Image bakedPicture (const std::uint32_t* pixels, int width, int height)
{
    return juce::Image (juce::ImagePixelData::Ptr (new BakedPixelData (pixels, width, height)));
}
