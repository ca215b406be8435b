#include "engine/render/FileDDS.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/DxtBlock.h"
#include "engine/render/Image.h"
#include "engine/render/ImageReaderSupport.h"
#include "engine/render/RenderSystem.h"

namespace Vantor {

namespace {

constexpr std::uint32_t kHeightValid = 0x2;
constexpr std::uint32_t kWidthValid = 0x4;
constexpr std::uint32_t kMipCountValid = 0x20000;
constexpr std::uint32_t kDepthValid = 0x800000;
constexpr std::uint32_t kFourCCPresent = 0x4;
constexpr std::uint32_t kRgbMasksPresent = 0x40;

constexpr std::uint32_t kFourCCDxt1 = 0x31545844;  // "DXT1"; "DXT2" to "DXT5" differ in the top byte
constexpr std::uint32_t kDxtFormats = 5;

// 0 for DXT1 to 4 for DXT5, kDxtFormats for any other code.
std::uint32_t DxtIndex(std::uint32_t fourCC) {
    const std::uint32_t index = (fourCC >> 24) - '1';
    return (fourCC & 0x00FFFFFF) == (kFourCCDxt1 & 0x00FFFFFF) && index < kDxtFormats ? index : kDxtFormats;
}

// Levels a chain can have before every side is 1.
std::uint32_t ChainLength(std::uint32_t largestSide) {
    std::uint32_t levels = 1;
    while (largestSide > 1) {
        largestSide /= 2;
        ++levels;
    }
    return levels;
}

std::uint32_t LoadLittleEndian(const std::uint8_t* bytes, std::uint32_t count) {
    std::uint32_t value = 0;
    for (std::uint32_t i = count; i-- > 0;) value = value << 8 | bytes[i];
    return value;
}

// Turns a block upside down: its four pixel rows in reverse order.
void FlipDxt1Block(std::uint8_t* block) {
    std::swap(block[4], block[7]);
    std::swap(block[5], block[6]);
}

void FlipExplicitAlphaBlock(std::uint8_t* block) {
    std::swap(block[0], block[6]);
    std::swap(block[1], block[7]);
    std::swap(block[2], block[4]);
    std::swap(block[3], block[5]);
    FlipDxt1Block(block + 8);
}

void FlipInterpolatedAlphaBlock(std::uint8_t* block) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | block[i];
    constexpr std::uint64_t kRow = 0xFFF;
    std::uint64_t flipped = value & 0xFFFF;
    for (int row = 0; row < 4; ++row) flipped |= ((value >> (16 + 12 * row)) & kRow) << (16 + 12 * (3 - row));
    for (int i = 0; i < 8; ++i, flipped >>= 8) block[i] = static_cast<std::uint8_t>(flipped);
    FlipDxt1Block(block + 8);
}

// One colour channel of a mask: where its bits start and how many there are.
struct MaskChannel {
    std::uint32_t shift = 0;
    std::uint32_t width = 0;

    explicit MaskChannel(std::uint32_t mask) {
        if (mask == 0) return;
        while (((mask >> shift) & 1) == 0) ++shift;
        while (shift + width < 32 && ((mask >> (shift + width)) & 1) != 0) ++width;
    }
    std::uint8_t Extract(std::uint32_t stored) const {
        if (width == 0) return 0;
        const std::uint32_t value = static_cast<std::uint32_t>((stored >> shift) & ((1ull << width) - 1));
        if (width < 8) return static_cast<std::uint8_t>((value << (8 - width)) | ExpandBits(value, width, 8 - width));
        return static_cast<std::uint8_t>(value >> (width - 8));
    }
};

// The formats of the render system's device; none without a render system.
std::uint32_t SupportedFormats() {
    const RenderSystem* renderSystem = RenderSystem::Instance();
    return renderSystem ? renderSystem->GetSupportedTextureFormats() : 0;
}

FileBinary* OpenStream(const std::wstring& path) {
    constexpr std::uint32_t kCacheLimit = 0;
    const FileManager* files = FileManager::Instance();
    return files ? files->OpenFile(path, false, kCacheLimit, 0) : new FileBinary(path);
}

}  // namespace

std::uint32_t ExpandBits(std::uint32_t value, std::uint32_t bits, std::uint32_t moreBits) {
    if (bits == 0) return 0;
    if (bits < moreBits) return (value << (moreBits - bits)) | ExpandBits(value, bits, moreBits - bits);
    return value >> (bits - moreBits);
}

FileDDS::FileDDS(const std::wstring& path) : FileDDS(OpenStream(path), SupportedFormats()) {}

