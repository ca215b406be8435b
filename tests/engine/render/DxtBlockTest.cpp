#include "engine/render/DxtBlock.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/render/FileDDS.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Vantor::DxtBlock;

Bytes PixelOf(const std::uint8_t* pixels, int index) { return Bytes(pixels + 4 * index, pixels + 4 * index + 4); }

TEST(DxtBlock, FourColoursWhenColourZeroIsTheLarger) {
    DxtBlock block;
    block.color0 = 0xF800;
    block.color1 = 0x001F;
    // Row 0 uses colour numbers 0, 1, 2, 3 from left to right; row 3 uses 3, 3, 3, 2.
    block.indices[0] = 0b11100100;
    block.indices[3] = 0b10111111;
    std::uint8_t pixels[64];
    block.DecodeColors(pixels);
    EXPECT_EQ((Bytes{255, 0, 0, 255}), PixelOf(pixels, 0));
    EXPECT_EQ((Bytes{0, 0, 255, 255}), PixelOf(pixels, 1));
    EXPECT_EQ((Bytes{170, 0, 85, 255}), PixelOf(pixels, 2));
    EXPECT_EQ((Bytes{85, 0, 170, 255}), PixelOf(pixels, 3));
    EXPECT_EQ((Bytes{255, 0, 0, 255}), PixelOf(pixels, 4)) << "row 1 uses colour 0";
    EXPECT_EQ((Bytes{85, 0, 170, 255}), PixelOf(pixels, 12));
    EXPECT_EQ((Bytes{170, 0, 85, 255}), PixelOf(pixels, 15));
}

TEST(DxtBlock, EqualColoursGiveTheirMeanAndTransparentBlackForDxt1AndDxt5Alike) {
    DxtBlock block;
    block.color0 = block.color1 = 0x07E0;  // pure green
    block.indices[0] = 0b11100100;
    block.alpha[0] = 255;
    block.alpha[1] = 255;
    std::uint8_t pixels[64];
    block.DecodeColors(pixels);
    EXPECT_EQ((Bytes{0, 255, 0, 255}), PixelOf(pixels, 2));
    EXPECT_EQ((Bytes{0, 0, 0, 0}), PixelOf(pixels, 3));
    block.DecodeDxt5(pixels);
    EXPECT_EQ((Bytes{0, 255, 0, 255}), PixelOf(pixels, 2));
    EXPECT_EQ((Bytes{0, 0, 0, 255}), PixelOf(pixels, 3)) << "the alpha half decides the alpha";
}

TEST(DxtBlock, ExplicitAlphaNibblesAreScaledBySeventeen) {
    DxtBlock block;
    block.alpha[0] = 0x8F;  // pixel 0: 15, pixel 1: 8
    block.alpha[7] = 0x10;  // pixel 14: 0, pixel 15: 1
    std::uint8_t pixels[64];
    block.DecodeDxt3(pixels);
    EXPECT_EQ(255, pixels[3]);
    EXPECT_EQ(136, pixels[7]);
    EXPECT_EQ(0, pixels[14 * 4 + 3]);
    EXPECT_EQ(17, pixels[15 * 4 + 3]);
}

// Alpha numbers for the sixteen pixels, three bits each from bit 16 on.
void SetAlphaNumbers(DxtBlock& block, const std::vector<std::uint64_t>& numbers) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) bits |= numbers[i] << (3 * i);
    for (int i = 0; i < 6; ++i) block.alpha[2 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

TEST(DxtBlock, InterpolatedAlphaFollowsTheOrderOfTheEndpoints) {
    DxtBlock block;
    block.alpha[0] = 255;
    block.alpha[1] = 0;
    SetAlphaNumbers(block, {2, 0, 1, 7});
    std::uint8_t pixels[64];
    block.DecodeInterpolatedAlpha(pixels);
    EXPECT_EQ(218, pixels[3]);
    EXPECT_EQ(255, pixels[7]);
    EXPECT_EQ(0, pixels[11]);
    EXPECT_EQ(36, pixels[15]);  // (255 + 0) / 7

    block.alpha[0] = 0;
    block.alpha[1] = 255;
    SetAlphaNumbers(block, {6, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5});
    block.DecodeInterpolatedAlpha(pixels);
    EXPECT_EQ(0, pixels[3]);
    EXPECT_EQ(255, pixels[7]);
    EXPECT_EQ(51, pixels[11]);
    EXPECT_EQ(204, pixels[63]);  // (0 + 4 * 255) / 5
}

TEST(ExpandBits, ReplicatesBitsToEightBits) {
    auto toByte = [](std::uint32_t value, std::uint32_t bits) {
        return (value << (8 - bits)) | Vantor::ExpandBits(value, bits, 8 - bits);
    };
    EXPECT_EQ(255u, toByte(31, 5));
    EXPECT_EQ((16u << 3) | (16u >> 2), toByte(16, 5));
    EXPECT_EQ(0xAAu, toByte(0xA, 4));
    EXPECT_EQ(255u, toByte(1, 1));
    EXPECT_EQ(0u, toByte(0, 1));
    EXPECT_EQ(0u, Vantor::ExpandBits(5, 0, 8));
    EXPECT_EQ(0x3u, Vantor::ExpandBits(0xF, 4, 2));
}

}  // namespace
