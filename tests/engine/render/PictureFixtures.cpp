#include "tests/engine/render/PictureFixtures.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

#include "tests/engine/render/RenderTestSupport.h"

namespace rendertest {

std::string TgaFile(const TgaPicture& picture) {
    std::string out;
    PutU8(out, static_cast<unsigned>(picture.identification.size()));
    PutU8(out, picture.colorMapType);
    PutU8(out, picture.imageType);
    PutU16(out, 0);
    PutU16(out, picture.colorMapLength);
    PutU8(out, picture.colorMapEntryBits);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, picture.width);
    PutU16(out, picture.height);
    PutU8(out, picture.depth);
    PutU8(out, picture.descriptor);
    return out + picture.identification + picture.colorMap + picture.data;
}

std::string BmpFile(const BmpPicture& picture) {
    const unsigned dataOffset = 14 + picture.headerSize + static_cast<unsigned>(picture.palette.size());
    std::string out = "BM";
    PutU32(out, dataOffset + static_cast<unsigned>(picture.data.size()));
    PutU32(out, 0);
    PutU32(out, dataOffset);
    PutU32(out, picture.headerSize);
    PutU32(out, static_cast<unsigned>(picture.width));
    PutU32(out, static_cast<unsigned>(picture.height));
    PutU16(out, 1);
    PutU16(out, picture.bitCount);
    PutU32(out, picture.compression);
    PutU32(out, static_cast<unsigned>(picture.data.size()));
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, picture.colorsUsed);
    PutU32(out, 0);
    out.resize(14 + picture.headerSize, '\0');  // the rest of a longer header
    return out + picture.palette + picture.data;
}

namespace {

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void FlushPng(png_structp) {}

}  // namespace

std::string PngFile(const PngPicture& picture) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows;
    for (const std::string& row : picture.rows)
        rows.push_back(reinterpret_cast<png_bytep>(const_cast<char*>(row.data())));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("the PNG fixture cannot be written");
    }
    png_set_write_fn(png, &out, AppendPngBytes, FlushPng);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(picture.palette.data()),
                     static_cast<int>(picture.palette.size() / 3));
    if (!picture.transparency.empty())
        png_set_tRNS(png, info, picture.transparency.data(), static_cast<int>(picture.transparency.size()), nullptr);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string WithPngSize(std::string png, std::uint32_t width, std::uint32_t height) {
    // Signature (8), IHDR length (4), "IHDR" (4), width, height, ...; the check sum
    // covers the type and the 13 data bytes.
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) png[at + i] = static_cast<char>(value >> (24 - 8 * i));
    };
    put32(16, width);
    put32(20, height);
    put32(29, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17)));
    return png;
}

std::string JpegFile(unsigned width, unsigned height, int components, const std::vector<std::uint8_t>& pixels,
                     int quality) {
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = width;
    compressor.image_height = height;
    compressor.input_components = components;
    compressor.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, quality, TRUE);
    jpeg_start_compress(&compressor, TRUE);
    while (compressor.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPLE*>(pixels.data()) +
                       static_cast<std::size_t>(compressor.next_scanline) * width * components;
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

std::string WithJpegSize(std::string jpeg, std::uint16_t width, std::uint16_t height) {
    // The baseline frame header: FF C0, length (2), precision (1), height (2), width (2).
    const std::size_t frame = jpeg.find("\xFF\xC0");
    if (frame == std::string::npos) throw std::runtime_error("no frame header");
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width);
    return jpeg;
}

std::string DdsFile(const DdsPicture& picture) {
    std::string out = "DDS ";
    PutU32(out, 124);
    PutU32(out, picture.flags);
    PutU32(out, picture.height);
    PutU32(out, picture.width);
    PutU32(out, 0);
    PutU32(out, picture.depth);
    PutU32(out, picture.mipCount);
    out.append(44, '\0');
    PutU32(out, 32);
    PutU32(out, picture.pixelFormatFlags);
    out += picture.fourCC.size() == 4 ? picture.fourCC : std::string(4, '\0');
    PutU32(out, picture.rgbBitCount);
    for (unsigned mask : picture.masks) PutU32(out, mask);
    PutU32(out, 0x1000);
    out.append(16, '\0');
    return out + picture.data;
}

}  // namespace rendertest
