#include "engine/render/d3d7/Texture2D_D3D7.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/kernel/MessageManager.h"
#include "engine/render/Image.h"
#include "engine/render/TextureImage.h"
#include "engine/render/d3d7/ClassifyPixelFormat.h"
#include "engine/render/d3d7/DeviceInfo_D3D7.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"

namespace Vantor {

namespace {

// The caps of a texture with mip levels, and of each level attached to the one above.
constexpr DWORD kMipMapCaps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;

RenderSystem_D3D7& TheRenderSystem() { return *static_cast<RenderSystem_D3D7*>(RenderSystem::Instance()); }

bool IsCompressed(TextureFormat format) { return format >= TextureFormat::Dxt1 && format <= TextureFormat::Dxt5; }

DWORD FourCCOf(TextureFormat format) {
    const auto index =
        static_cast<char>(static_cast<std::uint32_t>(format) - static_cast<std::uint32_t>(TextureFormat::Dxt1));
    return MAKEFOURCC('D', 'X', 'T', '1' + index);
}

// The pixel formats the texture writes itself when the device supports them.
DDPIXELFORMAT DescribeFormat(TextureFormat format) {
    DDPIXELFORMAT pixelFormat{};
    pixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    switch (format) {
        case TextureFormat::A4R4G4B4:
            pixelFormat.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
            pixelFormat.dwRGBBitCount = 16;
            pixelFormat.dwRGBAlphaBitMask = 0xF000;
            pixelFormat.dwRBitMask = 0x0F00;
            pixelFormat.dwGBitMask = 0x00F0;
            pixelFormat.dwBBitMask = 0x000F;
            break;
        case TextureFormat::R5G6B5:
            pixelFormat.dwFlags = DDPF_RGB;
            pixelFormat.dwRGBBitCount = 16;
            pixelFormat.dwRBitMask = 0xF800;
            pixelFormat.dwGBitMask = 0x07E0;
            pixelFormat.dwBBitMask = 0x001F;
            break;
        default:
            pixelFormat.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
            pixelFormat.dwRGBBitCount = 32;
            pixelFormat.dwRGBAlphaBitMask = 0xFF000000;
            pixelFormat.dwRBitMask = 0x00FF0000;
            pixelFormat.dwGBitMask = 0x0000FF00;
            pixelFormat.dwBBitMask = 0x000000FF;
            break;
    }
    return pixelFormat;
}

// Whether the image holds width x height pixels of 8, 24 or 32 bits (a level of raw
// compressed blocks does not).
bool HoldsPixels(const Image& image) {
    const std::uint32_t bits = image.GetBits();
    return image.GetPixels() && (bits == 8 || bits == 24 || bits == 32) &&
           image.GetSize() >= static_cast<std::uint64_t>(image.GetRowBytes()) * image.GetHeight();
}

// Red, green, blue and alpha of the pixels of a picture, the alpha taken from its
// opacity picture when it has one.
class PictureReader {
public:
    PictureReader(const Image& picture, const Image* opacity) : picture_(picture), pixelBytes_(picture.GetBits() / 8) {
        if (opacity && HoldsPixels(*opacity) && opacity->GetWidth() == picture.GetWidth() &&
            opacity->GetHeight() == picture.GetHeight()) {
            opacity_ = opacity;
            opacityBytes_ = opacity->GetBits() / 8;
        }
    }

    void Read(std::uint32_t x, std::uint32_t y, std::uint8_t rgba[4]) const {
        const std::uint8_t* pixel = picture_.GetPixels() + std::size_t(y) * picture_.GetRowBytes() + x * pixelBytes_;
        if (pixelBytes_ == 1) {
            rgba[0] = rgba[1] = rgba[2] = pixel[0];
        } else {
            std::copy_n(pixel, 3, rgba);
        }
        rgba[3] = pixelBytes_ == 4 ? pixel[3] : 255;
        if (opacity_) {
            const std::uint8_t* alpha =
                opacity_->GetPixels() + std::size_t(y) * opacity_->GetRowBytes() + x * opacityBytes_;
            rgba[3] = opacityBytes_ == 4 ? alpha[3] : alpha[0];
        }
    }

private:
    const Image& picture_;
    const std::uint32_t pixelBytes_;
    const Image* opacity_ = nullptr;
    std::uint32_t opacityBytes_ = 0;
};

// One channel of a pixel format: where its mask starts and how many bits it spans.
struct Channel {
    explicit Channel(DWORD mask)
        : mask(mask),
          shift(mask ? static_cast<std::uint32_t>(std::countr_zero(mask)) : 0),
          width(mask ? static_cast<std::uint32_t>(std::bit_width(mask)) - shift : 0) {}

