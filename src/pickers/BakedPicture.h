#pragma once

#include "JuceIncludes.h"

#include <cstdint>

// A picture baked into the program at build time (tools/picture-baker), as
// an image drawn straight from its read-only pixels: nothing is decoded and
// nothing copied. The pixels are premultiplied 0xAARRGGBB, row by row, and
// must outlive the image, as static data does. Anything that draws into the
// image draws into a copy of it made then.
juce::Image bakedPicture (const std::uint32_t* pixels, int width, int height);
