#include "engine/render/Image.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ImageReaderSupport.h"

namespace Vantor {

namespace {

// Grey weights, kept as single floats and applied in double precision.
constexpr float kRedWeight = 0.222f;
constexpr float kGreenWeight = 0.707f;
constexpr float kBlueWeight = 0.071f;

double GreyLevel(double red, double green, double blue) {
    return static_cast<double>(kRedWeight) * red + static_cast<double>(kGreenWeight) * green +
           static_cast<double>(kBlueWeight) * blue;
}

// Truncates toward zero and keeps the result within a byte.
std::uint8_t TruncToByte(double value) {
    if (!(value > 0.0)) return 0;  // also NaN
    if (value >= 255.0) return 255;
    return static_cast<std::uint8_t>(value);
}

// Pictures are read through their file, not copied into memory first.
constexpr std::uint32_t kImageCacheLimit = 0;

bool IsPixelDepth(std::uint32_t bits) { return bits == 8 || bits == 24 || bits == 32; }

// Source index of target index i when n target entries sample m source entries: the
// first and last map onto the first and last; a single entry takes the first.
std::uint32_t NearestIndex(std::uint32_t i, std::uint32_t sourceCount, std::uint32_t targetCount) {
    if (targetCount <= 1) return 0;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(i) * (sourceCount - 1) / (targetCount - 1));
}

}  // namespace

Image::~Image() { Free(); }

void Image::Free() {
    delete[] pixels_;
    pixels_ = nullptr;
    width_ = height_ = bits_ = 0;
    empty_ = true;
}

void Image::SetFormat(std::uint32_t width, std::uint32_t height, std::uint32_t bits, bool allocate,
                      std::uint32_t size) {
    if (!empty_ && (width != width_ || height != height_ || bits != bits_)) Free();
    std::uint64_t newSize = size;
    if (newSize == 0) newSize = static_cast<std::uint64_t>(width) * height * bits / 8;
    if (newSize > UINT32_MAX)
        throw Error("An image of " + ToString(width, 0) + " x " + ToString(height, 0) + " pixels of " +
                    ToString(bits, 0) + " bits is too large");
    // A kept block must hold exactly the new size.
    if (pixels_ && newSize != size_) {
        delete[] pixels_;
        pixels_ = nullptr;
    }
    empty_ = false;
    width_ = width;
    height_ = height;
    bits_ = bits;
    size_ = static_cast<std::uint32_t>(newSize);
    if (allocate && !pixels_) pixels_ = new std::uint8_t[size_];
}

void Image::CopyFrom(const Image& source) {
    if (&source == this) return;
    SetFormat(source.width_, source.height_, source.bits_, source.pixels_ != nullptr, source.size_);
    if (source.pixels_) std::memcpy(pixels_, source.pixels_, size_);
}

bool Image::IsSaneSize(std::uint32_t width, std::uint32_t height, std::uint32_t bits) {
    if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) return false;
    return static_cast<std::uint64_t>(width) * height * ((bits + 7) / 8) <= kMaxPixelBytes;
}

bool Image::HoldsPixels() const {
    return pixels_ && IsPixelDepth(bits_) && size_ >= static_cast<std::uint64_t>(GetRowBytes()) * height_;
}

void Image::TakeOver(Image& source) {
    Free();
    std::swap(empty_, source.empty_);
    std::swap(width_, source.width_);
    std::swap(height_, source.height_);
    std::swap(bits_, source.bits_);
    std::swap(size_, source.size_);
    std::swap(pixels_, source.pixels_);
}

void Image::Crop(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height, Image& target) const {
    if (!HoldsPixels()) return;
    if (&target == this) {
        Image cropped;
        Crop(x, y, width, height, cropped);
        target.TakeOver(cropped);
        return;
    }
    const std::uint32_t copyWidth = x < width_ ? std::min(width_ - x, width) : 0;
    const std::uint32_t copyHeight = y < height_ ? std::min(height_ - y, height) : 0;
    target.SetFormat(copyWidth, copyHeight, bits_, true);
    const std::uint32_t pixelBytes = bits_ / 8;
    const std::uint32_t rowBytes = copyWidth * pixelBytes;
    for (std::uint32_t i = 0; i < copyHeight; ++i)
        std::memcpy(target.pixels_ + i * rowBytes, pixels_ + (y + i) * GetRowBytes() + x * pixelBytes, rowBytes);
}

void Image::ResizeTo(std::uint32_t width, std::uint32_t height, int /*mode*/, Image& target) const {
    if (!HoldsPixels()) return;
    if (width == width_ && height == height_) {
        target.CopyFrom(*this);
        return;
    }
    if (&target == this) {
        Image resized;
        ResizeTo(width, height, 0, resized);
        target.TakeOver(resized);
        return;
    }
    target.SetFormat(width, height, bits_, true);
    const std::uint32_t pixelBytes = bits_ / 8;
    std::uint8_t* out = target.pixels_;
    for (std::uint32_t i = 0; i < height; ++i) {
        const std::uint8_t* row = pixels_ + NearestIndex(i, height_, height) * GetRowBytes();
        for (std::uint32_t j = 0; j < width; ++j, out += pixelBytes)
            std::memcpy(out, row + NearestIndex(j, width_, width) * pixelBytes, pixelBytes);
    }
}

void Image::Resize(std::uint32_t width, std::uint32_t height, int mode) { ResizeTo(width, height, mode, *this); }

void Image::SwapRedBlue(Image* target) {
    if (!HoldsPixels()) return;
    Image& out = target ? *target : *this;
    if (&out != this) out.CopyFrom(*this);
    if (bits_ == 8) return;
    const std::uint32_t pixelBytes = bits_ / 8;
    std::uint8_t* end = out.pixels_ + static_cast<std::size_t>(GetRowBytes()) * height_;
    for (std::uint8_t* pixel = out.pixels_; pixel < end; pixel += pixelBytes) std::swap(pixel[0], pixel[2]);
}

