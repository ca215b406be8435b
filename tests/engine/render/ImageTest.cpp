#include "engine/render/Image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/kernel/Error.h"
#include "tests/engine/render/ImagePixels.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Vantor::Color;
using Vantor::Image;

void Make(Image& image, std::uint32_t width, std::uint32_t height, std::uint32_t bits, const Bytes& pixels) {
    image.SetFormat(width, height, bits, true);
    ASSERT_EQ(pixels.size(), image.GetSize());
    std::memcpy(image.GetPixels(), pixels.data(), pixels.size());
}

// A picture whose pixel at column x, row y holds the one byte 10 * y + x.
void MakeNumbered(Image& image, std::uint32_t width, std::uint32_t height) {
    Bytes pixels;
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) pixels.push_back(static_cast<std::uint8_t>(10 * y + x));
    Make(image, width, height, 8, pixels);
}

using rendertest::PixelsOf;

Bytes PixelAt(const Image& image, std::uint32_t x, std::uint32_t y) {
    const std::uint8_t* pixel = rendertest::PixelAddress(image, x, y);
    return Bytes(pixel, pixel + image.GetBits() / 8);
}

TEST(ImageFormat, SetFormatComputesTheSizeAndReplacesABlockOfAnotherFormat) {
    Image image;
    EXPECT_TRUE(image.IsEmpty());
    image.SetFormat(1, 1, 24, true);
    EXPECT_FALSE(image.IsEmpty());
    EXPECT_EQ(3u, image.GetSize());

    image.SetFormat(2, 2, 32, true);
    EXPECT_EQ(16u, image.GetSize());
    ASSERT_NE(nullptr, image.GetPixels());
    std::memset(image.GetPixels(), 0xAB, 16);  // the whole new block is writable

    const std::uint8_t* block = image.GetPixels();
    image.SetFormat(2, 2, 32, true);
    EXPECT_EQ(block, image.GetPixels()) << "a block of the same format is reused";
}

TEST(ImageFormat, HeaderOnlyFormatHasNoBlockAndFreeKeepsTheSize) {
    Image image;
    image.SetFormat(4, 2, 8, false);
    EXPECT_FALSE(image.IsEmpty());
    EXPECT_EQ(nullptr, image.GetPixels());
    EXPECT_EQ(8u, image.GetSize());
    image.Free();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(0u, image.GetWidth());
    EXPECT_EQ(8u, image.GetSize());
}

TEST(ImageFormat, ASizeBeyondThirtyTwoBitsIsRefusedInsteadOfWrapping) {
    Image image;
    EXPECT_THROW(image.SetFormat(65536, 65536, 32, true), Vantor::Error);
}

TEST(ImageFormat, AKeptBlockOfAnotherByteCountIsReplaced) {
    Image image;
    image.SetFormat(4, 4, 32, true, 8);
    image.SetFormat(4, 4, 32, true);
    EXPECT_EQ(64u, image.GetSize());
    std::memset(image.GetPixels(), 0, 64);  // AddressSanitizer checks the block holds 64 bytes
}

TEST(ImageFormat, CopyFromCopiesPixelsOrOnlyTheFormat) {
    Image source;
    Make(source, 2, 1, 24, {1, 2, 3, 4, 5, 6});
    Image copy;
    copy.CopyFrom(source);
    EXPECT_EQ(PixelsOf(source), PixelsOf(copy));

    Image header;
    header.SetFormat(3, 3, 8, false);
    copy.CopyFrom(header);
    EXPECT_EQ(3u, copy.GetWidth());
    EXPECT_EQ(nullptr, copy.GetPixels());
}

TEST(ImageCrop, TheRectangleIsClippedToTheImage) {
    Image image;
    MakeNumbered(image, 4, 3);
    Image target;
    image.Crop(1, 1, 2, 5, target);
    EXPECT_EQ(2u, target.GetWidth());
    EXPECT_EQ(2u, target.GetHeight());
    EXPECT_EQ((Bytes{11, 12, 21, 22}), PixelsOf(target));

    image.Crop(2, 0, 10, 1, image);  // into itself
    EXPECT_EQ((Bytes{2, 3}), PixelsOf(image));
}

