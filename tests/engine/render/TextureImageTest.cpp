// Texture images: pictures fitted to power-of-two sides within the device's maximum,
// opacity pictures brought to the colour picture's size, the checker that stands in for
// pictures that cannot be read, mip chains, DDS files and reading the size alone. The
// texture image reads the device's limits, so it is tested against the render system.

#include "engine/render/TextureImage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/TextureTestSupport.h"

namespace {

using texturetest::Picture;
using texturetest::Rgba;
using Vantor::Image;
using Vantor::TextureFormat;
using Vantor::TextureImage;

class TextureImageTest : public texturetest::TextureTest {
protected:
    // The render system with the default device, its start-up lines taken from the log.
    void MakeRenderSystem() {
        Make();
        TakeWarnings();
    }

    std::wstring WriteTga(const std::string& name, const Picture& picture) {
        return WritePicture(name, texturetest::TgaFile(picture));
    }

    static std::vector<std::string> MipSizes(const TextureImage& image) {
        std::vector<std::string> sizes;
        for (const Image* level : image.GetMipImages())
            sizes.push_back(std::to_string(level->GetWidth()) + "x" + std::to_string(level->GetHeight()));
        return sizes;
    }

    static std::uint32_t PixelAt(const Image& image, std::uint32_t x, std::uint32_t y) {
        const std::uint32_t bytes = image.GetBits() / 8;
        const std::uint8_t* pixel = rendertest::PixelAddress(image, x, y);
        if (bytes == 1) return Rgba(pixel[0], pixel[0], pixel[0], 255);
        return Rgba(pixel[0], pixel[1], pixel[2], bytes == 4 ? pixel[3] : 255);
    }
};

TEST(PowerOfTwoTest, AcceptsZeroAndThePowersUpTo65536) {
    for (std::uint32_t value : {0u, 1u, 2u, 4u, 256u, 65536u}) EXPECT_TRUE(Vantor::IsPowerOfTwo(value)) << value;
    for (std::uint32_t value : {3u, 6u, 300u, 65535u, 131072u, 0x80000000u})
        EXPECT_FALSE(Vantor::IsPowerOfTwo(value)) << value;
}

// --- fitting -------------------------------------------------------------------------

TEST_F(TextureImageTest, SidesAreFittedToTheNearestPowerOfTwoAndTheDeviceMaximum) {
    SetDeviceCaps(
        [](platform::Direct3DDeviceCaps& device) { device.maxTextureWidth = device.maxTextureHeight = 1024; });
    MakeRenderSystem();
    struct Case {
        std::uint32_t width, height, fittedWidth, fittedHeight;
        bool warned;
    };
    const Case cases[] = {
        {300, 200, 256, 256, true},       // 300 is nearer 256 than 512, 200 nearer 256 than 128
        {384, 96, 512, 128, true},        // ties keep the larger power
        {3, 1, 4, 1, true},               // a tie again
        {2048, 2048, 1024, 1024, false},  // the device's maximum, without a warning
        {64, 32, 64, 32, false},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + ".tga";
        SCOPED_TRACE(name);
        const std::wstring path = WriteTga(name, texturetest::SolidPicture(c.width, c.height, 8, Rgba(9, 9, 9)));
        TextureImage image(path, L"", false);
        image.Load();
        EXPECT_EQ(image.GetWidth(), c.fittedWidth);
        EXPECT_EQ(image.GetHeight(), c.fittedHeight);
        ASSERT_NE(image.GetColourImage(), nullptr);
        EXPECT_EQ(image.GetColourImage()->GetWidth(), c.fittedWidth);
        const std::vector<std::string> expected{"Texture Image: \"pictures\\" + name +
                                                "\" image size should be power of two"};
        EXPECT_EQ(TakeWarnings(), c.warned ? expected : std::vector<std::string>{});
    }
}

TEST_F(TextureImageTest, AnImageHandedOverIsResizedInPlaceAndKept) {
    MakeRenderSystem();
    Image* colour = texturetest::MakeImage(texturetest::MakePicture(3, 2, 24, [](std::uint32_t x, std::uint32_t y) {
        return Rgba(std::uint8_t(10 * x), std::uint8_t(100 * y), 7);
    }));
    TextureImage image(colour, nullptr, false);
    image.Load();
    image.ClearImages();
    ASSERT_EQ(image.GetColourImage(), colour);
    EXPECT_EQ(colour->GetWidth(), 4u);
    EXPECT_EQ(colour->GetHeight(), 2u);
    // Nearest pixels: the first and last columns stay where they were.
    EXPECT_EQ(PixelAt(*colour, 0, 1), Rgba(0, 100, 7));
    EXPECT_EQ(PixelAt(*colour, 3, 0), Rgba(20, 0, 7));
    EXPECT_EQ(image.GetBits(), 24u);
    EXPECT_EQ(image.GetFormat(), TextureFormat::Rgb24);
}

// --- opacity -------------------------------------------------------------------------

TEST_F(TextureImageTest, AnOpacityPictureOfAnotherSizeIsResizedAndMakesThe32BitFormat) {
    Values().useMipMapping = true;
    MakeRenderSystem();
    const std::wstring colour = WriteTga("wood.tga", texturetest::SolidPicture(64, 64, 24, Rgba(200, 100, 50)));
    // Transparent on the left half, opaque on the right.
    const std::wstring opacity = WriteTga("wood_alpha.tga", texturetest::MakePicture(32, 32, 8, [](auto x, auto) {
                                              return x < 16 ? Rgba(0, 0, 0) : Rgba(255, 255, 255);
                                          }));
    TextureImage image(colour, opacity, true);
    image.Load();
    EXPECT_EQ(TakeWarnings(), std::vector<std::string>{"Texture Image: \"pictures\\wood_alpha.tga\" image size "
                                                       "should be the same as \"pictures\\wood.tga\""});
    ASSERT_NE(image.GetOpacityImage(), nullptr);
    EXPECT_EQ(image.GetOpacityImage()->GetWidth(), 64u);
    EXPECT_EQ(image.GetOpacityImage()->GetHeight(), 64u);
    EXPECT_EQ(image.GetBits(), 32u);
    EXPECT_EQ(image.GetFormat(), TextureFormat::A8R8G8B8);
    ASSERT_FALSE(image.GetMipImages().empty());
    const Image& level1 = *image.GetMipImages().front();
    EXPECT_EQ(level1.GetWidth(), 32u);
    EXPECT_EQ(level1.GetBits(), 32u);
    EXPECT_EQ(PixelAt(level1, 0, 0), Rgba(200, 100, 50, 0));
    EXPECT_EQ(PixelAt(level1, 31, 31), Rgba(200, 100, 50, 255));

    image.ClearImages();
    EXPECT_EQ(image.GetColourImage(), nullptr) << "pictures of files are kept only for an upload";
    EXPECT_EQ(image.GetOpacityImage(), nullptr);
    EXPECT_TRUE(image.GetMipImages().empty());
}

TEST_F(TextureImageTest, TheSamePathForColourAndOpacityTakesTheOpacityFromTheColourPicture) {
    MakeRenderSystem();
    const std::wstring path = WriteTga("grey.tga", texturetest::SolidPicture(4, 4, 24, Rgba(77, 1, 2)));
    TextureImage image(path, path, false);
    image.Load();
    ASSERT_NE(image.GetOpacityImage(), nullptr);
    EXPECT_EQ(PixelAt(*image.GetOpacityImage(), 2, 2), Rgba(77, 1, 2));
    EXPECT_EQ(image.GetBits(), 32u);
}

// --- pictures that cannot be read ------------------------------------------------------

TEST_F(TextureImageTest, APictureThatCannotBeReadShowsTheCheckerAndTheReasonIsLogged) {
    MakeRenderSystem();
    home_.folder.WriteFile("pictures/broken.tga", "short");
    struct Case {
        const wchar_t* colour;
        const char* loggedError;  // the start of the reader's error
    };
    const Case cases[] = {
        {L"pictures\\missing.tga", ""},
        {L"pictures\\broken.tga", ""},
        {L"data\\look\\ghost", "Unknown \"data\\look\\ghost\" image file type"},  // a picture the lookup did not find
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.colour, c.colour + std::wcslen(c.colour)));
        TextureImage image(c.colour, L"", false);
        image.Load();
        const std::vector<std::string> errors = TakeErrors();
        ASSERT_FALSE(errors.empty());
        EXPECT_THAT(errors.front(), testing::StartsWith(c.loggedError));
        EXPECT_EQ(image.GetWidth(), 64u);
        EXPECT_EQ(image.GetHeight(), 64u);
        EXPECT_EQ(image.GetBits(), 24u);
        EXPECT_EQ(image.GetFormat(), TextureFormat::Rgb24);
        const Image& checker = *image.GetColourImage();
        EXPECT_EQ(PixelAt(checker, 0, 0), Rgba(255, 255, 0));
        EXPECT_EQ(PixelAt(checker, 8, 0), Rgba(0, 0, 0));
        EXPECT_EQ(PixelAt(checker, 63, 63), Rgba(255, 255, 0));
    }
}

