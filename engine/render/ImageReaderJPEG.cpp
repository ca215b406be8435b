// The JPEG reader of Vantor::Image, over libjpeg with the program's own data source.
// A picture the library cannot decode comes back to the reader through a long jump
// from the error exit, so the function that sets the jump point holds no object with
// a destructor; the reader then releases the decompressor and reports the failure.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "engine/kernel/FileBinary.h"
#include "engine/render/Image.h"
#include "engine/render/ImageReaderSupport.h"
#include "engine/render/JpegFileSource.h"

namespace Vantor {

namespace {

// Huffman-coded data needs at least one bit per 8 x 8 block of a full-size component,
// so a file cannot describe more than 512 pixels per byte; twice that is refused
// before anything is allocated.
constexpr std::uint64_t kMaxPixelsPerByte = 1024;

// The library's error manager first, so that the decompressor's pointer to it reaches
// the rest.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    const std::wstring* path;
};

[[noreturn]] void JpegErrorExit(j_common_ptr decompressor) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(decompressor->err);
    (*errors->manager.format_message)(decompressor, errors->message);
    std::longjmp(errors->jump, 1);
}

// The library's warnings (the standard message filter lets the first of a picture
// through) go to the log instead of the standard error stream.
void JpegOutputMessage(j_common_ptr decompressor) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(decompressor->err);
    char message[JMSG_LENGTH_MAX];
    (*errors->manager.format_message)(decompressor, message);
    LogImageWarning(DecodeWarningText(*errors->path, message));
}

enum class JpegOutcome { Read, LibraryError, Incorrect, Unsupported };

// Only plain values live in this frame, so a long jump back into it skips no destructor.
JpegOutcome ReadJpeg(jpeg_decompress_struct& decompressor, JpegErrors& errors, FileBinary& stream, Image& image,
                     bool readPixels) {
    const std::uint64_t fileBytes = BytesLeft(stream);
    if (setjmp(errors.jump)) return JpegOutcome::LibraryError;

    jpeg_create_decompress(&decompressor);
    SetJpegFileSource(&decompressor, stream);
    jpeg_read_header(&decompressor, TRUE);
    const std::uint32_t width = decompressor.image_width;
    const std::uint32_t height = decompressor.image_height;
    if (static_cast<std::uint64_t>(width) * height == 0) return JpegOutcome::Incorrect;
    std::uint32_t bits = 0;
    switch (decompressor.jpeg_color_space) {
    case JCS_GRAYSCALE: bits = 8; break;
    case JCS_YCbCr:
    case JCS_RGB: bits = 24; break;
    default: return JpegOutcome::Unsupported;
    }
    if (!Image::IsSaneSize(width, height, bits) ||
        static_cast<std::uint64_t>(width) * height > fileBytes * kMaxPixelsPerByte)
        return JpegOutcome::Incorrect;

    image.SetFormat(width, height, bits, readPixels);
    if (!readPixels) return JpegOutcome::Read;

    jpeg_start_decompress(&decompressor);
    if (decompressor.output_width != width || decompressor.output_height != height ||
        static_cast<std::uint32_t>(decompressor.output_components) * 8 != bits)
        return JpegOutcome::Incorrect;
    // Scan lines come top first; the image keeps the bottom row first.
    while (decompressor.output_scanline < height) {
        JSAMPROW row = image.GetPixels() + static_cast<std::size_t>(height - 1 - decompressor.output_scanline) *
                                               image.GetRowBytes();
        if (jpeg_read_scanlines(&decompressor, &row, 1) != 1) return JpegOutcome::Incorrect;
    }
    jpeg_finish_decompress(&decompressor);
    return JpegOutcome::Read;
}

}  // namespace

bool Image::LoadJPEG(FileBinary& stream, bool readPixels) {
    jpeg_decompress_struct decompressor{};
    JpegErrors errors{};
    decompressor.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegErrorExit;
    errors.manager.output_message = JpegOutputMessage;
    errors.path = &stream.GetPath();
    const JpegOutcome outcome = ReadJpeg(decompressor, errors, stream, *this, readPixels);
    jpeg_destroy_decompress(&decompressor);
    switch (outcome) {
    case JpegOutcome::Read: return true;
    case JpegOutcome::LibraryError:
        LogImageError(DecodeFailedText(stream.GetPath(), errors.message));
        return false;
    case JpegOutcome::Incorrect: LogImageError(IncorrectFormatText(stream.GetPath())); return false;
    case JpegOutcome::Unsupported: LogImageError(UnsupportedFormatText(stream.GetPath())); return false;
    }
    return false;
}

}  // namespace Vantor
