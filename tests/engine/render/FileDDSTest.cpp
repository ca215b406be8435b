#include "engine/render/FileDDS.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/kernel/FileError.h"
#include "engine/render/Image.h"
#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/PictureFixtures.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using rendertest::DdsPicture;
using testing::HasSubstr;
using Vantor::FileDDS;
using Vantor::Image;
using Vantor::TextureFormat;

constexpr std::uint32_t kEveryFormat = 0xFFFFFFFF;

std::string Chars(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

using rendertest::PixelsOf;

Bytes PixelAt(const Image& image, std::uint32_t x, std::uint32_t y) {
    const std::uint8_t* pixel = rendertest::PixelAddress(image, x, y);
    return Bytes(pixel, pixel + 4);
}

std::unique_ptr<FileDDS> Open(const DdsPicture& picture, std::uint32_t supportedFormats) {
    return std::make_unique<FileDDS>(rendertest::MemoryStream(rendertest::DdsFile(picture), L"memory.dds").release(),
                                     supportedFormats);
}

DdsPicture Dxt(const char* fourCC, unsigned width, unsigned height, const std::string& data, unsigned mips = 1) {
    DdsPicture picture;
    picture.fourCC = fourCC;
    picture.width = width;
    picture.height = height;
    picture.mipCount = mips;
    picture.data = data;
    return picture;
}

// A DXT1 block of one colour (colour 0 everywhere).
std::string SolidDxt1(std::uint16_t color) {
    return Chars({static_cast<std::uint8_t>(color), static_cast<std::uint8_t>(color >> 8), 0, 0, 0, 0, 0, 0});
}

TEST(FileDDS, LevelSizesAndOffsetsOfAMipChain) {
    const auto file = Open(Dxt("DXT1", 256, 256, std::string(43704, '\0'), 9), 0);
    EXPECT_EQ(9u, file->GetMipCount());
    EXPECT_EQ(8u, file->GetBlockSize());
    EXPECT_EQ(32768u, file->GetLevelSize(0));
    EXPECT_EQ(128u, file->GetLevelOffset(0, 0));
    EXPECT_EQ(8192u, file->GetLevelSize(1));
    EXPECT_EQ(128u + 32768u, file->GetLevelOffset(0, 1));
    EXPECT_EQ(8u, file->GetLevelSize(8));
    EXPECT_EQ(43704u, file->GetSurfaceSize());

    DdsPicture masked;
    masked.pixelFormatFlags = 0x40;
    masked.width = 3;
    masked.height = 2;
    masked.rgbBitCount = 24;
    masked.masks[0] = 0xFF0000;
    masked.data = std::string(24, '\0');
    EXPECT_EQ(24u, Open(masked, 0)->GetLevelSize(0)) << "rows of 9 bytes padded to 12";
}

TEST(FileDDS, MissingFlagsMeanOne) {
    DdsPicture picture = Dxt("DXT5", 4, 4, std::string(16, '\0'), 7);
    picture.flags = 0x1007;  // no mip count
    const auto file = Open(picture, 0);
    EXPECT_EQ(1u, file->GetMipCount());
    EXPECT_EQ(1u, file->GetDepth());
    EXPECT_EQ(16u, file->GetBlockSize());
}

TEST(FileDDS, TheFormatDependsOnWhatTheDeviceTakes) {
    const DdsPicture picture = Dxt("DXT3", 4, 4, std::string(16, '\0'));
    EXPECT_EQ(TextureFormat::Dxt3, Open(picture, Vantor::TextureFormatBit(TextureFormat::Dxt3))->GetFormat());
    EXPECT_EQ(TextureFormat::A8R8G8B8, Open(picture, Vantor::TextureFormatBit(TextureFormat::Dxt1))->GetFormat());
    EXPECT_EQ(TextureFormat::A8R8G8B8, Open(picture, 0)->GetFormat());
}

TEST(FileDDS, AOnePixelLevelDecodesToItsBlocksFirstPixel) {
    const auto file = Open(Dxt("DXT1", 1, 1, SolidDxt1(0xF800)), 0);
    Image image;
    ASSERT_TRUE(file->ReadLevel(0, image));
    EXPECT_EQ(1u, image.GetWidth());
    EXPECT_EQ(32u, image.GetBits());
    EXPECT_EQ((Bytes{255, 0, 0, 255}), PixelAt(image, 0, 0));
}

TEST(FileDDS, DecodedBlocksArePlacedBottomUpAndClippedToTheLevel) {
    // 6 x 5 pixels: 2 x 2 blocks, red, green (top row of blocks), blue, white.
    const std::string data = SolidDxt1(0xF800) + SolidDxt1(0x07E0) + SolidDxt1(0x001F) + SolidDxt1(0xFFFF);
    const auto file = Open(Dxt("DXT1", 6, 5, data), 0);
    Image image;
    ASSERT_TRUE(file->ReadLevel(0, image));
    EXPECT_EQ(6u, image.GetWidth());
    EXPECT_EQ(5u, image.GetHeight());
    EXPECT_EQ((Bytes{255, 0, 0, 255}), PixelAt(image, 0, 4));      // top left
    EXPECT_EQ((Bytes{255, 0, 0, 255}), PixelAt(image, 3, 1));      // the first block's lowest row
    EXPECT_EQ((Bytes{0, 255, 0, 255}), PixelAt(image, 5, 1));
    EXPECT_EQ((Bytes{0, 0, 255, 255}), PixelAt(image, 0, 0));      // the second block row's top row
    EXPECT_EQ((Bytes{255, 255, 255, 255}), PixelAt(image, 5, 0));
}

TEST(FileDDS, ExplicitAndInterpolatedAlphaBlocksDecode) {
    const std::string colour = Chars({0xFF, 0xFF, 0, 0, 0, 0, 0, 0});
    const auto dxt3 = Open(Dxt("DXT3", 1, 1, Chars({0x08, 0, 0, 0, 0, 0, 0, 0}) + colour), 0);
    const auto dxt5 = Open(Dxt("DXT5", 1, 1, Chars({255, 0, 2, 0, 0, 0, 0, 0}) + colour), 0);
    Image image;
    ASSERT_TRUE(dxt3->ReadLevel(0, image));
    EXPECT_EQ((Bytes{255, 255, 255, 136}), PixelAt(image, 0, 0));
    ASSERT_TRUE(dxt5->ReadLevel(0, image));
    EXPECT_EQ((Bytes{255, 255, 255, 218}), PixelAt(image, 0, 0));
}

TEST(FileDDS, RawBlocksAreTurnedUpsideDown) {
    // 4 x 8 pixels: two block rows of one block each.
    const std::string first = Chars({1, 0, 2, 0, 0x10, 0x11, 0x12, 0x13});
    const std::string second = Chars({3, 0, 4, 0, 0x20, 0x21, 0x22, 0x23});
    const auto dxt1 = Open(Dxt("DXT1", 4, 8, first + second), kEveryFormat);
    EXPECT_EQ(TextureFormat::Dxt1, dxt1->GetFormat());
    Image image;
    ASSERT_TRUE(dxt1->ReadLevel(0, image));
    EXPECT_EQ(4u, image.GetWidth());
    EXPECT_EQ(8u, image.GetHeight());
    EXPECT_EQ(16u, image.GetSize()) << "the size of the blocks";
    EXPECT_EQ((Bytes{3, 0, 4, 0, 0x23, 0x22, 0x21, 0x20, 1, 0, 2, 0, 0x13, 0x12, 0x11, 0x10}), PixelsOf(image));

    const std::string colourHalf = Chars({5, 0, 6, 0, 0xA0, 0xA1, 0xA2, 0xA3});
    const auto dxt3 = Open(Dxt("DXT3", 4, 4, Chars({0, 1, 2, 3, 4, 5, 6, 7}) + colourHalf), kEveryFormat);
    ASSERT_TRUE(dxt3->ReadLevel(0, image));
    EXPECT_EQ((Bytes{6, 7, 4, 5, 2, 3, 0, 1, 5, 0, 6, 0, 0xA3, 0xA2, 0xA1, 0xA0}), PixelsOf(image));

    // Alpha rows of 12 bits: 0x111, 0x222, 0x333, 0x444 from the top.
    const std::uint64_t rows = 0x111ull | 0x222ull << 12 | 0x333ull << 24 | 0x444ull << 36;
    Bytes alpha{9, 8};
    for (int i = 0; i < 6; ++i) alpha.push_back(static_cast<std::uint8_t>(rows >> (8 * i)));
    const auto dxt5 = Open(Dxt("DXT5", 4, 4, Chars(alpha) + colourHalf), kEveryFormat);
    ASSERT_TRUE(dxt5->ReadLevel(0, image));
    const std::uint64_t flipped = 0x444ull | 0x333ull << 12 | 0x222ull << 24 | 0x111ull << 36;
    Bytes expected{9, 8};
    for (int i = 0; i < 6; ++i) expected.push_back(static_cast<std::uint8_t>(flipped >> (8 * i)));
    expected.insert(expected.end(), {5, 0, 6, 0, 0xA3, 0xA2, 0xA1, 0xA0});
    EXPECT_EQ(expected, PixelsOf(image));
}

TEST(FileDDS, MaskedPixelsBecomeRedGreenBlueAndAlphaBottomUp) {
    DdsPicture picture;
    picture.pixelFormatFlags = 0x41;
    picture.width = 1;
    picture.height = 2;
    picture.rgbBitCount = 32;
    picture.masks[0] = 0x00FF0000;
    picture.masks[1] = 0x0000FF00;
    picture.masks[2] = 0x000000FF;
    picture.masks[3] = 0xFF000000;
    picture.data = Chars({3, 2, 1, 4, 7, 6, 5, 8});  // top row first, stored B, G, R, A
    const auto file = Open(picture, 0);
    EXPECT_EQ(TextureFormat::A8R8G8B8, file->GetFormat());
    Image image;
    ASSERT_TRUE(file->ReadLevel(0, image));
    EXPECT_EQ(32u, image.GetBits());
    EXPECT_EQ((Bytes{5, 6, 7, 8, 1, 2, 3, 4}), PixelsOf(image));
}

TEST(FileDDS, SixteenBitMasksAreWidenedByRepeatingBits) {
    DdsPicture picture;
    picture.pixelFormatFlags = 0x40;
    picture.width = 2;
    picture.height = 1;
    picture.rgbBitCount = 16;
    picture.masks[0] = 0xF800;
    picture.masks[1] = 0x07E0;
    picture.masks[2] = 0x001F;
    picture.data = Chars({0xFF, 0xFF, 0x10, 0x84});  // white, then red 16, green 32, blue 16
    const auto file = Open(picture, 0);
    EXPECT_EQ(TextureFormat::Rgb24, file->GetFormat());
    Image image;
    ASSERT_TRUE(file->ReadLevel(0, image));
    EXPECT_EQ(24u, image.GetBits());
    EXPECT_EQ((Bytes{255, 255, 255, 132, 130, 132}), PixelsOf(image));
}

TEST(FileDDS, ALevelPastTheEndOrOutsideTheChainFailsAndFreesTheImage) {
    // Level 0 is there, level 1 is cut short.
    const auto file = Open(Dxt("DXT1", 8, 8, std::string(32 + 4, '\0'), 4), 0);
    Image image;
    ASSERT_TRUE(file->ReadLevel(0, image));
    rendertest::TakeLoggedErrors();
    EXPECT_FALSE(file->ReadLevel(1, image));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_THAT(rendertest::TakeLoggedErrors(), testing::ElementsAre(HasSubstr("\"memory.dds\"")));
    EXPECT_FALSE(file->ReadLevel(9, image));
    EXPECT_EQ(1u, rendertest::TakeLoggedErrors().size());
}

TEST(FileDDS, BrokenHeadersFailToOpen) {
    struct Case {
        const char* what;
        DdsPicture picture;
        const char* thrown;
    };
    auto with = [](auto change) {
        DdsPicture picture = Dxt("DXT1", 8, 8, std::string(64, '\0'), 2);
        change(picture);
        return picture;
    };
    const Case cases[] = {
        {"no pixel format", with([](DdsPicture& p) { p.pixelFormatFlags = 0; }), "Unsupported"},
        {"another code", with([](DdsPicture& p) { p.fourCC = "ATI2"; }), "Unsupported"},
        {"12-bit masks", with([](DdsPicture& p) { p.pixelFormatFlags = 0x40, p.rgbBitCount = 12; }), "Unsupported"},
        {"no width", with([](DdsPicture& p) { p.width = 0; }), "Incorrect"},
        {"a width beyond the limit", with([](DdsPicture& p) { p.width = 100000; }), "Incorrect"},
        {"a chain longer than the picture allows", with([](DdsPicture& p) { p.mipCount = 5; }), "Incorrect"},
        {"a huge chain", with([](DdsPicture& p) { p.mipCount = 0xFFFFFFFF; }), "Incorrect"},
        {"a largest level the file cannot hold", with([](DdsPicture& p) { p.height = 32; }), "Incorrect"},
        {"a huge depth", with([](DdsPicture& p) { p.flags |= 0x800000, p.depth = 0x7FFFFFFF; }), "Incorrect"},
        {"a short header", with([](DdsPicture& p) { p.fourCC = "x"; }), "Failed to read"},
    };
    for (const Case& c : cases) {
        std::string bytes = rendertest::DdsFile(c.picture);
        if (std::string(c.thrown) == "Failed to read") bytes.resize(100);
        try {
            FileDDS file(rendertest::MemoryStream(bytes, L"memory.dds").release(), 0);
            ADD_FAILURE() << c.what << " opened";
        } catch (const Vantor::FileError& error) {
            EXPECT_THAT(error.GetText(), AllOf(HasSubstr(c.thrown), HasSubstr("\"memory.dds\""))) << c.what;
        }
    }
}

TEST(FileDDS, AMissingFileThrowsTheOpenError) {
    try {
        FileDDS file(L"pictures\\missing.dds");
        ADD_FAILURE() << "opened";
    } catch (const Vantor::FileError& error) {
        EXPECT_EQ("Failed to open \"pictures\\missing.dds\" file", error.GetText());
    }
}

TEST(FileDDS, OpensThroughTheFileManager) {
    const std::string bytes = rendertest::DdsFile(Dxt("DXT1", 1, 1, SolidDxt1(0x001F)));
    const std::wstring path = rendertest::WritePicture("solid.dds", bytes);
    FileDDS file(path);
    EXPECT_EQ(TextureFormat::A8R8G8B8, file.GetFormat()) << "decoded without a render system";
    Image image;
    ASSERT_TRUE(file.ReadLevel(0, image));
    EXPECT_EQ((Bytes{0, 0, 255, 255}), PixelAt(image, 0, 0));
}

}  // namespace