TEST_F(TextureImageTest, TheCheckerTakesAnOpacityPictureResizedToIt) {
    MakeRenderSystem();
    const std::wstring opacity = WriteTga("big_alpha.tga", texturetest::SolidPicture(128, 128, 8, Rgba(40, 40, 40)));
    TextureImage image(L"pictures\\missing.tga", opacity, false);
    image.Load();
    EXPECT_EQ(TakeWarnings(), std::vector<std::string>{"Texture Image: \"pictures\\big_alpha.tga\" image size should "
                                                       "be the same as \"pictures\\missing.tga\""});
    EXPECT_EQ(image.GetOpacityImage()->GetWidth(), 64u);
    EXPECT_EQ(image.GetBits(), 32u);
    EXPECT_EQ(image.GetFormat(), TextureFormat::A8R8G8B8);
}

TEST_F(TextureImageTest, AnUnreadableOpacityPictureLeavesTheTextureOpaque) {
    MakeRenderSystem();
    const std::wstring colour = WriteTga("plain.tga", texturetest::SolidPicture(8, 8, 24, Rgba(1, 2, 3)));
    TextureImage image(colour, L"pictures\\plain_alpha.tga", false);
    image.Load();
    EXPECT_EQ(image.GetOpacityImage(), nullptr);
    EXPECT_EQ(image.GetBits(), 24u);
}

