#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "content/PictureEncoder.h"
#include "content/SvgRasteriser.h"
#include "content/SvgTemplate.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/Image.h"
#include "tests/content/ContentTestSupport.h"

namespace {

using Content::Picture;
using Content::PictureEncoder;
using Content::SvgRasteriser;
using Content::SvgTemplate;
using testing::HasSubstr;

// Red over the left half and a half pixel more: column 4 is half covered.
Picture HalfRed() {
    return SvgRasteriser::Render(contenttest::Svg(8, 4, "<rect width='4.5' height='4' fill='#ff0000'/>"), "half.svg", 8, 4);
}

std::string ErrorOf(const std::string& svg, int width = 8, int height = 8) {
    try {
        SvgRasteriser::Render(svg, "art/x.svg", width, height);
    } catch (const Vantor::Error& error) {
        return error.GetText();
    }
    return "";
}

// Writes the file below the data folder and reads it as the texture code does.
bool LoadBack(const std::string& file, const PictureEncoder::Bytes& bytes, Vantor::Image& image) {
    const std::wstring path = contenttest::WriteData(file, bytes);
    return image.Load(Vantor::FileManager::Instance()->GetDataPath(path), true);
}

TEST(SvgRasteriser, AnAntialiasedEdgeKeepsItsColourAndCarriesTheCoverInAlpha) {
    const Picture picture = HalfRed();
    for (int y = 0; y < 4; ++y) {
        const std::uint8_t* inside = picture.Pixel(3, y);
        const std::uint8_t* edge = picture.Pixel(4, y);
        const std::uint8_t* outside = picture.Pixel(5, y);
        EXPECT_EQ((std::vector<int>{255, 0, 0, 255}), (std::vector<int>{inside[0], inside[1], inside[2], inside[3]}));
        // Un-premultiplied: full red at half cover, not a darker red.
        EXPECT_EQ(255, edge[0]);
        EXPECT_NEAR(128, edge[3], 2);
        EXPECT_EQ(0, outside[3]);
    }
}

TEST(SvgRasteriser, TheDocumentIsFittedIntoThePicture) {
    // A 4x2 drawing rendered at 8x4: the left half of the picture is red.
    const Picture picture =
        SvgRasteriser::Render(contenttest::Svg(4, 2, "<rect width='2' height='2' fill='#00ff00'/>"), "s.svg", 8, 4);
    EXPECT_EQ(255, picture.Pixel(3, 3)[3]);
    EXPECT_EQ(255, picture.Pixel(3, 3)[1]);
    EXPECT_EQ(0, picture.Pixel(4, 0)[3]);
}

TEST(SvgRasteriser, RefusesWhatWouldNotLoadTheSameEverywhere) {
    EXPECT_THAT(ErrorOf("<svg"), HasSubstr("art/x.svg: not a valid SVG document"));
    EXPECT_THAT(ErrorOf(contenttest::Svg(8, 8, "<text x='1' y='5'>Hi</text>")), HasSubstr("art/x.svg: holds a text element"));
    const std::string fine = contenttest::Svg(8, 8, "");
    EXPECT_THAT(ErrorOf(fine, 12, 8), HasSubstr("art/x.svg: picture size 12x8 is not a power of two up to 1024"));
    EXPECT_THAT(ErrorOf(fine, 8, 2048), HasSubstr("not a power of two"));
    EXPECT_EQ("", ErrorOf(fine, 1024, 1));
}

TEST(SvgTemplate, FillsParametersWithFixedDecimals) {
    EXPECT_EQ("<g transform='rotate(12.5)' opacity='0.3333'/>",
              SvgTemplate::Fill("<g transform='rotate(${a})' opacity='${b}'/>", "t.svg", {{"a", 12.5}, {"b", 1.0 / 3}}));
    EXPECT_EQ("3", SvgTemplate::Format(3.0));
    EXPECT_EQ("0", SvgTemplate::Format(-0.00001));
    EXPECT_THROW(SvgTemplate::Fill("${a", "t.svg", {{"a", 1}}), Vantor::Error);
    try {
        SvgTemplate::Fill("${c}", "t.svg", {{"a", 1}});
        ADD_FAILURE();
    } catch (const Vantor::Error& error) {
        EXPECT_EQ("t.svg: no value for parameter \"c\"", error.GetText());
    }
}

// Each format read back by the engine's reader: rows bottom first there.
TEST(PictureEncoder, EveryFormatReadsBackThroughTheEnginesReaders) {
    const Picture picture = HalfRed();
    struct Case {
        const char* file;
        PictureEncoder::Bytes bytes;
        int tolerance;
        bool hasAlpha;
    };
    for (const Case& c : {Case{"pictures/half.png", PictureEncoder::Png(picture), 0, true},
                          Case{"pictures/half.tga", PictureEncoder::Tga(picture), 0, true},
                          Case{"pictures/half.jpg", PictureEncoder::Jpeg(picture), 40, false},
                          Case{"pictures/half_alpha.jpg", PictureEncoder::JpegAlpha(picture), 40, false}}) {
        SCOPED_TRACE(c.file);
        Vantor::Image image;
        ASSERT_TRUE(LoadBack(c.file, c.bytes, image));
        ASSERT_EQ(8u, image.GetWidth());
        ASSERT_EQ(4u, image.GetHeight());
        const std::uint32_t bytesPerPixel = image.GetBits() / 8;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                // Row y of the engine's image is row 3 - y of the picture.
                const std::uint8_t* read = image.GetPixels() + y * image.GetRowBytes() + x * bytesPerPixel;
                const std::uint8_t* made = picture.Pixel(x, 3 - y);
                if (bytesPerPixel == 1) {
                    EXPECT_NEAR(made[3], read[0], c.tolerance);
                } else {
                    if (made[3] == 255) {
                        EXPECT_NEAR(made[0], read[0], c.tolerance);
                    }
                    if (c.hasAlpha) {
                        EXPECT_NEAR(made[3], read[3], c.tolerance);
                    }
                }
            }
    }
    EXPECT_TRUE(contenttest::TakeLoggedProblems().empty());
}

TEST(PictureEncoder, AnOpaquePictureIsStoredWithoutAlpha) {
    Picture white(4, 4);
    std::fill(white.rgba.begin(), white.rgba.end(), 255);
    Vantor::Image image;
    ASSERT_TRUE(LoadBack("pictures/white.png", PictureEncoder::Png(white), image));
    EXPECT_EQ(24u, image.GetBits());
}

}  // namespace