TEST(ImageCrop, AnOriginOutsideTheImageGivesNoPixels) {
    Image image;
    MakeNumbered(image, 4, 3);
    Image target;
    image.Crop(4, 0, 2, 2, target);
    EXPECT_EQ(0u, target.GetSize());
    image.Crop(0, 7, 2, 2, target);
    EXPECT_EQ(0u, target.GetSize());
}

TEST(ImageResize, TheSameSizeIsAnExactCopy) {
    Image image;
    MakeNumbered(image, 4, 4);
    Image target;
    image.ResizeTo(4, 4, 0, target);
    EXPECT_EQ(PixelsOf(image), PixelsOf(target));
}

TEST(ImageResize, NearestSamplingMapsFirstAndLastOntoFirstAndLast) {
    Image image;
    MakeNumbered(image, 4, 4);
    Image target;
    image.ResizeTo(2, 2, 1, target);
    EXPECT_EQ((Bytes{0, 3, 30, 33}), PixelsOf(target));

    image.ResizeTo(7, 1, 0, target);
    EXPECT_EQ((Bytes{0, 0, 1, 1, 2, 2, 3}), PixelsOf(target));
}

TEST(ImageResize, AWidthOrHeightOfOneTakesTheFirstColumnOrRow) {
    Image image;
    MakeNumbered(image, 4, 3);
    Image target;
    image.ResizeTo(1, 3, 0, target);
    EXPECT_EQ((Bytes{0, 10, 20}), PixelsOf(target));
    image.ResizeTo(4, 1, 0, target);
    EXPECT_EQ((Bytes{0, 1, 2, 3}), PixelsOf(target));
    image.ResizeTo(1, 1, 0, target);
    EXPECT_EQ((Bytes{0}), PixelsOf(target));
}

TEST(ImageResize, ResizeInPlaceTakesTheNewPixels) {
    Image image;
    Make(image, 2, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    image.Resize(4, 2, 0);
    EXPECT_EQ(4u, image.GetWidth());
    EXPECT_EQ((Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6}), Bytes(image.GetPixels(), image.GetPixels() + 12));
}

struct ConversionCase {
    std::uint32_t fromBits;
    Bytes from;
    std::uint32_t toBits;
    Bytes to;
};

TEST(ImageConvertBits, EveryPairOfDepths) {
    const ConversionCase cases[] = {
        {8, {7}, 24, {7, 7, 7}},
        {8, {7}, 32, {7, 7, 7, 7}},
        {24, {255, 255, 255}, 8, {255}},  // the weights add up to 1
        {24, {100, 0, 0}, 8, {22}},       // trunc(0.222 * 100)
        {24, {0, 100, 200}, 8, {84}},     // trunc(70.7 + 14.2)
        {24, {1, 2, 3}, 32, {1, 2, 3, 255}},
        {32, {10, 20, 30, 40}, 8, {40}},  // the alpha, not a grey level
        {32, {10, 20, 30, 40}, 24, {10, 20, 30}},
    };
    for (const ConversionCase& c : cases) {
        Image image;
        Make(image, 1, 1, c.fromBits, c.from);
        Image target;
        image.ConvertBits(c.toBits, &target);
        EXPECT_EQ(c.to, PixelsOf(target)) << c.fromBits << " to " << c.toBits;
        EXPECT_EQ(c.from, PixelsOf(image)) << "the image itself is unchanged";

        image.ConvertBits(c.toBits);
        EXPECT_EQ(c.toBits, image.GetBits());
        EXPECT_EQ(c.to, PixelsOf(image)) << "in place " << c.fromBits << " to " << c.toBits;
    }
}