TEST_F(TextureImageTest, AnImageHandedOverWithoutPixelsShowsTheChecker) {
    MakeRenderSystem();
    TextureImage image(new Image, nullptr, false);
    image.Load();
    EXPECT_EQ(image.GetWidth(), 64u);
    EXPECT_EQ(PixelAt(*image.GetColourImage(), 0, 0), Rgba(255, 255, 0));
}

// --- mip chains ----------------------------------------------------------------------

TEST_F(TextureImageTest, TheMipChainRunsDownToOnePixelAlongTheLongerSide) {
    Values().useMipMapping = true;
    MakeRenderSystem();
    const std::wstring path = WriteTga("wide.tga", texturetest::SolidPicture(256, 64, 24, Rgba(5, 6, 7)));
    TextureImage image(path, L"", true);
    image.Load();
    EXPECT_TRUE(image.IsMipMapped());
    EXPECT_THAT(MipSizes(image), testing::ElementsAre("128x32", "64x16", "32x8", "16x4", "8x2", "4x1", "2x1", "1x1"));
    for (const Image* level : image.GetMipImages()) EXPECT_EQ(PixelAt(*level, 0, 0), Rgba(5, 6, 7));

    // Every load builds the chain afresh, once.
    image.ClearImages();
    image.Load();
    EXPECT_EQ(image.GetMipImages().size(), 8u);
}

