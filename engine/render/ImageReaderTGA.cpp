// The TGA reader of Vantor::Image.

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/render/Image.h"
#include "engine/render/ImageReaderSupport.h"

namespace Vantor {

namespace {

struct TgaHeader {
    std::uint8_t identificationLength = 0;
    std::uint8_t colorMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t colorMapFirst = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntryBits = 0;
    std::uint16_t xOrigin = 0;
    std::uint16_t yOrigin = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t depth = 0;
    std::uint8_t descriptor = 0;

    void Read(FileBinary& stream) {
        stream.Read(&identificationLength, 1, 1);
        stream.Read(&colorMapType, 1, 1);
        stream.Read(&imageType, 1, 1);
        stream.Read(&colorMapFirst, 2, 1);
        stream.Read(&colorMapLength, 2, 1);
        stream.Read(&colorMapEntryBits, 1, 1);
        stream.Read(&xOrigin, 2, 1);
        stream.Read(&yOrigin, 2, 1);
        stream.Read(&width, 2, 1);
        stream.Read(&height, 2, 1);
        stream.Read(&depth, 1, 1);
        stream.Read(&descriptor, 1, 1);
    }
    bool IsRunLength() const { return (imageType & 0x08) != 0; }
    bool IsTopFirst() const { return (descriptor & 0x20) != 0; }
    // The identification field and the colour map, which precede the pixels.
    std::uint32_t SkippedBytes() const {
        return identificationLength + static_cast<std::uint32_t>(colorMapLength) * ((colorMapEntryBits + 7) / 8);
    }
};

constexpr std::uint32_t kMaxRunPixels = 128;

// The fewest data bytes that can hold the pixels: every pixel stored, or for run-length
// data one full run packet (a byte and a pixel) per 128 pixels.
std::uint64_t MinimumDataBytes(std::uint64_t pixelCount, std::uint32_t pixelBytes, bool runLength) {
    if (!runLength) return pixelCount * pixelBytes;
    return (pixelCount + kMaxRunPixels - 1) / kMaxRunPixels * (1 + pixelBytes);
}

// Decodes run-length packets into pixelCount pixels; a packet running past the
// picture is cut. False when the data ends first.
bool DecodeRunLength(const std::uint8_t* data, std::uint32_t dataSize, std::uint32_t pixelBytes,
                     std::uint32_t pixelCount, std::vector<std::uint8_t>& out) {
    out.resize(static_cast<std::size_t>(pixelCount) * pixelBytes);
    std::uint8_t* target = out.data();
    const std::uint8_t* end = data + dataSize;
    std::uint32_t produced = 0;
    while (produced < pixelCount) {
        if (data == end) return false;
        const std::uint8_t packet = *data++;
        const std::uint32_t count = std::min<std::uint32_t>((packet & 0x7F) + 1, pixelCount - produced);
        const bool repeated = (packet & 0x80) != 0;
        const std::size_t stored = repeated ? pixelBytes : static_cast<std::size_t>(count) * pixelBytes;
        if (static_cast<std::size_t>(end - data) < stored) return false;
        if (repeated) {
            for (std::uint32_t i = 0; i < count; ++i, target += pixelBytes) std::memcpy(target, data, pixelBytes);
        } else {
            std::memcpy(target, data, stored);
            target += stored;
        }
        data += stored;
        produced += count;
    }
    return true;
}

}  // namespace

bool Image::LoadTGA(FileBinary& stream, bool readPixels) {
    const std::wstring& path = stream.GetPath();
    try {
        TgaHeader header;
        header.Read(stream);
        const std::uint32_t depth = header.depth;
        if (depth != 8 && depth != 16 && depth != 24 && depth != 32) throw FileError(UnsupportedFormatText(path));
        const std::uint32_t bits = depth == 16 ? 32 : depth;
        const std::uint32_t pixelBytes = depth / 8;
        const std::uint64_t pixelCount = static_cast<std::uint64_t>(header.width) * header.height;
        const std::uint32_t skipped = header.SkippedBytes();
        const std::uint32_t available = BytesLeft(stream);
        if (!IsSaneSize(header.width, header.height, bits) || skipped > available ||
            MinimumDataBytes(pixelCount, pixelBytes, header.IsRunLength()) > available - skipped)
            throw FileError(IncorrectFormatText(path));

        if (!readPixels) {
            SetFormat(header.width, header.height, bits, false);
            return true;
        }

        // The pixel data runs to the end of the file; only what the picture can use is taken.
        const std::uint32_t dataStart = stream.GetPosition() + skipped;
        const std::uint32_t dataSize = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(available - skipped, pixelCount * (pixelBytes + (header.IsRunLength() ? 1 : 0))));
        const std::uint8_t* data = nullptr;
        std::vector<std::uint8_t> copied;
        if (stream.GetMemory()) {
            data = stream.GetMemory() + dataStart;
        } else {
            copied.resize(dataSize);
            stream.Seek(0, static_cast<std::int32_t>(dataStart));
            stream.Read(copied.data(), 1, dataSize);
            data = copied.data();
        }
        std::vector<std::uint8_t> decoded;
        if (header.IsRunLength()) {
            if (!DecodeRunLength(data, dataSize, pixelBytes, static_cast<std::uint32_t>(pixelCount), decoded))
                throw FileError(IncorrectFormatText(path));
            data = decoded.data();
        }
        SetFormat(header.width, header.height, bits, true);
        ReadTGAPixels(data, depth, header.IsTopFirst());
        return true;
    } catch (const FileError& error) {
        LogImageError(error.GetText());
        return false;
    }
}

void Image::ReadTGAPixels(const std::uint8_t* data, std::uint32_t depth, bool topFirst) {
    const std::uint32_t fileBytes = depth / 8;
    for (std::uint32_t d = 0; d < height_; ++d) {
        std::uint8_t* out = pixels_ + static_cast<std::size_t>(topFirst ? height_ - 1 - d : d) * GetRowBytes();
        const std::uint8_t* in = data + static_cast<std::size_t>(d) * width_ * fileBytes;
        for (std::uint32_t k = 0; k < width_; ++k, in += fileBytes) {
            switch (depth) {
            case 8:
                *out++ = in[0];
                break;
            case 16: {
                const std::uint32_t v = in[0] | in[1] << 8;
                *out++ = static_cast<std::uint8_t>(((v >> 10) & 31) << 3);
                *out++ = static_cast<std::uint8_t>(((v >> 5) & 31) << 3);
                *out++ = static_cast<std::uint8_t>((v & 31) << 3);
                *out++ = (v & 0x8000) ? 255 : 0;
                break;
            }
            default:  // 24 and 32: blue, green, red (, alpha)
                *out++ = in[2];
                *out++ = in[1];
                *out++ = in[0];
                if (depth == 32) *out++ = in[3];
                break;
            }
        }
    }
}

}  // namespace Vantor
