#include <png.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/render/Image.h"
#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/PictureFixtures.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using rendertest::PngPicture;
using testing::HasSubstr;
using Vantor::Image;

using rendertest::PixelsOf;

std::string Chars(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

PngPicture Picture(unsigned width, int colorType, int bitDepth, std::vector<Bytes> rows) {
    PngPicture picture;
    picture.width = width;
    picture.height = static_cast<unsigned>(rows.size());
    picture.colorType = colorType;
    picture.bitDepth = bitDepth;
    for (const Bytes& row : rows) picture.rows.push_back(Chars(row));
    return picture;
}

bool ReadPng(Image& image, const std::string& file, bool readPixels = true) {
    return image.LoadPNG(*rendertest::MemoryStream(file, L"pictures\\memory.png"), readPixels);
}

struct PngCase {
    const char* what;
    PngPicture picture;
    std::uint32_t bits;
    Bytes pixels;  // bottom row first
};

TEST(ImageReaderPNG, EachKindOfPictureLoadsAsRedGreenBlueWithAlphaWhenItHasAny) {
    PngPicture palette = Picture(3, PNG_COLOR_TYPE_PALETTE, 8, {{0, 1, 2}});
    palette.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    PngPicture transparent = palette;
    transparent.transparency = {0, 128};
    PngPicture lowDepth = Picture(4, PNG_COLOR_TYPE_PALETTE, 2, {{0b00011011}});
    lowDepth.palette = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    PngPicture interlaced = Picture(2, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    interlaced.interlaced = true;

    const PngCase cases[] = {
        {"colour, top row last", Picture(2, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}), 24,
         {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}},
        {"colour with alpha", Picture(1, PNG_COLOR_TYPE_RGBA, 8, {{1, 2, 3, 4}}), 32, {1, 2, 3, 4}},
        {"grey", Picture(2, PNG_COLOR_TYPE_GRAY, 8, {{9, 200}}), 24, {9, 9, 9, 200, 200, 200}},
        {"16-bit grey", Picture(1, PNG_COLOR_TYPE_GRAY, 16, {{0xAB, 0xCD}}), 24, {0xAB, 0xAB, 0xAB}},
        {"grey with alpha", Picture(1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{5, 6}}), 32, {5, 5, 5, 6}},
        {"1-bit grey", Picture(3, PNG_COLOR_TYPE_GRAY, 1, {{0b10100000}}), 24, {255, 255, 255, 0, 0, 0, 255, 255, 255}},
        {"palette", palette, 24, {255, 0, 0, 0, 255, 0, 0, 0, 255}},
        {"palette with transparency", transparent, 32, {255, 0, 0, 0, 0, 255, 0, 128, 0, 0, 255, 255}},
        {"2-bit palette", lowDepth, 24, {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}},
        {"interlaced", interlaced, 24, {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}},
    };
    for (const PngCase& c : cases) {
        const std::string file = rendertest::PngFile(c.picture);
        Image image;
        ASSERT_TRUE(ReadPng(image, file)) << c.what;
        EXPECT_EQ(c.picture.width, image.GetWidth()) << c.what;
        EXPECT_EQ(c.bits, image.GetBits()) << c.what;
        EXPECT_EQ(c.pixels, PixelsOf(image)) << c.what;

        Image header;
        ASSERT_TRUE(ReadPng(header, file, false)) << c.what;
        EXPECT_EQ(c.bits, header.GetBits()) << c.what;
        EXPECT_EQ(nullptr, header.GetPixels()) << c.what;
    }
}

TEST(ImageReaderPNG, ReadsThroughADiskFileAndTheFileManager) {
    const std::string file = rendertest::PngFile(Picture(1, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3}}));
    Image fromDisk;
    ASSERT_TRUE(fromDisk.LoadPNG(*rendertest::DiskStream("disk.png", file), true));
    EXPECT_EQ((Bytes{1, 2, 3}), PixelsOf(fromDisk));

    Image loaded;
    ASSERT_TRUE(loaded.Load(rendertest::WritePicture("Loaded.PNG", file), true));
    EXPECT_EQ((Bytes{1, 2, 3}), PixelsOf(loaded));
}

TEST(ImageReaderPNG, BrokenFilesFailWithALoggedErrorAndTheProgramGoesOn) {
    const std::string good = rendertest::PngFile(Picture(2, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}}));
    std::string badCheckSum = good;
    badCheckSum[30] ^= 0x55;
    const std::string cases[] = {
        good.substr(0, good.size() - 20),              // ends inside the data
        good.substr(0, 20),                            // ends inside the header
        "not a picture at all",                        //
        badCheckSum,                                   //
        rendertest::WithPngSize(good, 4000, 4000),     // far more pixels than the data can hold
        rendertest::WithPngSize(good, 20000, 1),       // beyond the size limit
    };
    for (const std::string& file : cases) {
        Image image;
        rendertest::TakeLoggedErrors();
        EXPECT_FALSE(ReadPng(image, file));
        EXPECT_THAT(rendertest::TakeLoggedErrors(), testing::ElementsAre(HasSubstr("\"pictures\\memory.png\"")));
    }
}

TEST(ImageReaderPNG, TheLibrarysMessageGoesToTheLogAndNotToStandardError) {
    const std::string good = rendertest::PngFile(Picture(2, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}}));
    Image image;
    rendertest::TakeLoggedErrors();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ReadPng(image, good.substr(0, good.size() - 20)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_THAT(rendertest::TakeLoggedErrors(),
                testing::ElementsAre("\nError: Failed to decode \"pictures\\memory.png\" file: Read Error!\n\n"));
}

}  // namespace
