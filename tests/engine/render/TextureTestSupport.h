#pragma once
// What the texture tests share: picture files built in code (TGA, BMP and compressed
// DDS), images made in memory, and reading back what a texture surface holds. The
// fixture is the Direct3D 7 render system's: tests set the capabilities and the
// configuration first, then make the render system (Make) and their textures.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/Image.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace texturetest {

// A picture as an image stores it: rows packed bottom row first, red, green, blue
// (and alpha) per pixel, or one grey byte.
struct Picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 24;
    std::vector<std::uint8_t> pixels;
};

// The colour of a pixel: red, green, blue, alpha (grey pictures take red).
using PixelColour = std::function<std::uint32_t(std::uint32_t x, std::uint32_t y)>;
constexpr std::uint32_t Rgba(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    return std::uint32_t(r) << 24 | std::uint32_t(g) << 16 | std::uint32_t(b) << 8 | a;
}
Picture MakePicture(std::uint32_t width, std::uint32_t height, std::uint32_t bits, const PixelColour& colour);
Picture SolidPicture(std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::uint32_t rgba);
// The picture as a new image (owned by the caller or the texture it is handed to).
Vantor::Image* MakeImage(const Picture& picture);

// Uncompressed TGA (bottom row first) of 8, 24 or 32 bits, and a 24-bit BMP.
std::string TgaFile(const Picture& picture);
std::string BmpFile(const Picture& picture);
// A DDS file of "DXT1" to "DXT5" blocks: the levels' bytes one after the other.
std::string DdsFile(std::uint32_t width, std::uint32_t height, const std::string& fourCC, std::uint32_t mipCount,
                    const std::string& levels);

class TextureTest : public d3d7test::RenderSystemTest {
protected:
    // Writes the file below the base folder; returns its path ("pictures\" + name).
    std::wstring WritePicture(const std::string& name, const std::string& bytes);
    // Warning texts logged since the last call, without the "Warning: " and "!" framing;
    // error texts are taken too (TakeErrors).
    std::vector<std::string> TakeWarnings();
    // The plain messages logged so far.
    std::vector<std::string> Messages() const;
    // The default capabilities with the device changed, set as the ones in effect.
    void SetDeviceCaps(const std::function<void(platform::Direct3DDeviceCaps&)>& change);
};

// The description of a surface (size, pitch, format, caps).
DDSURFACEDESC2 Describe(IDirectDrawSurface7* surface);
// The sizes of a surface's levels, "WxH" each, the surface itself first.
std::vector<std::string> LevelSizes(IDirectDrawSurface7* surface);
// The raw value (16 or 32 bits) of a pixel of the surface; row 0 is the first row in
// memory.
std::uint32_t SurfacePixel(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y);
// The first bytes of the surface's memory.
std::string SurfaceBytes(IDirectDrawSurface7* surface, std::size_t count);

}  // namespace texturetest
