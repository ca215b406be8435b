#pragma once
// The engine's plain pixel buffer: width, height, a depth of 8 (grey or opacity),
// 24 (red, green, blue) or 32 (red, green, blue, alpha) bits per pixel and one owned
// block of bytes. Rows are packed without padding and stored bottom row first.
//
// It also reads TGA, BMP, PNG and JPEG files. Every reader can read the whole picture
// or only its header (format set, no pixel block). Dimensions from a file are checked
// against the limits below and against the bytes the file holds before anything is
// allocated; a bad header is a failed read.

#include <cstdint>
#include <string>

#include "engine/kernel/Vector4.h"

namespace Vantor {

class FileBinary;

class Image {
public:
    // Largest width or height, and largest pixel block, a reader accepts.
    static constexpr std::uint32_t kMaxDimension = 16384;
    static constexpr std::uint64_t kMaxPixelBytes = 0x10000000;

    Image() = default;
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Frees the pixel block; width, height and bits become 0 and the image empty. The
    // size keeps its value.
    void Free();
    // Sets the format, freeing first when another format was set. size 0 means
    // width * height * bits / 8. With allocate, a block of size bytes is made unless
    // one is already there (a block of the same format is reused). Throws Error when
    // the size does not fit in 32 bits.
    void SetFormat(std::uint32_t width, std::uint32_t height, std::uint32_t bits, bool allocate,
                   std::uint32_t size = 0);
    // The source's format, and its pixels when it has any.
    void CopyFrom(const Image& source);

    bool IsEmpty() const { return empty_; }
    std::uint32_t GetWidth() const { return width_; }
    std::uint32_t GetHeight() const { return height_; }
    std::uint32_t GetBits() const { return bits_; }
    std::uint32_t GetSize() const { return size_; }
    std::uint8_t* GetPixels() { return pixels_; }
    const std::uint8_t* GetPixels() const { return pixels_; }
    // Bytes of one row; row r starts at r * GetRowBytes().
    std::uint32_t GetRowBytes() const { return width_ * (bits_ / 8); }

    // True when a picture of that format is within the limits above.
    static bool IsSaneSize(std::uint32_t width, std::uint32_t height, std::uint32_t bits);

    // Pixel operations work on images whose block holds width * height pixels; on any
    // other image they do nothing. A target may be this image itself.

    // The rectangle from column x, row y, clipped to the image, into the target; an
    // origin outside the image gives a target of 0 pixels.
    void Crop(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height, Image& target) const;
    // Nearest-pixel scaling into the target; the mode has no effect. A target size of
    // 1 takes the first row or column.
    void ResizeTo(std::uint32_t width, std::uint32_t height, int mode, Image& target) const;
    void Resize(std::uint32_t width, std::uint32_t height, int mode);
    // Exchanges red and blue of 24- and 32-bit pixels, in place without a target.
    void SwapRedBlue(Image* target = nullptr);
    // Converts to 8, 24 or 32 bits, in place without a target.
    void ConvertBits(std::uint32_t bits, Image* target = nullptr);
    // Copies the source (converted to this depth) with its bottom-left corner at column
    // x, row y, clipped; into a copy of this image made in the target when there is one.
    void Paste(std::uint32_t x, std::uint32_t y, const Image& source, Image* target = nullptr);
    // Sets every pixel to the colour (components in 0..1), in the target when there is one.
    Image& Fill(const Color& color, Image* target = nullptr);
    // The 64 x 64 yellow and black checker that stands in for a missing picture.
    void MakeChecker();

    // Readers by path, opened through the file manager. Load chooses by the extension.
    // All log what went wrong and return false on failure.
    bool Load(const std::wstring& path, bool readPixels);
    bool LoadTGA(const std::wstring& path, bool readPixels);
    bool LoadBMP(const std::wstring& path, bool readPixels);
    bool LoadPNG(const std::wstring& path, bool readPixels);
    bool LoadJPEG(const std::wstring& path, bool readPixels);
    // The same readers over an open stream, read from its current position.
    bool LoadTGA(FileBinary& stream, bool readPixels);
    bool LoadBMP(FileBinary& stream, bool readPixels);
    bool LoadPNG(FileBinary& stream, bool readPixels);
    bool LoadJPEG(FileBinary& stream, bool readPixels);

private:
    using StreamReader = bool (Image::*)(FileBinary&, bool);
    // Opens the path, runs the reader over it and deletes the stream.
    bool LoadWith(const std::wstring& path, bool readPixels, StreamReader reader);
    bool HoldsPixels() const;
    void TakeOver(Image& source);
    // Converts width * height TGA pixels of the file's depth into the formatted image.
    void ReadTGAPixels(const std::uint8_t* data, std::uint32_t depth, bool topFirst);

    bool empty_ = true;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t bits_ = 0;
    std::uint32_t size_ = 0;
    std::uint8_t* pixels_ = nullptr;
};

}  // namespace Vantor
