#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/render/Image.h"
#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/PictureFixtures.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using rendertest::BmpPicture;
using testing::HasSubstr;
using Vantor::Image;

using rendertest::PixelsOf;

std::string Chars(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

bool ReadBmp(Image& image, const BmpPicture& picture, bool readPixels = true) {
    return image.LoadBMP(*rendertest::MemoryStream(rendertest::BmpFile(picture), L"pictures\\memory.bmp"),
                         readPixels);
}

// 3 x 2 at 24 bits: each file row is 9 bytes of blue, green, red and 3 of padding.
BmpPicture ThreeWide(int height) {
    BmpPicture picture;
    picture.width = 3;
    picture.height = height;
    picture.data = Chars({3, 2, 1, 6, 5, 4, 9, 8, 7, 0xEE, 0xEE, 0xEE,  //
                          13, 12, 11, 16, 15, 14, 19, 18, 17, 0xEE, 0xEE, 0xEE});
    return picture;
}

TEST(ImageReaderBMP, BottomUpRowsSkipTheirPaddingAndBecomeRedGreenBlue) {
    Image image;
    ASSERT_TRUE(ReadBmp(image, ThreeWide(2)));
    EXPECT_EQ(3u, image.GetWidth());
    EXPECT_EQ(2u, image.GetHeight());
    EXPECT_EQ(24u, image.GetBits());
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19}), PixelsOf(image));
}

TEST(ImageReaderBMP, TopDownRowsAreReversed) {
    Image image;
    ASSERT_TRUE(ReadBmp(image, ThreeWide(-2)));
    EXPECT_EQ(2u, image.GetHeight());
    EXPECT_EQ((Bytes{11, 12, 13, 14, 15, 16, 17, 18, 19, 1, 2, 3, 4, 5, 6, 7, 8, 9}), PixelsOf(image));
}

TEST(ImageReaderBMP, ThirtyTwoBitRowsHaveNoPadding) {
    BmpPicture picture;
    picture.width = 1;
    picture.height = 2;
    picture.bitCount = 32;
    picture.data = Chars({3, 2, 1, 4, 7, 6, 5, 8});
    Image image;
    ASSERT_TRUE(ReadBmp(image, picture));
    EXPECT_EQ(32u, image.GetBits());
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5, 6, 7, 8}), PixelsOf(image));
}

TEST(ImageReaderBMP, PaletteIndicesBecomeThePaletteColours) {
    BmpPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.bitCount = 8;
    std::string palette(256 * 4, '\0');
    palette.replace(4, 4, Chars({30, 20, 10, 0}));
    palette.replace(255 * 4, 4, Chars({3, 2, 1, 0}));
    picture.palette = palette;
    picture.data = Chars({1, 255, 0xEE, 0xEE, 0, 1, 0xEE, 0xEE});
    Image image;
    ASSERT_TRUE(ReadBmp(image, picture));
    EXPECT_EQ(24u, image.GetBits());
    EXPECT_EQ((Bytes{10, 20, 30, 1, 2, 3, 0, 0, 0, 10, 20, 30}), PixelsOf(image));
}

TEST(ImageReaderBMP, AShortPaletteAndALongerHeaderAreFoundThroughTheHeader) {
    BmpPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.bitCount = 8;
    picture.headerSize = 124;
    picture.colorsUsed = 2;
    picture.palette = Chars({30, 20, 10, 0, 3, 2, 1, 0});
    picture.data = Chars({1, 0, 0xEE, 0xEE});
    Image image;
    ASSERT_TRUE(ReadBmp(image, picture));
    EXPECT_EQ((Bytes{1, 2, 3, 10, 20, 30}), PixelsOf(image));
}

TEST(ImageReaderBMP, AHeaderOnlyReadSetsTheFormatWithoutPixels) {
    Image image;
    ASSERT_TRUE(ReadBmp(image, ThreeWide(-2), false));
    EXPECT_EQ(3u, image.GetWidth());
    EXPECT_EQ(2u, image.GetHeight());
    EXPECT_EQ(nullptr, image.GetPixels());
}

TEST(ImageReaderBMP, BrokenAndUnsupportedFilesFailWithALoggedError) {
    struct Case {
        const char* what;
        BmpPicture picture;
        const char* logged;
    };
    auto with = [](auto change) {
        BmpPicture picture = ThreeWide(2);
        change(picture);
        return picture;
    };
    const Case cases[] = {
        {"rows missing", with([](BmpPicture& p) { p.data.resize(20); }), "Incorrect"},
        {"no width", with([](BmpPicture& p) { p.width = 0; }), "Incorrect"},
        {"a negative width", with([](BmpPicture& p) { p.width = -3; }), "Incorrect"},
        {"a height beyond the limit", with([](BmpPicture& p) { p.height = 40000; }), "Incorrect"},
        {"the lowest height", with([](BmpPicture& p) { p.height = INT32_MIN; }), "Incorrect"},
        {"16 bits per pixel", with([](BmpPicture& p) { p.bitCount = 16; }), "Unsupported"},
        {"run-length 8 bits", with([](BmpPicture& p) { p.bitCount = 8, p.compression = 1; }), "Unsupported"},
        {"more than 256 colours", with([](BmpPicture& p) { p.bitCount = 8, p.colorsUsed = 300; }), "Unsupported"},
        {"a core header", with([](BmpPicture& p) { p.headerSize = 12, p.data += std::string(30, 0); }), "Unsupported"},
    };
    for (const Case& c : cases) {
        for (bool readPixels : {true, false}) {
            Image image;
            rendertest::TakeLoggedErrors();
            EXPECT_FALSE(ReadBmp(image, c.picture, readPixels)) << c.what;
            EXPECT_TRUE(image.IsEmpty()) << c.what;
            EXPECT_THAT(rendertest::TakeLoggedErrors(),
                        testing::ElementsAre(AllOf(HasSubstr(c.logged), HasSubstr("memory.bmp"))))
                << c.what;
        }
    }
}

TEST(ImageReaderBMP, AFileNotStartingWithBMIsNotRead) {
    std::string file = rendertest::BmpFile(ThreeWide(2));
    file[1] = 'A';
    Image image;
    rendertest::TakeLoggedErrors();
    EXPECT_FALSE(image.LoadBMP(*rendertest::MemoryStream(file, L"ba.bmp"), true));
    EXPECT_THAT(rendertest::TakeLoggedErrors(), testing::ElementsAre(HasSubstr("Incorrect \"ba.bmp\" file format")));
}

}  // namespace
