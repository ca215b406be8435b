// The PNG reader of Vantor::Image, over libpng with a read function of its own on the
// program's stream. Library errors come back through the library's long jump, so the
// function that sets the jump point holds no object with a destructor.

#include <png.h>

#include <csetjmp>
#include <string>

#include "engine/kernel/FileBinary.h"
#include "engine/render/Image.h"
#include "engine/render/ImageReaderSupport.h"

namespace Vantor {

namespace {

// Deflate expands at most 1032 times; a picture whose raw rows could not come out of
// the file's bytes is refused before anything is allocated.
constexpr std::uint64_t kDeflateMaxRatio = 1032;

// What must be released after a long jump.
struct PngRecords {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_bytep* rows = nullptr;
};

// The library's messages about one picture: errors are kept for the reader's log line,
// warnings logged at once; neither reaches the standard error stream.
struct PngMessages {
    const std::wstring* path;
    std::string error;
};

[[noreturn]] void PngError(png_structp png, png_const_charp message) {
    static_cast<PngMessages*>(png_get_error_ptr(png))->error = message;
    png_longjmp(png, 1);
}

void PngWarning(png_structp png, png_const_charp message) {
    LogImageWarning(DecodeWarningText(*static_cast<PngMessages*>(png_get_error_ptr(png))->path, message));
}

void ReleasePngRecords(PngRecords& records) {
    png_destroy_read_struct(&records.png, records.info ? &records.info : nullptr, nullptr);
    delete[] records.rows;
    records.rows = nullptr;
}

}  // namespace

// Reads the requested bytes from the stream; a stream that ends early raises the
// library error "Read Error".
void PngReadCallback(png_structp png, png_bytep data, png_size_t length) {
    FileBinary* stream = static_cast<FileBinary*>(png_get_io_ptr(png));
    std::uint32_t read = 0;
    if (length <= UINT32_MAX) {
        try {
            stream->Read(data, 1, static_cast<std::uint32_t>(length), &read);
        } catch (...) {
            read = 0;
        }
    }
    if (read < length) png_error(png, "Read Error");
}

namespace {

// The decoding between the library's jump point and its last call. Only plain values
// live in this frame, so a long jump back into it skips no destructor.
bool ReadPng(PngRecords& records, FileBinary& stream, Image& image, bool readPixels) {
    png_structp png = records.png;
    png_infop info = records.info;
    const std::uint64_t fileBytes = BytesLeft(stream);
    png_set_read_fn(png, &stream, PngReadCallback);
    if (setjmp(png_jmpbuf(png))) return false;

    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (!Image::IsSaneSize(width, height, 32) ||
        static_cast<std::uint64_t>(png_get_rowbytes(png, info)) * height > fileBytes * kDeflateMaxRatio)
        return false;

    if (bitDepth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_expand(png);
    if (bitDepth < 8) png_set_expand(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);

    const std::uint32_t bits = static_cast<std::uint32_t>(png_get_channels(png, info)) * bitDepth;
    if ((bits != 24 && bits != 32) || png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * bits / 8)
        return false;
    image.SetFormat(width, height, bits, readPixels);
    if (!readPixels) return true;

    // Picture rows come top first; the image keeps the bottom row first.
    records.rows = new png_bytep[height];
    for (png_uint_32 i = 0; i < height; ++i)
        records.rows[i] = image.GetPixels() + static_cast<std::size_t>(height - 1 - i) * image.GetRowBytes();
    png_read_image(png, records.rows);
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool Image::LoadPNG(FileBinary& stream, bool readPixels) {
    PngRecords records;
    PngMessages messages{&stream.GetPath(), {}};
    records.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &messages, PngError, PngWarning);
    if (records.png) records.info = png_create_info_struct(records.png);
    const bool read = records.info && ReadPng(records, stream, *this, readPixels);
    ReleasePngRecords(records);
    if (!read)
        LogImageError(messages.error.empty() ? IncorrectFormatText(stream.GetPath())
                                             : DecodeFailedText(stream.GetPath(), messages.error));
    return read;
}

}  // namespace Vantor