TEST_F(TextureImageTest, MipMapsNeedTheRequestAndTheConfiguration) {
    MakeRenderSystem();
    const std::wstring path = WriteTga("small.tga", texturetest::SolidPicture(8, 8, 24, Rgba(5, 6, 7)));
    for (bool configured : {false, true}) {
        for (bool requested : {false, true}) {
            Values().useMipMapping = configured;
            TextureImage image(path, L"", requested);
            image.Load();
            EXPECT_EQ(image.IsMipMapped(), configured && requested);
            EXPECT_EQ(image.GetMipImages().size(), configured && requested ? 3u : 0u);
        }
    }
}

TEST_F(TextureImageTest, ShowingMipMapsPaintsLevelOneRedAndEverySmallerLevelIsMadeFromIt) {
    Values().useMipMapping = true;
    Values().showMipMaps = true;
    MakeRenderSystem();
    Image* colour = texturetest::MakeImage(texturetest::SolidPicture(8, 8, 32, Rgba(0, 255, 0, 77)));
    TextureImage image(colour, nullptr, true);
    image.Load();
    ASSERT_EQ(image.GetMipImages().size(), 3u);
    EXPECT_EQ(PixelAt(*image.GetMipImages()[0], 3, 3), Rgba(255, 0, 0, 77));
    EXPECT_EQ(PixelAt(*image.GetMipImages()[1], 1, 1), Rgba(255, 0, 0, 77));
    EXPECT_EQ(PixelAt(*image.GetMipImages()[2], 0, 0), Rgba(255, 0, 0, 77));
    EXPECT_EQ(PixelAt(*colour, 0, 0), Rgba(0, 255, 0, 77));
}

