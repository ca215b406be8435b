// The engine's PNG and JPEG readers against libpng and libjpeg called directly on the
// same files, from memory (as a pack entry) and from disk, for a small and a large
// picture of each kind. Goal: the engine at most 1.2 times the library's own time,
// small files included. Compare each BM_Engine* with the BM_Library* of the same
// arguments (kind: 0 PNG, 1 JPEG; size: 0 small, 1 large; source: 0 memory, 1 disk).

#include <benchmark/benchmark.h>

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/Image.h"
#include "platform/WinPaths.h"
#include "tests/engine/render/PictureFixtures.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

enum Kind { kPng, kJpeg };

// A smooth picture with a little noise, as a photograph compresses.
std::vector<std::uint8_t> Photo(unsigned side, unsigned channels) {
    std::vector<std::uint8_t> pixels;
    std::uint32_t state = 7;
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x)
            for (unsigned c = 0; c < channels; ++c) {
                state = state * 1664525u + 1013904223u;
                pixels.push_back(static_cast<std::uint8_t>((x * (c + 1) + y * (3 - c % 3)) * 255 / (2 * side) +
                                                           (state >> 29)));
            }
    return pixels;
}

std::string PngPhoto(unsigned side) {
    rendertest::PngPicture picture;
    picture.width = side;
    picture.height = side;
    picture.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    const std::vector<std::uint8_t> pixels = Photo(side, 4);
    for (unsigned y = 0; y < side; ++y)
        picture.rows.emplace_back(reinterpret_cast<const char*>(pixels.data()) + std::size_t{y} * side * 4, side * 4);
    return rendertest::PngFile(picture);
}

struct Picture {
    std::string bytes;
    std::wstring path;      // relative to the base folder, for the engine
    std::string hostPath;   // for the libraries' own file reading
};

const Picture& PictureOf(int kind, int large) {
    static Picture pictures[2][2];
    Picture& picture = pictures[kind][large];
    if (picture.bytes.empty()) {
        const unsigned side = large ? 512 : 48;
        picture.bytes = kind == kPng ? PngPhoto(side) : rendertest::JpegFile(side, side, 3, Photo(side, 3), 90);
        const std::string name = std::string(large ? "large" : "small") + (kind == kPng ? ".png" : ".jpg");
        picture.path = rendertest::WritePicture(name, picture.bytes);
        picture.hostPath = platform::ToHostPath(Vantor::FileManager::GetAbsolutePath(picture.path)).value_or("");
    }
    return picture;
}

// ---- libpng directly ----

struct MemoryCursor {
    const std::string* bytes;
    std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep data, png_size_t length) {
    auto* cursor = static_cast<MemoryCursor*>(png_get_io_ptr(png));
    if (cursor->position + length > cursor->bytes->size()) png_error(png, "Read Error");
    std::memcpy(data, cursor->bytes->data() + cursor->position, length);
    cursor->position += length;
}

// The engine's transformations, rows stored bottom first as the engine keeps them.
bool DecodePngDirectly(const Picture& picture, bool fromDisk, std::vector<std::uint8_t>& pixels) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    FILE* file = nullptr;
    MemoryCursor cursor{&picture.bytes, 0};
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (file != nullptr) std::fclose(file);
        return false;
    }
    if (fromDisk) {
        file = std::fopen(picture.hostPath.c_str(), "rb");
        png_init_io(png, file);
    } else {
        png_set_read_fn(png, &cursor, ReadFromMemory);
    }
    png_read_info(png, info);
    png_set_strip_16(png);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const png_size_t rowBytes = png_get_rowbytes(png, info);
    pixels.assign(rowBytes * height, 0);
    for (png_uint_32 i = 0; i < height; ++i) rows.push_back(pixels.data() + (height - 1 - i) * rowBytes);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    if (file != nullptr) std::fclose(file);
    return true;
}

// ---- libjpeg directly ----

bool DecodeJpegDirectly(const Picture& picture, bool fromDisk, std::vector<std::uint8_t>& pixels) {
    jpeg_decompress_struct decompressor{};
    jpeg_error_mgr errors{};
    decompressor.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompressor);
    FILE* file = nullptr;
    if (fromDisk) {
        file = std::fopen(picture.hostPath.c_str(), "rb");
        jpeg_stdio_src(&decompressor, file);
    } else {
        jpeg_mem_src(&decompressor, reinterpret_cast<const unsigned char*>(picture.bytes.data()),
                     static_cast<unsigned long>(picture.bytes.size()));
    }
    jpeg_read_header(&decompressor, TRUE);
    jpeg_start_decompress(&decompressor);
    const std::size_t rowBytes = std::size_t{decompressor.output_width} * decompressor.output_components;
    const unsigned height = decompressor.output_height;
    pixels.assign(rowBytes * height, 0);
    while (decompressor.output_scanline < height) {
        JSAMPROW row = pixels.data() + (height - 1 - decompressor.output_scanline) * rowBytes;
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    if (file != nullptr) std::fclose(file);
    return true;
}

void BM_Engine(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const Picture& picture = PictureOf(kind, static_cast<int>(state.range(1)));
    const bool fromDisk = state.range(2) != 0;
    for (auto _ : state) {
        Vantor::Image image;
        bool read = false;
        if (fromDisk) {
            read = kind == kPng ? image.LoadPNG(picture.path, true) : image.LoadJPEG(picture.path, true);
        } else {
            // A pack entry held in memory: the stream borrows the bytes.
            Vantor::FileBinary stream(picture.path, 0, 0, static_cast<std::uint32_t>(picture.bytes.size()),
                                      reinterpret_cast<const std::uint8_t*>(picture.bytes.data()), false);
            read = kind == kPng ? image.LoadPNG(stream, true) : image.LoadJPEG(stream, true);
        }
        if (!read) state.SkipWithError("the engine refused the picture");
        benchmark::DoNotOptimize(image.GetPixels());
    }
    state.counters["file_bytes"] = static_cast<double>(picture.bytes.size());
}

void BM_Library(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const Picture& picture = PictureOf(kind, static_cast<int>(state.range(1)));
    const bool fromDisk = state.range(2) != 0;
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        // Fresh pixels each time, as the engine's image allocates its own.
        std::vector<std::uint8_t>().swap(pixels);
        const bool read = kind == kPng ? DecodePngDirectly(picture, fromDisk, pixels)
                                       : DecodeJpegDirectly(picture, fromDisk, pixels);
        if (!read) state.SkipWithError("the library refused the picture");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["file_bytes"] = static_cast<double>(picture.bytes.size());
}

void Cases(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"kind", "large", "disk"});
    for (int kind : {kPng, kJpeg})
        for (int large : {0, 1})
            for (int disk : {0, 1}) benchmark->Args({kind, large, disk});
    benchmark->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Engine)->Apply(Cases);
BENCHMARK(BM_Library)->Apply(Cases);

}  // namespace