    DWORD Place(std::uint8_t value) const {
        if (!mask) return 0;
        const DWORD scaled = width >= 8 ? DWORD(value) << (width - 8) : DWORD(value) >> (8 - width);
        return (scaled << shift) & mask;
    }

    DWORD mask;
    std::uint32_t shift;
    std::uint32_t width;
};

void WriteA8R8G8B8(const DDSURFACEDESC2& locked, const PictureReader& reader, std::uint32_t width,
                   std::uint32_t height) {
    auto* surface = static_cast<std::uint8_t*>(locked.lpSurface);
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* out = surface + std::size_t(y) * locked.lPitch;
        for (std::uint32_t x = 0; x < width; ++x, out += 4) {
            std::uint8_t rgba[4];
            reader.Read(x, y, rgba);
            out[0] = rgba[2];
            out[1] = rgba[1];
            out[2] = rgba[0];
            out[3] = rgba[3];
        }
    }
}

void WriteMasked(const DDSURFACEDESC2& locked, const PictureReader& reader, std::uint32_t width,
                 std::uint32_t height) {
    const DDPIXELFORMAT& format = locked.ddpfPixelFormat;
    const Channel red(format.dwRBitMask), green(format.dwGBitMask), blue(format.dwBBitMask),
        alpha(format.dwRGBAlphaBitMask);
    const bool wide = format.dwRGBBitCount == 32;
    auto* surface = static_cast<std::uint8_t*>(locked.lpSurface);
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* out = surface + std::size_t(y) * locked.lPitch;
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t rgba[4];
            reader.Read(x, y, rgba);
            const DWORD value = red.Place(rgba[0]) + green.Place(rgba[1]) + blue.Place(rgba[2]) + alpha.Place(rgba[3]);
            if (wide) {
                std::memcpy(out, &value, 4);
                out += 4;
            } else {
                const auto narrow = static_cast<std::uint16_t>(value);
                std::memcpy(out, &narrow, 2);
                out += 2;
            }
        }
    }
}

}  // namespace

Texture2D_D3D7::Texture2D_D3D7(const std::string& key, Image* colour, Image* opacity, bool mipMapRequest, bool lazy)
    : Texture2D(key, colour, opacity, mipMapRequest, lazy),
      renderSystem_(TheRenderSystem()),
      directDraw_(renderSystem_.GetDirectDrawSlot()),
      device_(renderSystem_.GetDeviceSlot()) {
    if (lazy) {
        width = colour ? colour->GetWidth() : 0;
        height = colour ? colour->GetHeight() : 0;
    } else {
        CreateSurface();
    }
    renderSystem_.RegisterTexture(this);
}

Texture2D_D3D7::Texture2D_D3D7(const std::string& key, const std::wstring& colourPath,
                               const std::wstring& opacityPath, bool mipMapRequest, bool lazy)
    : Texture2D(key, colourPath, opacityPath, mipMapRequest, lazy),
      renderSystem_(TheRenderSystem()),
      directDraw_(renderSystem_.GetDirectDrawSlot()),
      device_(renderSystem_.GetDeviceSlot()) {
    if (lazy) {
        image_->ReadInfo();
        width = image_->GetWidth();
        height = image_->GetHeight();
    } else {
        CreateSurface();
    }
    renderSystem_.RegisterTexture(this);
}

Texture2D_D3D7::~Texture2D_D3D7() {
    UnbindFromStages();
    ReleaseSurface();
    renderSystem_.UnregisterTexture(this);
}

