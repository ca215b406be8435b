#pragma once
// Reading back what an image holds, for the tests of every render folder.

#include <cstdint>
#include <vector>

#include "engine/render/Image.h"

namespace rendertest {

// Every byte of the pixel block, rows as stored with their padding.
inline std::vector<std::uint8_t> PixelsOf(const Vantor::Image& image) {
    return std::vector<std::uint8_t>(image.GetPixels(), image.GetPixels() + image.GetSize());
}

// The first byte of the pixel in column x of stored row y (rows bottom first).
inline const std::uint8_t* PixelAddress(const Vantor::Image& image, std::uint32_t x, std::uint32_t y) {
    return image.GetPixels() + std::size_t{y} * image.GetRowBytes() + std::size_t{x} * (image.GetBits() / 8);
}

}  // namespace rendertest
