#include "engine/render/DxtBlock.h"

namespace Vantor {

namespace {

struct Rgba {
    std::uint32_t red, green, blue, alpha;
};

Rgba Unpack565(std::uint16_t color) {
    const std::uint32_t r = (color >> 11) & 31;
    const std::uint32_t g = (color >> 5) & 63;
    const std::uint32_t b = color & 31;
    return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2), 255};
}

// (weight0 * a + weight1 * b) / (weight0 + weight1) per colour channel, opaque.
Rgba Blend(const Rgba& a, const Rgba& b, std::uint32_t weight0, std::uint32_t weight1) {
    const std::uint32_t total = weight0 + weight1;
    return {(weight0 * a.red + weight1 * b.red) / total, (weight0 * a.green + weight1 * b.green) / total,
            (weight0 * a.blue + weight1 * b.blue) / total, 255};
}

std::uint64_t AlphaBits(const std::uint8_t* alpha) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | alpha[i];
    return value;
}

}  // namespace

void DxtBlock::DecodeColors(std::uint8_t* pixels) const {
    Rgba colors[4];
    colors[0] = Unpack565(color0);
    colors[1] = Unpack565(color1);
    if (color0 > color1) {
        colors[2] = Blend(colors[0], colors[1], 2, 1);
        colors[3] = Blend(colors[0], colors[1], 1, 2);
    } else {
        colors[2] = Blend(colors[0], colors[1], 1, 1);
        colors[3] = {0, 0, 0, 0};
    }
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column, pixels += 4) {
            const Rgba& color = colors[(indices[row] >> (2 * column)) & 3];
            pixels[0] = static_cast<std::uint8_t>(color.red);
            pixels[1] = static_cast<std::uint8_t>(color.green);
            pixels[2] = static_cast<std::uint8_t>(color.blue);
            pixels[3] = static_cast<std::uint8_t>(color.alpha);
        }
    }
}

void DxtBlock::DecodeExplicitAlpha(std::uint8_t* pixels) const {
    for (int i = 0; i < kPixels; ++i) {
        const std::uint32_t nibble = (alpha[i / 2] >> (4 * (i % 2))) & 15;
        pixels[4 * i + 3] = static_cast<std::uint8_t>(nibble * 17);
    }
}

void DxtBlock::DecodeInterpolatedAlpha(std::uint8_t* pixels) const {
    const std::uint32_t a0 = alpha[0];
    const std::uint32_t a1 = alpha[1];
    std::uint32_t values[8] = {a0, a1};
    if (a1 < a0) {
        for (std::uint32_t k = 1; k <= 6; ++k) values[k + 1] = ((7 - k) * a0 + k * a1) / 7;
    } else {
        for (std::uint32_t k = 1; k <= 4; ++k) values[k + 1] = ((5 - k) * a0 + k * a1) / 5;
        values[6] = 0;
        values[7] = 255;
    }
    const std::uint64_t bits = AlphaBits(alpha);
    for (int i = 0; i < kPixels; ++i) pixels[4 * i + 3] = static_cast<std::uint8_t>(values[(bits >> (16 + 3 * i)) & 7]);
}

void DxtBlock::DecodeDxt3(std::uint8_t* pixels) const {
    DecodeColors(pixels);
    DecodeExplicitAlpha(pixels);
}

void DxtBlock::DecodeDxt5(std::uint8_t* pixels) const {
    DecodeColors(pixels);
    DecodeInterpolatedAlpha(pixels);
}

}  // namespace Vantor