void Texture2D_D3D7::UnbindFromStages() {
    for (std::uint32_t stage = 0; stage < renderSystem_.GetTextureStageCount(); ++stage) {
        const auto index = static_cast<std::int32_t>(stage);
        if (renderSystem_.GetTexture(index) == this) renderSystem_.SetTexture(index, nullptr);
    }
}

IDirectDrawSurface7* Texture2D_D3D7::GetSurface() {
    if (!surface_) CreateSurface();
    return surface_;
}

void Texture2D_D3D7::ReleaseSurface() {
    // A stage still holding this texture would keep sending nothing when it is bound
    // again, so the surface made on the next use would never reach the device.
    if (surface_) UnbindFromStages();
    if (surface_) surface_->Release();
    surface_ = nullptr;
    videoBytes = 0;
}

void Texture2D_D3D7::CreateSurface() {
    if (surface_ || !renderSystem_.IsReady() || !*directDraw_ || !*device_) return;
    videoBytes = 0;
    // The pictures are needed only while the surface is filled, whatever happens.
    struct ImagesClearedAtEnd {
        TextureImage& image;
        ~ImagesClearedAtEnd() { image.ClearImages(); }
    } cleared{*image_};
    image_->Load();
    width = image_->GetWidth();
    height = image_->GetHeight();

    const std::size_t levelCount = image_->GetMipImages().size() + 1;
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(DDSURFACEDESC2);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    if (levelCount > 1) {
        desc.dwFlags |= DDSD_MIPMAPCOUNT;
        desc.ddsCaps.dwCaps = kMipMapCaps;
        desc.dwMipMapCount = static_cast<DWORD>(levelCount);
    }
    // Hardware devices let Direct3D keep the texture where it wants; others sample
    // from system memory.
    const DeviceInfo_D3D7* device = renderSystem_.GetChosenDeviceD3D7();
    if (device && (device->guid == IID_IDirect3DHALDevice || device->guid == IID_IDirect3DTnLHalDevice))
        desc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
    else
        desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
    const TextureFormat format = ChooseFormat(desc.ddpfPixelFormat);

    IDirectDrawSurface7* surface = nullptr;
    const HRESULT result = (*directDraw_)->CreateSurface(&desc, &surface, nullptr);
    renderSystem_.CheckResult("Texture2D_D3D7::CreateSurface (CreateSurface) (1)", result);
    if (FAILED(result) || !surface) return;
    surface_ = surface;
    UploadLevels(format, levelCount);
}

