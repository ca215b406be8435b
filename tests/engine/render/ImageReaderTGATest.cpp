#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/render/Image.h"
#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/PictureFixtures.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using rendertest::TgaPicture;
using testing::HasSubstr;
using Vantor::Image;

using rendertest::PixelsOf;

std::string Chars(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

bool ReadFromMemory(Image& image, const std::string& file, bool readPixels = true) {
    return image.LoadTGA(*rendertest::MemoryStream(file, L"pictures\\memory.tga"), readPixels);
}

// 2 x 2, 24 bits; the file's rows hold blue, green, red: first row pixels 1 and 2,
// second row pixels 3 and 4.
TgaPicture TwoRows(unsigned descriptor) {
    TgaPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.descriptor = descriptor;
    picture.data = Chars({3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10});
    return picture;
}

TEST(ImageReaderTGA, BitFiveClearKeepsTheFileRowOrder) {
    Image image;
    ASSERT_TRUE(ReadFromMemory(image, rendertest::TgaFile(TwoRows(0))));
    EXPECT_EQ(24u, image.GetBits());
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), PixelsOf(image));
}

TEST(ImageReaderTGA, BitFiveSetPutsTheFirstFileRowAtTheTop) {
    Image image;
    ASSERT_TRUE(ReadFromMemory(image, rendertest::TgaFile(TwoRows(0x20))));
    EXPECT_EQ((Bytes{7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}), PixelsOf(image));
}

TEST(ImageReaderTGA, DiskAndMemoryStreamsGiveTheSamePixels) {
    const std::string file = rendertest::TgaFile(TwoRows(0x20));
    Image fromMemory;
    Image fromDisk;
    ASSERT_TRUE(ReadFromMemory(fromMemory, file));
    ASSERT_TRUE(fromDisk.LoadTGA(*rendertest::DiskStream("disk.tga", file), true));
    EXPECT_EQ(PixelsOf(fromMemory), PixelsOf(fromDisk));
}

TEST(ImageReaderTGA, ThirtyTwoBitPixelsBecomeRedGreenBlueAlpha) {
    TgaPicture picture;
    picture.width = 1;
    picture.height = 1;
    picture.depth = 32;
    picture.data = Chars({3, 2, 1, 4});
    Image image;
    ASSERT_TRUE(ReadFromMemory(image, rendertest::TgaFile(picture)));
    EXPECT_EQ(32u, image.GetBits());
    EXPECT_EQ((Bytes{1, 2, 3, 4}), PixelsOf(image));
}

TEST(ImageReaderTGA, SixteenBitPixelsBecomeThirtyTwoBits) {
    TgaPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.depth = 16;
    picture.data = Chars({0x00, 0x80, 0xFF, 0x7F});
    Image image;
    ASSERT_TRUE(ReadFromMemory(image, rendertest::TgaFile(picture)));
    EXPECT_EQ(32u, image.GetBits());
    EXPECT_EQ((Bytes{0, 0, 0, 255, 248, 248, 248, 0}), PixelsOf(image));

    Image header;
    ASSERT_TRUE(ReadFromMemory(header, rendertest::TgaFile(picture), false));
    EXPECT_EQ(32u, header.GetBits());
    EXPECT_EQ(nullptr, header.GetPixels());
}

TEST(ImageReaderTGA, ColourMappedPicturesYieldTheirIndicesAfterTheSkippedFields) {
    TgaPicture picture;
    picture.imageType = 1;
    picture.width = 3;
    picture.height = 1;
    picture.depth = 8;
    picture.identification = "id";
    picture.colorMapType = 1;
    picture.colorMapLength = 2;
    picture.colorMapEntryBits = 15;  // two bytes per entry
    picture.colorMap = Chars({0xAA, 0xAA, 0xBB, 0xBB});
    picture.data = Chars({0, 1, 1});
    Image image;
    ASSERT_TRUE(ReadFromMemory(image, rendertest::TgaFile(picture)));
    EXPECT_EQ(8u, image.GetBits());
    EXPECT_EQ((Bytes{0, 1, 1}), PixelsOf(image));
}

TEST(ImageReaderTGA, RunLengthPacketsRepeatOrCopyPixels) {
    TgaPicture picture;
    picture.imageType = 10;
    picture.width = 3;
    picture.height = 2;
    // 0x82: one pixel repeated 3 times; 0x02: 3 literal pixels.
    picture.data = Chars({0x82, 3, 2, 1, 0x02, 6, 5, 4, 9, 8, 7, 12, 11, 10});
    Image image;
    ASSERT_TRUE(ReadFromMemory(image, rendertest::TgaFile(picture)));
    EXPECT_EQ((Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), PixelsOf(image));
}

TEST(ImageReaderTGA, APacketRunningPastThePictureIsCut) {
    TgaPicture picture;
    picture.imageType = 11;
    picture.width = 2;
    picture.height = 1;
    picture.depth = 8;
    picture.data = Chars({0xFF, 7, 0x7F, 1, 2, 3});
    Image image;
    ASSERT_TRUE(ReadFromMemory(image, rendertest::TgaFile(picture)));
    EXPECT_EQ((Bytes{7, 7}), PixelsOf(image));
}

struct BrokenTga {
    const char* what;
    TgaPicture picture;
    const char* logged;
    bool headerAlone = true;  // whether a header-only read fails too
};

TEST(ImageReaderTGA, BrokenFilesFailWithALoggedErrorAndLeaveTheImageAlone) {
    auto picture = [](unsigned type, unsigned width, unsigned height, unsigned depth, const Bytes& data) {
        TgaPicture p;
        p.imageType = type;
        p.width = width;
        p.height = height;
        p.depth = depth;
        p.data = Chars(data);
        return p;
    };
    const BrokenTga cases[] = {
        {"pixels shorter than the picture", picture(2, 2, 2, 24, Bytes(11, 1)), "Incorrect"},
        {"run-length data ending early", picture(10, 4, 1, 24, {0x81, 1, 2, 3}), "Incorrect", false},
        {"a literal packet cut short", picture(10, 2, 1, 24, {0x01, 1, 2, 3, 4}), "Incorrect", false},
        {"no width", picture(2, 0, 5, 8, Bytes(5, 0)), "Incorrect"},
        {"a height beyond the limit", picture(2, 1, 20000, 8, Bytes(20000, 0)), "Incorrect"},
        {"a huge picture in a few bytes", picture(10, 16384, 16384, 32, {0xFF, 0, 0, 0, 0}), "Incorrect"},
        {"15 bits per pixel", picture(2, 1, 1, 15, {0, 0}), "Unsupported"},
        {"a short header", picture(2, 1, 1, 8, {}), "Failed to read"},
    };
    for (const BrokenTga& c : cases) {
        std::string file = rendertest::TgaFile(c.picture);
        if (std::string(c.logged) == "Failed to read") file.resize(10);
        for (bool readPixels : {true, false}) {
            if (!readPixels && !c.headerAlone) continue;
            Image image;
            rendertest::TakeLoggedErrors();
            EXPECT_FALSE(ReadFromMemory(image, file, readPixels)) << c.what;
            EXPECT_TRUE(image.IsEmpty()) << c.what;
            EXPECT_THAT(rendertest::TakeLoggedErrors(),
                        testing::ElementsAre(AllOf(HasSubstr(c.logged), HasSubstr("memory.tga"))))
                << c.what;
        }
    }
}

}  // namespace
