#pragma once
// The texture format code shared by images, DDS files, device surfaces and the render
// system's set of supported formats (one bit, 1 << code, per supported code).

#include <cstdint>

namespace Vantor {

enum class TextureFormat : std::uint32_t {
    Other = 0,     // another device format
    Rgb24 = 1,     // 24-bit red-green-blue picture
    A8R8G8B8 = 3,  // 32-bit colour with alpha
    A4R4G4B4 = 4,
    R5G6B5 = 5,
    Dxt1 = 6,
    Dxt2 = 7,
    Dxt3 = 8,
    Dxt4 = 9,
    Dxt5 = 10,
};

// The bit of a code in a set of supported formats.
constexpr std::uint32_t TextureFormatBit(TextureFormat format) {
    return 1u << static_cast<std::uint32_t>(format);
}

}  // namespace Vantor
