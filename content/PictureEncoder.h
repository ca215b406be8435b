#pragma once
// Encodes the builder's pictures as the files the engine reads: PNG through libpng at
// compression level 6 (RGB when the picture is opaque, else RGBA), JPEG through libjpeg
// with an optional grey "_alpha" JPEG holding the opacity, or uncompressed 32-bit TGA.
// Nothing in the files depends on the time or the machine.

#include <cstdint>
#include <vector>

#include "content/Picture.h"

namespace Content {

class PictureEncoder {
public:
    using Bytes = std::vector<std::uint8_t>;
    static constexpr int kPngLevel = 6;
    static constexpr int kJpegQuality = 90;

    static Bytes Png(const Picture& picture, int level = kPngLevel);
    // The colour channels; alpha is left out.
    static Bytes Jpeg(const Picture& picture, int quality = kJpegQuality);
    // The alpha channel as a grey JPEG, the engine's "_alpha" companion of a colour JPEG.
    static Bytes JpegAlpha(const Picture& picture, int quality = kJpegQuality);
    static Bytes Tga(const Picture& picture);
};

}  // namespace Content
