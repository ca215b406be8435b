#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/render/Image.h"
#include "engine/render/JpegFileSource.h"
#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/PictureFixtures.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::HasSubstr;
using Vantor::Image;

// Top half red, bottom half blue, rows top first.
Bytes RedOverBlue(unsigned width, unsigned height) {
    Bytes pixels;
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x) {
            const bool top = y < height / 2;
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(top ? 255 : 0), 0,
                                         static_cast<std::uint8_t>(top ? 0 : 255)});
        }
    return pixels;
}

// Pseudo-random colours, which compress badly: a file well above 4096 bytes.
Bytes Noise(unsigned width, unsigned height) {
    Bytes pixels(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t state = 1;
    for (std::uint8_t& byte : pixels) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return pixels;
}

using rendertest::PixelsOf;

bool ReadJpeg(Image& image, const std::string& file, bool readPixels = true) {
    return image.LoadJPEG(*rendertest::MemoryStream(file, L"pictures\\memory.jpg"), readPixels);
}

void ExpectNear(const Bytes& expected, const std::uint8_t* actual, const char* where) {
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(expected[i], actual[i], 6) << where << " byte " << i;
}

TEST(ImageReaderJPEG, ColourPicturesLoadBottomRowFirst) {
    Image image;
    ASSERT_TRUE(ReadJpeg(image, rendertest::JpegFile(16, 16, 3, RedOverBlue(16, 16))));
    EXPECT_EQ(16u, image.GetWidth());
    EXPECT_EQ(16u, image.GetHeight());
    EXPECT_EQ(24u, image.GetBits());
    ExpectNear({0, 0, 255}, image.GetPixels(), "bottom row");
    ExpectNear({255, 0, 0}, image.GetPixels() + 15 * image.GetRowBytes(), "top row");
}

TEST(ImageReaderJPEG, GreyPicturesLoadAsEightBits) {
    Image image;
    ASSERT_TRUE(ReadJpeg(image, rendertest::JpegFile(8, 8, 1, Bytes(64, 77))));
    EXPECT_EQ(8u, image.GetBits());
    ExpectNear(Bytes(64, 77), image.GetPixels(), "grey");

    Image header;
    ASSERT_TRUE(ReadJpeg(header, rendertest::JpegFile(8, 8, 1, Bytes(64, 77)), false));
    EXPECT_EQ(8u, header.GetBits());
    EXPECT_EQ(nullptr, header.GetPixels());
}

TEST(ImageReaderJPEG, DiskAndMemoryStreamsGiveTheSamePixels) {
    const std::string file = rendertest::JpegFile(64, 64, 3, Noise(64, 64));
    ASSERT_GT(file.size(), 2 * Vantor::JpegFileSource::kBufferBytes);
    Image fromMemory;
    Image fromDisk;
    ASSERT_TRUE(ReadJpeg(fromMemory, file));
    ASSERT_TRUE(fromDisk.LoadJPEG(*rendertest::DiskStream("disk.jpg", file), true));
    EXPECT_EQ(PixelsOf(fromMemory), PixelsOf(fromDisk));

    Image loaded;
    ASSERT_TRUE(loaded.Load(rendertest::WritePicture("noise.JPEG", file), true));
    EXPECT_EQ(PixelsOf(fromMemory), PixelsOf(loaded));
}

// The frame header's 8-bit precision replaced by 12, which this library cannot decode.
std::string WithPrecision12(std::string jpeg) {
    jpeg[jpeg.find("\xFF\xC0") + 4] = 12;
    return jpeg;
}

// The first scan's component told to use Huffman tables that do not exist: the
// library fails only once decompression has started.
std::string WithMissingHuffmanTables(std::string jpeg) {
    jpeg[jpeg.find("\xFF\xDA") + 6] = 0x33;
    return jpeg;
}

TEST(ImageReaderJPEG, UndecodableFilesFailWithALoggedErrorAndTheProgramGoesOn) {
    const std::string good = rendertest::JpegFile(16, 16, 3, RedOverBlue(16, 16));
    struct Case {
        const char* what;
        std::string file;
        const char* logged;
    };
    const Case cases[] = {
        {"not a picture", "not a picture at all", "Failed to decode"},
        {"empty", "", "Failed to decode"},
        {"cut inside the header", good.substr(0, 40), "Failed to decode"},
        {"12-bit samples", WithPrecision12(good), "Failed to decode"},
        {"missing tables", WithMissingHuffmanTables(good), "Failed to decode"},
        {"CMYK", rendertest::JpegFile(8, 8, 4, Bytes(256, 9)), "Unsupported"},
        {"far more pixels than the data can hold", rendertest::WithJpegSize(good, 4000, 4000), "Incorrect"},
        {"beyond the size limit", rendertest::WithJpegSize(good, 20000, 16), "Incorrect"},
    };
    for (const Case& c : cases) {
        Image image;
        rendertest::TakeLoggedErrors();
        EXPECT_FALSE(ReadJpeg(image, c.file)) << c.what;
        EXPECT_THAT(rendertest::TakeLoggedErrors(),
                    testing::ElementsAre(AllOf(HasSubstr(c.logged), HasSubstr("\"pictures\\memory.jpg\""))))
            << c.what;
    }
}

TEST(ImageReaderJPEG, AFileCutInsideTheScanStillLoads) {
    // The library warns, finishes the picture from what it has and goes on.
    const std::string good = rendertest::JpegFile(64, 64, 3, Noise(64, 64));
    Image image;
    rendertest::TakeLoggedTexts();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(ReadJpeg(image, good.substr(0, good.size() / 2)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(64u, image.GetHeight());
    // One warning line naming the file, nothing else.
    EXPECT_THAT(rendertest::TakeLoggedTexts(),
                testing::ElementsAre(AllOf(HasSubstr("Warning: Decoding \"pictures\\memory.jpg\" file: "),
                                           HasSubstr("premature end"))));
}

class JpegFileSourceTest : public testing::Test {
protected:
    JpegFileSourceTest() {
        decompressor_.err = jpeg_std_error(&errors_);
        jpeg_create_decompress(&decompressor_);
    }
    ~JpegFileSourceTest() override { jpeg_destroy_decompress(&decompressor_); }

    std::size_t Fill() {
        (*decompressor_.src->fill_input_buffer)(&decompressor_);
        return decompressor_.src->bytes_in_buffer;
    }
    bool HoldsEndOfImage() const {
        return decompressor_.src->bytes_in_buffer == 2 && decompressor_.src->next_input_byte[0] == 0xFF &&
               decompressor_.src->next_input_byte[1] == JPEG_EOI;
    }

    jpeg_decompress_struct decompressor_{};
    jpeg_error_mgr errors_{};
};

TEST_F(JpegFileSourceTest, AShortMemoryBlockIsHandedOverInOnePieceThenTheEndMarker) {
    auto stream = rendertest::MemoryStream(std::string(10, 'x'));
    Vantor::SetJpegFileSource(&decompressor_, *stream);
    EXPECT_EQ(10u, Fill());
    EXPECT_EQ(stream->GetMemory(), decompressor_.src->next_input_byte) << "not copied";
    Fill();
    EXPECT_TRUE(HoldsEndOfImage());
}

TEST_F(JpegFileSourceTest, ADiskFileIsReadInChunksOf4096Bytes) {
    auto stream = rendertest::DiskStream("chunks.bin", std::string(5000, 'x'));
    Vantor::SetJpegFileSource(&decompressor_, *stream);
    EXPECT_EQ(4096u, Fill());
    EXPECT_EQ(904u, Fill());
    Fill();
    EXPECT_TRUE(HoldsEndOfImage());
}

TEST_F(JpegFileSourceTest, SkippingRefillsAcrossChunks) {
    std::string bytes(9000, 'x');
    bytes[8200] = 'y';
    auto stream = rendertest::DiskStream("skip.bin", bytes);
    Vantor::SetJpegFileSource(&decompressor_, *stream);
    Fill();
    (*decompressor_.src->skip_input_data)(&decompressor_, 8200);
    EXPECT_EQ('y', decompressor_.src->next_input_byte[0]);
    (*decompressor_.src->skip_input_data)(&decompressor_, 100000);  // past the end: end markers only
    EXPECT_LE(decompressor_.src->bytes_in_buffer, 2u);
}

}  // namespace