void Image::ConvertBits(std::uint32_t bits, Image* target) {
    if (!HoldsPixels() || !IsPixelDepth(bits)) return;
    if (bits == bits_) {
        if (target) target->CopyFrom(*this);
        return;
    }
    Image converted;
    converted.SetFormat(width_, height_, bits, true);
    const std::uint32_t fromBytes = bits_ / 8;
    const std::uint32_t toBytes = bits / 8;
    const std::size_t count = static_cast<std::size_t>(width_) * height_;
    const std::uint8_t* in = pixels_;
    std::uint8_t* out = converted.pixels_;
    for (std::size_t p = 0; p < count; ++p, in += fromBytes, out += toBytes) {
        if (fromBytes == 1) {
            std::memset(out, in[0], toBytes);
        } else if (toBytes == 1) {
            out[0] = fromBytes == 4 ? in[3] : TruncToByte(GreyLevel(in[0], in[1], in[2]));
        } else {
            std::memcpy(out, in, 3);
            if (toBytes == 4) out[3] = 255;
        }
    }
    if (target && target != this)
        target->TakeOver(converted);
    else
        TakeOver(converted);
}

void Image::Paste(std::uint32_t x, std::uint32_t y, const Image& source, Image* target) {
    if (!HoldsPixels() || !source.HoldsPixels()) return;
    // The source is read from a copy at this depth when it differs or may be overwritten.
    Image copy;
    const Image* from = &source;
    if (source.bits_ != bits_ || &source == this || &source == target) {
        copy.CopyFrom(source);
        copy.ConvertBits(bits_);
        from = &copy;
    }
    Image& out = target ? *target : *this;
    if (&out != this) out.CopyFrom(*this);
    const std::uint32_t copyWidth = x < width_ ? std::min(width_ - x, from->width_) : 0;
    const std::uint32_t copyHeight = y < height_ ? std::min(height_ - y, from->height_) : 0;
    const std::uint32_t pixelBytes = bits_ / 8;
    for (std::uint32_t i = 0; i < copyHeight; ++i)
        std::memcpy(out.pixels_ + (y + i) * GetRowBytes() + x * pixelBytes, from->pixels_ + i * from->GetRowBytes(),
                    copyWidth * pixelBytes);
}

Image& Image::Fill(const Color& color, Image* target) {
    Image& out = target ? *target : *this;
    if (&out != this) out.SetFormat(width_, height_, bits_, true);
    if (!out.HoldsPixels()) return *this;
    std::uint8_t value[4];
    if (bits_ == 8) {
        value[0] = TruncToByte(255.0 * GreyLevel(color.x, color.y, color.z));
    } else {
        value[0] = TruncToByte(color.x * 255.0f);
        value[1] = TruncToByte(color.y * 255.0f);
        value[2] = TruncToByte(color.z * 255.0f);
        value[3] = TruncToByte(color.w * 255.0f);
    }
    const std::uint32_t pixelBytes = bits_ / 8;
    std::uint8_t* end = out.pixels_ + static_cast<std::size_t>(GetRowBytes()) * height_;
    for (std::uint8_t* pixel = out.pixels_; pixel < end; pixel += pixelBytes) std::memcpy(pixel, value, pixelBytes);
    return *this;
}

void Image::MakeChecker() {
    constexpr std::uint32_t kSize = 64;
    constexpr std::uint32_t kSquare = 8;
    SetFormat(kSize, kSize, 24, true);
    Fill(Color(0.0f, 0.0f, 0.0f, 1.0f));
    Image yellow;
    yellow.SetFormat(kSquare, kSquare, 32, true);
    yellow.Fill(Color(1.0f, 1.0f, 0.0f, 1.0f));
    for (std::uint32_t i = 0; i < kSize / kSquare; ++i)
        for (std::uint32_t j = 0; j < kSize / kSquare; ++j)
            if ((i + j) % 2 == 0) Paste(kSquare * i, kSquare * j, yellow);
}

bool Image::Load(const std::wstring& path, bool readPixels) {
    const std::wstring extension = ToLower(FileManager::GetExtension(path));
    if (extension == L"bmp") return LoadBMP(path, readPixels);
    if (extension == L"tga") return LoadTGA(path, readPixels);
    if (extension == L"jpg" || extension == L"jpeg") return LoadJPEG(path, readPixels);
    if (extension == L"png") return LoadPNG(path, readPixels);
    LogImageError("Unknown " + QuotedPath(path) + " image file type");
    return false;
}

bool Image::LoadTGA(const std::wstring& path, bool readPixels) { return LoadWith(path, readPixels, &Image::LoadTGA); }
bool Image::LoadBMP(const std::wstring& path, bool readPixels) { return LoadWith(path, readPixels, &Image::LoadBMP); }
bool Image::LoadPNG(const std::wstring& path, bool readPixels) { return LoadWith(path, readPixels, &Image::LoadPNG); }
bool Image::LoadJPEG(const std::wstring& path, bool readPixels) {
    return LoadWith(path, readPixels, &Image::LoadJPEG);
}

bool Image::LoadWith(const std::wstring& path, bool readPixels, StreamReader reader) {
    std::unique_ptr<FileBinary> stream;
    try {
        const FileManager* files = FileManager::Instance();
        stream.reset(files ? files->OpenFile(path, false, kImageCacheLimit, 0) : new FileBinary(path));
    } catch (const FileError& error) {
        LogImageError(error.GetText());
        return false;
    }
    return (this->*reader)(*stream, readPixels);
}

}  // namespace Vantor