FileDDS::FileDDS(FileBinary* stream, std::uint32_t supportedFormats) : stream_(stream) {
    try {
        Open(supportedFormats);
    } catch (...) {
        delete stream_;
        throw;
    }
}

FileDDS::~FileDDS() { delete stream_; }

void FileDDS::Open(std::uint32_t supportedFormats) {
    const std::wstring& path = stream_->GetPath();
    stream_->Read(&header_, kHeaderBytes, 1);
    if (HasFourCC()) {
        const std::uint32_t index = DxtIndex(header_.fourCC);
        if (index == kDxtFormats) throw FileError(UnsupportedFormatText(path));
        const auto dxt = static_cast<TextureFormat>(static_cast<std::uint32_t>(TextureFormat::Dxt1) + index);
        format_ = (supportedFormats & TextureFormatBit(dxt)) ? dxt : TextureFormat::A8R8G8B8;
    } else if (header_.pixelFormatFlags & kRgbMasksPresent) {
        const std::uint32_t bits = header_.rgbBitCount;
        if (bits != 8 && bits != 16 && bits != 24 && bits != 32) throw FileError(UnsupportedFormatText(path));
        format_ = header_.alphaMask ? TextureFormat::A8R8G8B8 : TextureFormat::Rgb24;
    } else {
        throw FileError(UnsupportedFormatText(path));
    }
    const std::uint32_t depth = GetDepth();
    if (!Image::IsSaneSize(GetWidth(), GetHeight(), 32) || depth == 0 || depth > Image::kMaxDimension ||
        GetMipCount() > ChainLength(std::max({GetWidth(), GetHeight(), depth})) ||
        LevelBytes(0) > Image::kMaxPixelBytes || kHeaderBytes + LevelBytes(0) > stream_->GetSize())
        throw FileError(IncorrectFormatText(path));
}

bool FileDDS::HasFourCC() const { return (header_.pixelFormatFlags & kFourCCPresent) != 0; }

std::uint32_t FileDDS::GetWidth() const { return (header_.flags & kWidthValid) ? header_.width : 1; }
std::uint32_t FileDDS::GetHeight() const { return (header_.flags & kHeightValid) ? header_.height : 1; }
std::uint32_t FileDDS::GetDepth() const { return (header_.flags & kDepthValid) ? header_.depth : 1; }
std::uint32_t FileDDS::GetMipCount() const {
    return (header_.flags & kMipCountValid) ? std::max(header_.mipMapCount, 1u) : 1;
}

std::uint32_t FileDDS::GetBlockSize() const {
    const std::uint32_t index = DxtIndex(header_.fourCC);
    if (index == kDxtFormats) return 0;
    return index == 0 ? 8 : 16;
}

std::uint32_t FileDDS::LevelDimension(std::uint32_t value, std::uint32_t level) const {
    return level >= 32 ? 1 : std::max(value >> level, 1u);
}

std::uint64_t FileDDS::LevelBytes(std::uint32_t level) const {
    const std::uint64_t width = LevelDimension(GetWidth(), level);
    const std::uint64_t height = LevelDimension(GetHeight(), level);
    if (HasFourCC()) return (width + 3) / 4 * GetBlockSize() * ((height + 3) / 4);
    const std::uint64_t storedRow = (width * ((header_.rgbBitCount + 7) / 8) + 3) / 4 * 4;
    return storedRow * height * LevelDimension(GetDepth(), level);
}

std::uint32_t FileDDS::GetLevelSize(std::uint32_t level) const { return static_cast<std::uint32_t>(LevelBytes(level)); }

std::uint32_t FileDDS::GetSurfaceSize() const {
    std::uint64_t size = 0;
    for (std::uint32_t level = 0; level < GetMipCount(); ++level) size += LevelBytes(level);
    return static_cast<std::uint32_t>(size);
}

std::uint32_t FileDDS::GetLevelOffset(std::uint32_t surface, std::uint32_t level) const {
    std::uint64_t offset = kHeaderBytes + static_cast<std::uint64_t>(surface) * GetSurfaceSize();
    for (std::uint32_t i = 0; i < level; ++i) offset += LevelBytes(i);
    return static_cast<std::uint32_t>(offset);
}

bool FileDDS::ReadLevel(std::uint32_t level, Image& image) {
    try {
        // The chain is checked against the file before anything is allocated.
        std::uint64_t offset = kHeaderBytes;
        for (std::uint32_t i = 0; i < level && i < GetMipCount(); ++i) offset += LevelBytes(i);
        if (level >= GetMipCount() || offset + LevelBytes(level) > stream_->GetSize())
            throw FileError(IncorrectFormatText(stream_->GetPath()));
        stream_->Seek(0, static_cast<std::int32_t>(offset));
        const std::uint32_t width = LevelDimension(GetWidth(), level);
        const std::uint32_t height = LevelDimension(GetHeight(), level);
        if (!HasFourCC())
            ReadMaskedLevel(width, height, image);
        else if (format_ == TextureFormat::A8R8G8B8)
            DecodeBlocks(width, height, image);
        else
            ReadRawBlocks(width, height, level, image);
        return true;
    } catch (const FileError& error) {
        LogImageError(error.GetText());
        image.Free();
        return false;
    }
}

