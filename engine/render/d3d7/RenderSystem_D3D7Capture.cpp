// The picture last drawn into the back buffer, copied into an image and, on a
// full-screen wide or tall desktop, cut to the play area in its middle.

#include <algorithm>

#include "engine/kernel/Window_WinOS.h"
#include "engine/render/Image.h"
#include "engine/render/ModeInfo.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"

namespace Vantor {

namespace {

constexpr float kPlayAspect = 1.3333334f;

// One surface row into one image row: red, green, blue (and alpha) from the device's
// blue, green, red (and alpha) bytes; 16-bit pixels are not converted and come out white.
void CopyRow(const std::uint8_t* source, DWORD sourceBits, std::uint8_t* target, std::uint32_t targetBits,
             std::uint32_t width) {
    const std::uint32_t targetBytes = targetBits / 8;
    const std::uint32_t sourceBytes = sourceBits / 8;
    for (std::uint32_t x = 0; x < width; ++x, target += targetBytes, source += sourceBytes) {
        if (sourceBits == 32 || sourceBits == 24) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            if (targetBits == 32) target[3] = static_cast<std::uint8_t>(255 - source[3]);
        } else {
            std::fill(target, target + targetBytes, 255);
        }
    }
}

}  // namespace

void RenderSystem_D3D7::CaptureScreen(Image& image) {
    const ModeInfo* mode = GetChosenMode();
    const Window& window = GetWindow();
    // Without a device (a reset failed) the picture is as large as the window.
    const std::uint32_t width = mode ? mode->width : window.GetWidth();
    const std::uint32_t height = mode ? mode->height : window.GetHeight();
    const std::uint32_t bits = backBufferDesc_.ddpfPixelFormat.dwRGBBitCount == 32 ? 32 : 24;
    image.SetFormat(width, height, bits, true, 0);
    if (!CopyBackBuffer(image)) image.Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
    CropToPlayArea(image);
}

bool RenderSystem_D3D7::CopyBackBuffer(Image& image) {
    if (!directDraw_ || !backBuffer_) return false;
    DDSURFACEDESC2 desc = backBufferDesc_;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.ddsCaps = DDSCAPS2{DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN, 0, 0, 0};
    IDirectDrawSurface7* copy = nullptr;
    if (FAILED(directDraw_->CreateSurface(&desc, &copy, nullptr))) return false;

    // A failed blit leaves whatever the copy holds.
    copy->Blt(nullptr, backBuffer_, nullptr, 0, nullptr);
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof(locked);
    const bool readable = SUCCEEDED(copy->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr));
    if (readable) {
        // Surface rows run top down, image rows bottom up.
        const std::uint32_t rows = std::min<std::uint32_t>(image.GetHeight(), locked.dwHeight);
        const std::uint32_t columns = std::min<std::uint32_t>(image.GetWidth(), locked.dwWidth);
        const auto* surface = static_cast<const std::uint8_t*>(locked.lpSurface);
        for (std::uint32_t row = 0; row < rows; ++row) {
            const std::uint8_t* source = surface + static_cast<std::size_t>(locked.dwHeight - 1 - row) * locked.lPitch;
            CopyRow(source, locked.ddpfPixelFormat.dwRGBBitCount, image.GetPixels() + row * image.GetRowBytes(),
                    image.GetBits(), columns);
        }
        copy->Unlock(nullptr);
    }
    copy->Release();
    return readable;
}

void RenderSystem_D3D7::CropToPlayArea(Image& image) {
    const Window& window = GetWindow();
    const bool wide = window.IsWideDesktop();
    if (!window.IsFullScreen() || (!wide && !window.IsTallDesktop())) return;

    const std::uint32_t width = image.GetWidth();
    const std::uint32_t height = image.GetHeight();
    // The ratio in single precision, the margin in double: the cut is a little more than
    // the 4:3 part, one pixel on each side.
    const float k = wide ? window.GetDesktopAspect() / kPlayAspect : kPlayAspect / window.GetDesktopAspect();
    const double side = wide ? width : height;
    const auto margin = static_cast<std::uint32_t>((side * static_cast<double>(k) - side) / 2.0) + 1;
    if (2 * margin >= side) return;

    Image part;
    if (wide)
        image.Crop(margin, 0, width - 2 * margin, height, part);
    else
        image.Crop(0, margin, width, height - 2 * margin, part);
    part.ResizeTo(width, height, 1, image);
}

}  // namespace Vantor
