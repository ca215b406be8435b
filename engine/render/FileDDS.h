#pragma once
// Reader of a DDS texture file: its header, the sizes and offsets of its mip levels
// and the pixels of one level. DXT1 to DXT5 levels in a format the device takes are
// handed on as raw blocks, only turned to the bottom-row-first order; otherwise they
// are decoded into 32-bit pictures. Uncompressed levels described by colour masks
// become 24- or 32-bit pictures. Only surface 0 is read.

#include <cstdint>
#include <string>

#include "engine/render/TextureFormat.h"

namespace Vantor {

class FileBinary;
class Image;

class FileDDS {
public:
    static constexpr std::uint32_t kHeaderBytes = 128;

    // The 128 bytes at the start of the file, all fields 32-bit little-endian.
    struct Header {
        std::uint32_t magic;
        std::uint32_t headerSize;
        std::uint32_t flags;
        std::uint32_t height;
        std::uint32_t width;
        std::uint32_t pitchOrLinearSize;
        std::uint32_t depth;
        std::uint32_t mipMapCount;
        std::uint32_t reserved1[11];
        std::uint32_t pixelFormatSize;
        std::uint32_t pixelFormatFlags;
        std::uint32_t fourCC;
        std::uint32_t rgbBitCount;
        std::uint32_t redMask;
        std::uint32_t greenMask;
        std::uint32_t blueMask;
        std::uint32_t alphaMask;
        std::uint32_t caps[4];
        std::uint32_t reserved2;
    };

    // Opens the file through the file manager and reads its header. A DXT format that the
    // render system's device takes keeps its raw blocks; without a render system, or for
    // a format it does not take, the blocks are decoded. Throws FileError for a file that
    // cannot be opened, a short or broken header (sizes beyond the image limits, a mip
    // chain longer than the picture allows, a largest level that the file cannot hold)
    // and a pixel format other than DXT1 to DXT5 or colour masks.
    explicit FileDDS(const std::wstring& path);
    // The same over an open stream, which the object takes over (deleted on failure too),
    // with the set of TextureFormatBit values the device takes given by the caller.
    FileDDS(FileBinary* stream, std::uint32_t supportedFormats);
    virtual ~FileDDS();
    FileDDS(const FileDDS&) = delete;
    FileDDS& operator=(const FileDDS&) = delete;

    // The header's field when its flag is set, else 1 (a mip count of 0 counts as 1).
    std::uint32_t GetWidth() const;
    std::uint32_t GetHeight() const;
    std::uint32_t GetDepth() const;
    std::uint32_t GetMipCount() const;
    // 8 for DXT1, 16 for DXT2 to DXT5, 0 otherwise.
    std::uint32_t GetBlockSize() const;
    std::uint32_t GetLevelSize(std::uint32_t level) const;
    std::uint32_t GetSurfaceSize() const;
    std::uint32_t GetLevelOffset(std::uint32_t surface, std::uint32_t level) const;
    TextureFormat GetFormat() const { return format_; }
    const Header& GetHeader() const { return header_; }

    // Reads one level into the image, reformatting it. On failure (a level outside the
    // chain or past the end of the file) logs the reason, frees the image and returns false.
    bool ReadLevel(std::uint32_t level, Image& image);

private:
    void Open(std::uint32_t supportedFormats);
    bool HasFourCC() const;
    std::uint32_t LevelDimension(std::uint32_t value, std::uint32_t level) const;
    std::uint64_t LevelBytes(std::uint32_t level) const;
    void ReadMaskedLevel(std::uint32_t width, std::uint32_t height, Image& image);
    void ReadRawBlocks(std::uint32_t width, std::uint32_t height, std::uint32_t level, Image& image);
    void DecodeBlocks(std::uint32_t width, std::uint32_t height, Image& image);

    FileBinary* stream_;
    Header header_{};
    TextureFormat format_ = TextureFormat::Other;
};

// Widens a value of `bits` bits by `moreBits` further bits by repeating its bits.
std::uint32_t ExpandBits(std::uint32_t value, std::uint32_t bits, std::uint32_t moreBits);

}  // namespace Vantor
