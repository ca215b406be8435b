#include "content/PictureEncoder.h"

#include <png.h>
// libjpeg's header needs FILE and size_t declared first.
#include <cstdio>
#include <jpeglib.h>

#include "content/TgaWriter.h"
#include "engine/kernel/Error.h"

namespace Content {

namespace {

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<PictureEncoder::Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FailPng(png_structp, png_const_charp message) { throw Vantor::Error(std::string("PNG encoding: ") + message); }

// Encodes rows of `components` bytes per pixel taken from the picture by `sample`.
template <typename Sample>
PictureEncoder::Bytes EncodeJpeg(const Picture& picture, int quality, int components, J_COLOR_SPACE space,
                                 Sample sample) {
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    errors.error_exit = [](j_common_ptr) { throw Vantor::Error("JPEG encoding failed"); };
    jpeg_create_compress(&compressor);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    PictureEncoder::Bytes out;
    try {
        jpeg_mem_dest(&compressor, &memory, &size);
        compressor.image_width = static_cast<JDIMENSION>(picture.width);
        compressor.image_height = static_cast<JDIMENSION>(picture.height);
        compressor.input_components = components;
        compressor.in_color_space = space;
        jpeg_set_defaults(&compressor);
        jpeg_set_quality(&compressor, quality, TRUE);
        // A fixed DCT keeps the bytes the same on every machine.
        compressor.dct_method = JDCT_ISLOW;
        jpeg_start_compress(&compressor, TRUE);
        std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width) * components);
        while (compressor.next_scanline < compressor.image_height) {
            const int y = static_cast<int>(compressor.next_scanline);
            for (int x = 0; x < picture.width; ++x) sample(picture.Pixel(x, y), &row[static_cast<std::size_t>(x) * components]);
            JSAMPROW rows[1] = {row.data()};
            jpeg_write_scanlines(&compressor, rows, 1);
        }
        jpeg_finish_compress(&compressor);
        out.assign(memory, memory + size);
    } catch (...) {
        jpeg_destroy_compress(&compressor);
        std::free(memory);
        throw;
    }
    jpeg_destroy_compress(&compressor);
    std::free(memory);
    return out;
}

}  // namespace

PictureEncoder::Bytes PictureEncoder::Png(const Picture& picture, int level) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailPng, nullptr);
    png_infop info = png_create_info_struct(png);
    try {
        png_set_write_fn(png, &out, AppendPng, nullptr);
        png_set_compression_level(png, level);
        const bool opaque = picture.IsOpaque();
        png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                     opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        if (opaque) png_set_filler(png, 0, PNG_FILLER_AFTER);
        for (int y = 0; y < picture.height; ++y) png_write_row(png, const_cast<png_bytep>(picture.Pixel(0, y)));
        png_write_end(png, nullptr);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

PictureEncoder::Bytes PictureEncoder::Jpeg(const Picture& picture, int quality) {
    return EncodeJpeg(picture, quality, 3, JCS_RGB, [](const std::uint8_t* in, JSAMPLE* out) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
    });
}

PictureEncoder::Bytes PictureEncoder::JpegAlpha(const Picture& picture, int quality) {
    return EncodeJpeg(picture, quality, 1, JCS_GRAYSCALE, [](const std::uint8_t* in, JSAMPLE* out) { out[0] = in[3]; });
}

PictureEncoder::Bytes PictureEncoder::Tga(const Picture& picture) {
    // The TGA rows run bottom first.
    std::vector<std::uint8_t> rows;
    rows.reserve(picture.rgba.size());
    for (int y = picture.height - 1; y >= 0; --y)
        rows.insert(rows.end(), picture.Pixel(0, y), picture.Pixel(0, y) + std::size_t(picture.width) * 4);
    return TgaWriter::Build(static_cast<std::uint32_t>(picture.width), static_cast<std::uint32_t>(picture.height), rows);
}

}  // namespace Content
