#include "engine/render/TextureImage.h"

#include <algorithm>
#include <memory>

#include "engine/kernel/Config.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/FileDDS.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"

namespace Vantor {

namespace {

constexpr std::uint32_t kLargestSide = 65536;

MessageManager& Log() { return *MessageManager::Instance(); }

const ConfigValues* TheSettings() {
    const Config* config = Config::Instance();
    return config ? &config->values : nullptr;
}

// Whether the image holds width x height pixels of 8, 24 or 32 bits.
bool HoldsPixels(const Image& image) {
    const std::uint32_t bits = image.GetBits();
    return image.GetPixels() && (bits == 8 || bits == 24 || bits == 32) &&
           image.GetSize() >= static_cast<std::uint64_t>(image.GetRowBytes()) * image.GetHeight();
}

// The power of two nearest the side (a tie keeps the larger), at most the device's
// maximum when one is known, and at least 1.
std::uint32_t FitSide(std::uint32_t side, std::uint32_t deviceMaximum) {
    std::uint64_t fitted = 1;
    while (fitted < side) fitted <<= 1;
    if (side - fitted / 2 < fitted - side) fitted /= 2;
    if (deviceMaximum != 0) fitted = std::min<std::uint64_t>(fitted, deviceMaximum);
    return static_cast<std::uint32_t>(std::max<std::uint64_t>(fitted, 1));
}

// The 2 x 2 average of one byte of a pixel, its horizontal and vertical neighbours and
// the diagonal one (offsets in bytes).
std::uint8_t Average(const std::uint8_t* byte, std::uint32_t across, std::uint32_t up) {
    return static_cast<std::uint8_t>((byte[0] + byte[across] + byte[up] + byte[across + up] + 2) >> 2);
}

}  // namespace

bool IsPowerOfTwo(std::uint32_t value) { return value <= kLargestSide && (value & (value - 1)) == 0; }

TextureImage::TextureImage(Image* colour, Image* opacity, bool mipMapRequest)
    : settings_(TheSettings()),
      fromFiles_(false),
      colour_(colour),
      opacity_(opacity),
      mipMapped_(mipMapRequest && settings_ && settings_->useMipMapping) {}

TextureImage::TextureImage(const std::wstring& colourPath, const std::wstring& opacityPath, bool mipMapRequest)
    : settings_(TheSettings()),
      colourPath_(colourPath),
      opacityPath_(opacityPath),
      fromFiles_(true),
      mipMapped_(mipMapRequest && settings_ && settings_->useMipMapping) {}

TextureImage::~TextureImage() {
    DeleteColourImage();
    DeleteOpacityImage();
    DeleteMipImages();
}

void TextureImage::Load() {
    if (!colour_ && FileManager::HasExtension(colourPath_, L"dds") && LoadDDS()) return;
    if (!colour_) LoadPictures();
    // An image handed over without pixels shows the checker too.
    if (!HoldsPixels(*colour_)) colour_->MakeChecker();
    WarnUnlessPowerOfTwo(*colour_);
    FitColourImage();
    FitOpacityImage();
    width_ = colour_->GetWidth();
    height_ = colour_->GetHeight();
    bits_ = (opacity_ || colour_->GetBits() == 32) ? 32 : 24;
    format_ = bits_ == 32 ? TextureFormat::A8R8G8B8 : TextureFormat::Rgb24;
    if (mipMapped_) BuildMipChain();
}

bool TextureImage::LoadDDS() {
    colour_ = new Image;
    std::unique_ptr<FileDDS> file;
    bool read = false;
    try {
        file = std::make_unique<FileDDS>(colourPath_);
        read = ReadDDSLevels(*file);
    } catch (const FileError& error) {
        Log().PrintMessage(error.GetText());
    }
    if (!read) {
        ClearImages();
        colour_ = new Image;
        colour_->MakeChecker();
        return false;
    }
    width_ = colour_->GetWidth();
    height_ = colour_->GetHeight();
    bits_ = colour_->GetBits() == 32 ? 32 : 24;
    format_ = file->GetFormat();
    mipMapped_ = file->GetMipCount() > 1;
    return true;
}

bool TextureImage::ReadDDSLevels(FileDDS& file) {
    if (!file.ReadLevel(0, *colour_)) return false;
    for (std::uint32_t level = 1; mipMapped_ && level < file.GetMipCount(); ++level) {
        mipImages_.push_back(new Image);
        if (!file.ReadLevel(level, *mipImages_.back())) return false;
    }
    return true;
}

void TextureImage::LoadPictures() {
    colour_ = ReadColourPicture(true);
    if (opacityPath_.empty()) return;
    DeleteOpacityImage();
    opacity_ = new Image;
    if (opacityPath_ == colourPath_) {
        opacity_->CopyFrom(*colour_);
    } else if (!opacity_->Load(opacityPath_, true) || !HoldsPixels(*opacity_)) {
        // An unreadable opacity picture leaves the texture opaque.
        DeleteOpacityImage();
    }
}

Image* TextureImage::ReadColourPicture(bool readPixels) const {
    auto image = std::make_unique<Image>();
    const bool read = image->Load(colourPath_, readPixels);
    if (!read || image->IsEmpty() || (readPixels && !HoldsPixels(*image))) image->MakeChecker();
    return image.release();
}

void TextureImage::WarnUnlessPowerOfTwo(const Image& image) const {
    if (!IsPowerOfTwo(image.GetWidth()) || !IsPowerOfTwo(image.GetHeight()))
        Log().PrintWarning("Texture Image: " + QuotedPath(colourPath_) + " image size should be power of two");
}

void TextureImage::FitColourImage() {
    const RenderSystem* renderSystem = RenderSystem::Instance();
    const std::uint32_t width = FitSide(colour_->GetWidth(), renderSystem ? renderSystem->GetMaxTextureWidth() : 0);
    const std::uint32_t height = FitSide(colour_->GetHeight(), renderSystem ? renderSystem->GetMaxTextureHeight() : 0);
    if (width != colour_->GetWidth() || height != colour_->GetHeight()) colour_->Resize(width, height, 0);
}

void TextureImage::FitOpacityImage() {
    if (!opacity_) return;
    if (opacity_->GetWidth() == colour_->GetWidth() && opacity_->GetHeight() == colour_->GetHeight()) return;
    Log().PrintWarning("Texture Image: " + QuotedPath(opacityPath_) + " image size should be the same as " +
                       QuotedPath(colourPath_));
    opacity_->Resize(colour_->GetWidth(), colour_->GetHeight(), 0);
}

void TextureImage::BuildMipChain() {
    DeleteMipImages();
    for (std::uint32_t side = std::max(width_, height_) / 2; side != 0; side /= 2) {
        auto* level = new Image;
        if (mipImages_.empty()) {
            BuildMipLevel(*colour_, opacity_, *level);
            // Level 1 painted red, and every smaller level made from it, shows where the
            // device starts sampling the mip chain.
            if (ShowMipMaps()) PaintRed(*level);
        } else {
            BuildMipLevel(*mipImages_.back(), nullptr, *level);
        }
        mipImages_.push_back(level);
    }
}

void TextureImage::PaintRed(Image& image) {
    const std::uint32_t pixelBytes = image.GetBits() / 8;
    const std::uint8_t red[3] = {255, 0, 0};
    std::uint8_t* end = image.GetPixels() + static_cast<std::size_t>(image.GetRowBytes()) * image.GetHeight();
    for (std::uint8_t* pixel = image.GetPixels(); pixel < end; pixel += pixelBytes)
        std::copy_n(red, std::min<std::uint32_t>(pixelBytes, 3), pixel);
}

void TextureImage::BuildMipLevel(const Image& source, const Image* opacity, Image& target) {
    if (!HoldsPixels(source)) return;
    if (opacity && (!HoldsPixels(*opacity) || opacity->GetWidth() != source.GetWidth() ||
                    opacity->GetHeight() != source.GetHeight()))
        opacity = nullptr;
    const std::uint32_t width = source.GetWidth();
    const std::uint32_t height = source.GetHeight();
    const std::uint32_t pixelBytes = source.GetBits() / 8;
    target.SetFormat(std::max(width / 2, 1u), std::max(height / 2, 1u), opacity ? 32 : source.GetBits(), true);
    const std::uint32_t targetBytes = target.GetBits() / 8;

    const std::uint32_t across = width > 1 ? pixelBytes : 0;
    const std::uint32_t up = height > 1 ? source.GetRowBytes() : 0;
    const std::uint32_t opacityBytes = opacity ? opacity->GetBits() / 8 : 0;
    const std::uint32_t opacityAcross = width > 1 ? opacityBytes : 0;
    const std::uint32_t opacityUp = opacity && height > 1 ? opacity->GetRowBytes() : 0;
    const std::uint32_t opacityChannel = opacityBytes == 4 ? 3 : 0;

    std::uint8_t* out = target.GetPixels();
    for (std::uint32_t y = 0; y < target.GetHeight(); ++y) {
        for (std::uint32_t x = 0; x < target.GetWidth(); ++x, out += targetBytes) {
            const std::uint8_t* in =
                source.GetPixels() + std::size_t(2 * y) * source.GetRowBytes() + 2 * x * pixelBytes;
            if (!opacity) {
                for (std::uint32_t b = 0; b < pixelBytes; ++b) out[b] = Average(in + b, across, up);
                continue;
            }
            for (std::uint32_t b = 0; b < 3; ++b) out[b] = Average(in + (pixelBytes == 1 ? 0 : b), across, up);
            const std::uint8_t* alpha =
                opacity->GetPixels() + std::size_t(2 * y) * opacity->GetRowBytes() + 2 * x * opacityBytes;
            out[3] = Average(alpha + opacityChannel, opacityAcross, opacityUp);
        }
    }
}

void TextureImage::ReadInfo() {
    if (!colour_ && FileManager::HasExtension(colourPath_, L"dds")) {
        try {
            FileDDS file(colourPath_);
            width_ = file.GetWidth();
            height_ = file.GetHeight();
            bits_ = 32;
            format_ = file.GetFormat();
            mipMapped_ = file.GetMipCount() > 1;
            return;
        } catch (const FileError& error) {
            Log().PrintMessage(error.GetText());
        }
    }
    // Only the header is read; a texture made from images keeps its own picture.
    std::unique_ptr<Image> header;
    const Image* image = colour_;
    if (!image) {
        header.reset(ReadColourPicture(false));
        image = header.get();
    }
    WarnUnlessPowerOfTwo(*image);
    width_ = image->GetWidth();
    height_ = image->GetHeight();
}

void TextureImage::ClearImages() {
    if (fromFiles_) {
        DeleteColourImage();
        DeleteOpacityImage();
    }
    DeleteMipImages();
}

void TextureImage::DeleteColourImage() {
    delete colour_;
    colour_ = nullptr;
}

void TextureImage::DeleteOpacityImage() {
    delete opacity_;
    opacity_ = nullptr;
}

void TextureImage::DeleteMipImages() {
    for (Image* image : mipImages_) delete image;
    mipImages_.clear();
}

bool TextureImage::ShowMipMaps() const { return settings_ && settings_->showMipMaps; }

}  // namespace Vantor