TextureFormat Texture2D_D3D7::ChooseFormat(DDPIXELFORMAT& pixelFormat) const {
    const std::uint32_t supported = renderSystem_.GetSupportedTextureFormats();
    const std::uint32_t pictureBytes = image_->GetBits() / 8;
    const bool alphaWanted = image_->GetBits() == 32;

    TextureFormat format = TextureFormat::A8R8G8B8;
    const ModeInfo* mode = renderSystem_.GetChosenMode();
    if (mode && mode->bitsPerPixel == 16) {
        if (pictureBytes == 3 && (supported & TextureFormatBit(TextureFormat::R5G6B5)))
            format = TextureFormat::R5G6B5;
        else if (pictureBytes == 4 && (supported & TextureFormatBit(TextureFormat::A4R4G4B4)))
            format = TextureFormat::A4R4G4B4;
    }
    if (IsCompressed(image_->GetFormat())) {
        if (FindFormat(32, alphaWanted, FourCCOf(image_->GetFormat()), pixelFormat)) return image_->GetFormat();
        format = TextureFormat::A8R8G8B8;
    }
    if (supported & TextureFormatBit(format)) {
        pixelFormat = DescribeFormat(format);
        return format;
    }
    if (FindFormat(32, alphaWanted, 0, pixelFormat) || FindFormat(16, alphaWanted, 0, pixelFormat))
        return ClassifyPixelFormat(pixelFormat);
    MessageManager::Instance()->PrintFatalError(
        "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
}

bool Texture2D_D3D7::FindFormat(std::uint32_t bits, bool alphaWanted, std::uint32_t fourCC,
                                DDPIXELFORMAT& pixelFormat) const {
    TextureFormatSearch search{bits, alphaWanted, fourCC, false, &pixelFormat};
    (*device_)->EnumTextureFormats(&Texture2D_D3D7::MatchTextureFormat, &search);
    return search.found;
}

HRESULT Texture2D_D3D7::MatchTextureFormat(LPDDPIXELFORMAT format, LPVOID context) {
    auto* search = static_cast<TextureFormatSearch*>(context);
    if (!format || !search) return D3DENUMRET_OK;
    if (search->fourCC == 0) {
        constexpr DWORD kLuminanceOrBump = DDPF_LUMINANCE | DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV;
        if (format->dwFlags & kLuminanceOrBump) return D3DENUMRET_OK;
        if (format->dwRGBAlphaBitMask == 0xF000) return D3DENUMRET_OK;
        if (bool(format->dwFlags & DDPF_ALPHAPIXELS) != search->alphaWanted) return D3DENUMRET_OK;
        if (format->dwRGBBitCount != search->bits) return D3DENUMRET_OK;
        if ((format->dwFlags & DDPF_FOURCC) || format->dwFourCC != 0) return D3DENUMRET_OK;
    } else if (format->dwFourCC != search->fourCC) {
        return D3DENUMRET_OK;
    }
    *search->out = *format;
    search->found = true;
    return D3DENUMRET_CANCEL;
}

void Texture2D_D3D7::UploadLevels(TextureFormat format, std::size_t levelCount) {
    const std::vector<Image*>& mipImages = image_->GetMipImages();
    IDirectDrawSurface7* level = surface_;
    for (std::size_t i = 0; level; ++i) {
        const Image& picture = i == 0 ? *image_->GetColourImage() : *mipImages[i - 1];
        UploadLevel(*level, picture, i == 0 ? image_->GetOpacityImage() : nullptr, format);
        IDirectDrawSurface7* next = nullptr;
        if (i + 1 < levelCount) {
            DDSCAPS2 caps{kMipMapCaps, 0, 0, 0};
            if (FAILED(level->GetAttachedSurface(&caps, &next))) next = nullptr;
        }
        if (level != surface_) level->Release();
        level = next;
    }
}

void Texture2D_D3D7::UploadLevel(IDirectDrawSurface7& level, const Image& picture, const Image* opacity,
                                 TextureFormat format) {
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof(DDSURFACEDESC2);
    HRESULT result;
    do {
        result = level.Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    } while (result == DDERR_WASSTILLDRAWING);
    if (FAILED(result)) {
        // The level stays unwritten; the others are still filled.
        renderSystem_.CheckResult("Texture2D_D3D7::CreateSurface (Lock)", result);
        return;
    }
    if (IsCompressed(format)) {
        if (picture.GetPixels()) {
            const std::uint32_t bytes = std::min<std::uint32_t>(locked.dwLinearSize, picture.GetSize());
            std::memcpy(locked.lpSurface, picture.GetPixels(), bytes);
            videoBytes += static_cast<std::int32_t>(bytes);
        }
    } else if (HoldsPixels(picture)) {
        const PictureReader reader(picture, opacity);
        const std::uint32_t levelWidth = std::min<std::uint32_t>(locked.dwWidth, picture.GetWidth());
        const std::uint32_t levelHeight = std::min<std::uint32_t>(locked.dwHeight, picture.GetHeight());
        if (format == TextureFormat::A8R8G8B8)
            WriteA8R8G8B8(locked, reader, levelWidth, levelHeight);
        else
            WriteMasked(locked, reader, levelWidth, levelHeight);
        videoBytes += static_cast<std::int32_t>(std::uint64_t(locked.dwWidth) * locked.dwHeight *
                                                locked.ddpfPixelFormat.dwRGBBitCount / 8);
    }
    renderSystem_.CheckResult("Texture2D_D3D7::CreateSurface (Unlock)", level.Unlock(nullptr));
}

}  // namespace Vantor