TEST(BuildMipLevelTest, AveragesEachTwoByTwoBlock) {
    struct Case {
        const char* name;
        Picture source;
        Picture opacity;  // none when empty
        std::uint32_t width, height, bits;
        std::uint32_t first;  // the first output pixel
    };
    auto pixels = [](std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::vector<std::uint8_t> bytes) {
        return Picture{width, height, bits, std::move(bytes)};
    };
    const Case cases[] = {
        {"2x1 averages each pixel twice", pixels(2, 1, 24, {10, 20, 30, 20, 40, 61}), {}, 1, 1, 24,
         Rgba(15, 30, 46)},
        {"1x4 averages rows only", pixels(1, 4, 8, {0, 255, 9, 9}), {}, 1, 2, 8, Rgba(128, 128, 128)},
        {"grey with 32-bit opacity", pixels(2, 2, 8, {0, 100, 200, 255}),
         pixels(2, 2, 32, {9, 9, 9, 0, 9, 9, 9, 255, 9, 9, 9, 255, 9, 9, 9, 255}), 1, 1, 32, Rgba(139, 139, 139, 191)},
        {"32-bit colour with grey opacity", pixels(2, 2, 32, {4, 8, 12, 1, 4, 8, 12, 1, 4, 8, 12, 1, 4, 8, 12, 1}),
         pixels(2, 2, 8, {255, 255, 255, 255}), 1, 1, 32, Rgba(4, 8, 12, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Image> source(texturetest::MakeImage(c.source));
        std::unique_ptr<Image> opacity(c.opacity.width ? texturetest::MakeImage(c.opacity) : nullptr);
        Image target;
        TextureImage::BuildMipLevel(*source, opacity.get(), target);
        EXPECT_EQ(target.GetWidth(), c.width);
        EXPECT_EQ(target.GetHeight(), c.height);
        ASSERT_EQ(target.GetBits(), c.bits);
        const std::uint8_t* p = target.GetPixels();
        const std::uint32_t first = c.bits == 8    ? Rgba(p[0], p[0], p[0])
                                    : c.bits == 24 ? Rgba(p[0], p[1], p[2])
                                                   : Rgba(p[0], p[1], p[2], p[3]);
        EXPECT_EQ(first, c.first);
    }
}

// --- DDS files -----------------------------------------------------------------------

// One DXT1 block of a single colour, and a chain of such levels for a square side.
std::string Dxt1Levels(std::uint32_t side) {
    const std::string block("\x00\xF8\x00\xF8\x00\x00\x00\x00", 8);  // red, red
    std::string levels;
    for (; side > 0; side /= 2) {
        const std::uint32_t blocks = std::max(1u, side / 4) * std::max(1u, side / 4);
        for (std::uint32_t i = 0; i < blocks; ++i) levels += block;
    }
    return levels;
}

TEST_F(TextureImageTest, ADdsFileKeepsItsOwnLevelsAndFormat) {
    Values().useMipMapping = true;
    MakeRenderSystem();
    // The extension test ignores letter case.
    const std::wstring path = WritePicture("red.DDS", texturetest::DdsFile(8, 8, "DXT1", 4, Dxt1Levels(8)));
    TextureImage image(path, L"", true);
    image.Load();
    EXPECT_EQ(image.GetFormat(), TextureFormat::Dxt1);
    EXPECT_EQ(image.GetWidth(), 8u);
    EXPECT_EQ(image.GetBits(), 32u);
    EXPECT_TRUE(image.IsMipMapped());
    EXPECT_THAT(MipSizes(image), testing::ElementsAre("4x4", "2x2", "1x1"));
    EXPECT_EQ(image.GetColourImage()->GetSize(), 32u) << "raw blocks";

    TextureImage info(path, L"", false);
    info.ReadInfo();
    EXPECT_EQ(info.GetWidth(), 8u);
    EXPECT_EQ(info.GetFormat(), TextureFormat::Dxt1);
    EXPECT_TRUE(info.IsMipMapped()) << "the file has levels beyond 0";
}

TEST_F(TextureImageTest, ADdsFileThatCannotBeReadShowsTheChecker) {
    Values().useMipMapping = true;
    MakeRenderSystem();
    // Level 0 is there, the further levels the header promises are not.
    const std::wstring cut =
        WritePicture("cut.dds", texturetest::DdsFile(8, 8, "DXT1", 4, Dxt1Levels(8).substr(0, 32)));
    for (const std::wstring& path : {std::wstring(L"pictures\\none.dds"), cut}) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        TextureImage image(path, L"", true);
        image.Load();
        EXPECT_EQ(image.GetWidth(), 64u);
        EXPECT_EQ(image.GetFormat(), TextureFormat::Rgb24);
        EXPECT_EQ(PixelAt(*image.GetColourImage(), 0, 0), Rgba(255, 255, 0));
        EXPECT_EQ(image.GetMipImages().size(), 6u) << "the checker's own chain";
    }
    // A file that cannot be opened is logged as a plain message.
    EXPECT_THAT(Messages(), testing::Contains(testing::HasSubstr("none.dds")));
}

// --- the size alone --------------------------------------------------------------------

TEST_F(TextureImageTest, ReadingTheSizeKeepsNoPixelsAndDoesNotFit) {
    MakeRenderSystem();
    const std::wstring path = WriteTga("odd.tga", texturetest::SolidPicture(300, 200, 24, Rgba(1, 1, 1)));
    TextureImage image(path, L"", false);
    image.ReadInfo();
    EXPECT_EQ(image.GetWidth(), 300u);
    EXPECT_EQ(image.GetHeight(), 200u);
    EXPECT_EQ(image.GetColourImage(), nullptr);
    EXPECT_EQ(TakeWarnings().size(), 1u);

    TextureImage missing(L"pictures\\missing.tga", L"", false);
    missing.ReadInfo();
    EXPECT_EQ(missing.GetWidth(), 64u);
    EXPECT_EQ(missing.GetColourImage(), nullptr);
}

}  // namespace
