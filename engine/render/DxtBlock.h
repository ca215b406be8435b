#pragma once
// One 4 x 4 block of DXT1 to DXT5 data while it is decoded into 16 pixels of red,
// green, blue and alpha bytes, row by row from the top row.

#include <cstdint>

namespace Vantor {

struct DxtBlock {
    static constexpr int kPixels = 16;

    // 5-6-5 colours: red in the top 5 bits, blue in the low 5.
    std::uint16_t color0 = 0;
    std::uint16_t color1 = 0;
    // One byte per pixel row, top row first; pixel j of a row in bits 2j and 2j + 1.
    std::uint8_t indices[4] = {};
    // DXT2 to DXT5 only: sixteen 4-bit alphas (DXT2, DXT3), or two endpoints and
    // sixteen 3-bit alpha numbers (DXT4, DXT5).
    std::uint8_t alpha[8] = {};

    // Colours and their 1-bit transparency, the same for all five formats.
    void DecodeColors(std::uint8_t* pixels) const;
    // Replaces the alpha bytes of already decoded pixels.
    void DecodeExplicitAlpha(std::uint8_t* pixels) const;
    void DecodeInterpolatedAlpha(std::uint8_t* pixels) const;
    void DecodeDxt3(std::uint8_t* pixels) const;
    void DecodeDxt5(std::uint8_t* pixels) const;
};

}  // namespace Vantor
