// The BMP reader of Vantor::Image: 8-bit palette, 24- and 32-bit pictures, bottom-up
// or top-down (negative height).

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/render/Image.h"
#include "engine/render/ImageReaderSupport.h"

namespace Vantor {

namespace {

constexpr std::uint16_t kSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPaletteEntries = 256;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;

struct BmpHeader {
    std::uint16_t signature = 0;
    std::uint32_t fileSize = 0;
    std::uint32_t reserved = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xResolution = 0;
    std::int32_t yResolution = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;

    void Read(FileBinary& stream) {
        stream.Read(&signature, 2, 1);
        stream.Read(&fileSize, 4, 1);
        stream.Read(&reserved, 4, 1);
        stream.Read(&dataOffset, 4, 1);
        stream.Read(&headerSize, 4, 1);
        stream.Read(&width, 4, 1);
        stream.Read(&height, 4, 1);
        stream.Read(&planes, 2, 1);
        stream.Read(&bitCount, 2, 1);
        stream.Read(&compression, 4, 1);
        stream.Read(&imageSize, 4, 1);
        stream.Read(&xResolution, 4, 1);
        stream.Read(&yResolution, 4, 1);
        stream.Read(&colorsUsed, 4, 1);
        stream.Read(&colorsImportant, 4, 1);
    }
    bool IsSupported() const {
        if (headerSize < kInfoHeaderBytes) return false;
        switch (bitCount) {
        case 8: return compression == kCompressionNone && colorsUsed <= kPaletteEntries;
        case 24: return compression == kCompressionNone;
        case 32: return compression == kCompressionNone || compression == kCompressionBitFields;
        default: return false;
        }
    }
};

}  // namespace

bool Image::LoadBMP(FileBinary& stream, bool readPixels) {
    const std::wstring& path = stream.GetPath();
    try {
        const std::uint32_t start = stream.GetPosition();
        BmpHeader header;
        header.Read(stream);
        if (header.signature != kSignature) throw FileError(IncorrectFormatText(path));
        if (!header.IsSupported()) throw FileError(UnsupportedFormatText(path));

        const std::uint32_t bits = header.bitCount == 32 ? 32 : 24;
        const bool topFirst = header.height < 0;
        const std::int64_t signedHeight = header.height;
        const std::uint64_t height = static_cast<std::uint64_t>(std::llabs(signedHeight));
        const std::uint32_t fileBytes = header.bitCount / 8;
        // File rows are padded to a multiple of 4 bytes; the last row's padding may be missing.
        const std::uint64_t rowBytes = static_cast<std::uint64_t>(header.width < 0 ? 0 : header.width) * fileBytes;
        const std::uint64_t fileRowBytes = (rowBytes + 3) / 4 * 4;
        const std::uint64_t paletteStart = static_cast<std::uint64_t>(start) + kFileHeaderBytes + header.headerSize;
        const std::uint64_t dataStart = static_cast<std::uint64_t>(start) + header.dataOffset;
        if (header.width <= 0 || height > Image::kMaxDimension ||
            !IsSaneSize(static_cast<std::uint32_t>(header.width), static_cast<std::uint32_t>(height), bits) ||
            dataStart + (height - 1) * fileRowBytes + rowBytes > stream.GetSize())
            throw FileError(IncorrectFormatText(path));

        SetFormat(static_cast<std::uint32_t>(header.width), static_cast<std::uint32_t>(height), bits, readPixels);
        if (!readPixels) return true;

        // Palette entries are blue, green, red, reserved; missing ones are black.
        std::uint8_t palette[kPaletteEntries * 4] = {};
        if (header.bitCount == 8) {
            const std::uint32_t colors = header.colorsUsed ? header.colorsUsed : kPaletteEntries;
            if (paletteStart + colors * 4 > stream.GetSize()) throw FileError(IncorrectFormatText(path));
            stream.Seek(0, static_cast<std::int32_t>(paletteStart));
            stream.Read(palette, 4, colors);
        }
        stream.Seek(0, static_cast<std::int32_t>(dataStart));
        std::vector<std::uint8_t> indices(header.bitCount == 8 ? width_ : 0);
        const std::int32_t padding = static_cast<std::int32_t>(fileRowBytes - rowBytes);
        for (std::uint32_t d = 0; d < height_; ++d) {
            std::uint8_t* row = pixels_ + static_cast<std::size_t>(topFirst ? height_ - 1 - d : d) * GetRowBytes();
            if (header.bitCount == 8) {
                stream.Read(indices.data(), 1, width_);
                for (std::uint32_t k = 0; k < width_; ++k, row += 3) {
                    const std::uint8_t* entry = palette + indices[k] * 4;
                    row[0] = entry[2];
                    row[1] = entry[1];
                    row[2] = entry[0];
                }
            } else {
                stream.Read(row, 1, GetRowBytes());
            }
            if (padding) stream.Seek(2, padding);
        }
        if (header.bitCount != 8) SwapRedBlue();
        return true;
    } catch (const FileError& error) {
        LogImageError(error.GetText());
        return false;
    }
}

}  // namespace Vantor