void FileDDS::ReadMaskedLevel(std::uint32_t width, std::uint32_t height, Image& image) {
    const std::uint32_t storedBytes = (header_.rgbBitCount + 7) / 8;
    const std::uint32_t outBytes = header_.alphaMask ? 4 : 3;
    image.SetFormat(width, height, outBytes * 8, true);
    const MaskChannel channels[4] = {MaskChannel(header_.redMask), MaskChannel(header_.greenMask),
                                     MaskChannel(header_.blueMask), MaskChannel(header_.alphaMask)};
    std::vector<std::uint8_t> stored((width * storedBytes + 3) / 4 * 4);
    // The file's first row is the top of the picture.
    for (std::uint32_t r = 0; r < height; ++r) {
        stream_->Read(stored.data(), 1, static_cast<std::uint32_t>(stored.size()));
        std::uint8_t* out = image.GetPixels() + static_cast<std::size_t>(height - 1 - r) * image.GetRowBytes();
        for (std::uint32_t k = 0; k < width; ++k) {
            const std::uint32_t value = LoadLittleEndian(stored.data() + k * storedBytes, storedBytes);
            for (std::uint32_t c = 0; c < outBytes; ++c) *out++ = channels[c].Extract(value);
        }
    }
}

void FileDDS::ReadRawBlocks(std::uint32_t width, std::uint32_t height, std::uint32_t level, Image& image) {
    const std::uint32_t blockSize = GetBlockSize();
    const std::uint32_t blockRows = (height + 3) / 4;
    const std::uint32_t blocksWide = (width + 3) / 4;
    const std::uint32_t rowBytes = blocksWide * blockSize;
    image.SetFormat(width, height, 32, true, std::max(GetLevelSize(level), rowBytes));
    // The file's first block row becomes the image's last.
    for (std::uint32_t r = 0; r < blockRows; ++r)
        stream_->Read(image.GetPixels() + static_cast<std::size_t>(blockRows - 1 - r) * rowBytes, rowBytes, 1);
    void (*flip)(std::uint8_t*) = FlipInterpolatedAlphaBlock;
    if (format_ == TextureFormat::Dxt1)
        flip = FlipDxt1Block;
    else if (format_ == TextureFormat::Dxt2 || format_ == TextureFormat::Dxt3)
        flip = FlipExplicitAlphaBlock;
    std::uint8_t* end = image.GetPixels() + static_cast<std::size_t>(blockRows) * rowBytes;
    for (std::uint8_t* block = image.GetPixels(); block < end; block += blockSize) flip(block);
}

void FileDDS::DecodeBlocks(std::uint32_t width, std::uint32_t height, Image& image) {
    const std::uint32_t index = DxtIndex(header_.fourCC);
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(width) * height * 4;
    image.SetFormat(width, height, 32, true, static_cast<std::uint32_t>(std::max<std::uint64_t>(pixelBytes, 64)));
    std::uint8_t decoded[DxtBlock::kPixels * 4];
    for (std::uint32_t blockRow = 0; blockRow < (height + 3) / 4; ++blockRow) {
        for (std::uint32_t blockColumn = 0; blockColumn < (width + 3) / 4; ++blockColumn) {
            DxtBlock block;
            if (index != 0) stream_->Read(block.alpha, 1, 8);
            stream_->Read(&block.color0, 2, 1);
            stream_->Read(&block.color1, 2, 1);
            stream_->Read(block.indices, 1, 4);
            if (index == 0)
                block.DecodeColors(decoded);
            else if (index <= 2)
                block.DecodeDxt3(decoded);
            else
                block.DecodeDxt5(decoded);
            const std::uint32_t rows = std::min(4u, height - 4 * blockRow);
            const std::uint32_t columns = std::min(4u, width - 4 * blockColumn);
            for (std::uint32_t m = 0; m < rows; ++m)
                std::memcpy(image.GetPixels() + static_cast<std::size_t>(height - 1 - (4 * blockRow + m)) *
                                                    image.GetRowBytes() +
                                static_cast<std::size_t>(4 * blockColumn) * 4,
                            decoded + 16 * m, columns * 4);
        }
    }
}

}  // namespace Vantor