TEST(ImageFill, EachDepthTakesTheColour) {
    Image grey;
    grey.SetFormat(2, 1, 8, true);
    grey.Fill(Color(0.0f, 1.0f, 0.0f, 1.0f));
    EXPECT_EQ((Bytes{180, 180}), PixelsOf(grey));

    Image colour;
    colour.SetFormat(1, 1, 24, true);
    colour.Fill(Color(1.0f, 0.5f, 0.0f, 1.0f));
    EXPECT_EQ((Bytes{255, 127, 0}), PixelsOf(colour));

    Image withAlpha;
    withAlpha.SetFormat(1, 1, 32, true);
    Image target;
    withAlpha.Fill(Color(0.0f, 0.0f, 1.0f, 0.25f), &target);
    EXPECT_EQ((Bytes{0, 0, 255, 63}), PixelsOf(target));
}

TEST(ImageFill, ComponentsOutsideTheRangeStayWithinAByte) {
    Image image;
    image.SetFormat(1, 1, 32, true);
    image.Fill(Color(2.0f, -1.0f, 1.0f, 300.0f));
    EXPECT_EQ((Bytes{255, 0, 255, 255}), PixelsOf(image));
}

TEST(ImagePaste, TheSourceIsClippedAtTheEdges) {
    Image image;
    Make(image, 3, 2, 8, Bytes(6, 0));
    Image source;
    Make(source, 2, 2, 8, {1, 2, 3, 4});
    image.Paste(2, 1, source);
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0, 1}), PixelsOf(image));

    image.Paste(3, 0, source);  // outside: nothing
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0, 1}), PixelsOf(image));
}

TEST(ImagePaste, ASourceOfAnotherDepthIsConvertedAndATargetGetsTheResult) {
    Image image;
    Make(image, 2, 1, 24, Bytes(6, 0));
    Image source;
    Make(source, 1, 1, 8, {9});
    Image target;
    image.Paste(1, 0, source, &target);
    EXPECT_EQ((Bytes{0, 0, 0, 9, 9, 9}), PixelsOf(target));
    EXPECT_EQ(Bytes(6, 0), PixelsOf(image));
}

TEST(ImageSwapRedBlue, ExchangesFirstAndThirdBytes) {
    Image image;
    Make(image, 1, 1, 32, {1, 2, 3, 4});
    image.SwapRedBlue();
    EXPECT_EQ((Bytes{3, 2, 1, 4}), PixelsOf(image));

    Image grey;
    Make(grey, 2, 1, 8, {5, 6});
    Image target;
    grey.SwapRedBlue(&target);
    EXPECT_EQ((Bytes{5, 6}), PixelsOf(target));
}

TEST(ImageChecker, YellowAndBlackSquaresOfEightPixels) {
    Image image;
    image.MakeChecker();
    EXPECT_EQ(64u, image.GetWidth());
    EXPECT_EQ(64u, image.GetHeight());
    EXPECT_EQ(24u, image.GetBits());
    const Bytes yellow{255, 255, 0};
    const Bytes black{0, 0, 0};
    EXPECT_EQ(yellow, PixelAt(image, 0, 0));
    EXPECT_EQ(yellow, PixelAt(image, 7, 7));
    EXPECT_EQ(black, PixelAt(image, 8, 0));
    EXPECT_EQ(black, PixelAt(image, 0, 8));
    EXPECT_EQ(yellow, PixelAt(image, 8, 8));
    EXPECT_EQ(yellow, PixelAt(image, 63, 63));
}

TEST(ImageOperations, AnImageWithoutPixelsIsLeftAlone) {
    Image header;
    header.SetFormat(4, 4, 24, false);
    Image target;
    header.Crop(0, 0, 2, 2, target);
    header.ResizeTo(2, 2, 0, target);
    header.ConvertBits(8);
    header.SwapRedBlue();
    header.Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_TRUE(target.IsEmpty());
    EXPECT_EQ(24u, header.GetBits());
    EXPECT_EQ(nullptr, header.GetPixels());
}

}  // namespace
