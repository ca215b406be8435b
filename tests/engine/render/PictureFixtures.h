#pragma once
// Small picture files built in code for the reader tests. PNG and JPEG files are
// encoded with libpng and libjpeg; rows are given top first, as the files store them.

#include <cstdint>
#include <string>
#include <vector>

namespace rendertest {

struct TgaPicture {
    unsigned imageType = 2;
    unsigned width = 0;
    unsigned height = 0;
    unsigned depth = 24;
    unsigned descriptor = 0;
    std::string identification;
    unsigned colorMapType = 0;
    unsigned colorMapLength = 0;
    unsigned colorMapEntryBits = 0;
    std::string colorMap;
    std::string data;
};
std::string TgaFile(const TgaPicture& picture);

struct BmpPicture {
    int width = 0;
    int height = 0;
    unsigned bitCount = 24;
    unsigned compression = 0;
    unsigned headerSize = 40;  // 124 for the newest header
    unsigned colorsUsed = 0;
    std::string palette;  // blue, green, red, reserved per entry
    std::string data;     // the rows as stored, padding included
};
// The data offset points right behind the palette.
std::string BmpFile(const BmpPicture& picture);

struct PngPicture {
    unsigned width = 0;
    unsigned height = 0;
    int colorType = 2;  // PNG_COLOR_TYPE_RGB
    int bitDepth = 8;
    std::vector<std::string> rows;           // packed as stored; 16-bit samples big-endian
    std::vector<std::uint8_t> palette;       // red, green, blue per entry
    std::vector<std::uint8_t> transparency;  // alpha per palette entry
    bool interlaced = false;
};
std::string PngFile(const PngPicture& picture);
// Rewrites the width and height of a PNG's header chunk (and its check sum).
std::string WithPngSize(std::string png, std::uint32_t width, std::uint32_t height);

// components 1 (grey), 3 (red, green, blue) or 4 (CMYK).
std::string JpegFile(unsigned width, unsigned height, int components, const std::vector<std::uint8_t>& pixels,
                     int quality = 100);
// Rewrites the width and height in a JPEG's frame header.
std::string WithJpegSize(std::string jpeg, std::uint16_t width, std::uint16_t height);

struct DdsPicture {
    unsigned flags = 0x1007 | 0x20000;  // caps, height, width, pixel format, mip count
    unsigned width = 0;
    unsigned height = 0;
    unsigned depth = 0;
    unsigned mipCount = 1;
    unsigned pixelFormatFlags = 0x4;
    std::string fourCC = "DXT1";
    unsigned rgbBitCount = 0;
    unsigned masks[4] = {};  // red, green, blue, alpha
    std::string data;
};
std::string DdsFile(const DdsPicture& picture);

}  // namespace rendertest
