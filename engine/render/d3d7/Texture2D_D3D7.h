#pragma once
// A texture as a DirectDraw 7 texture surface with its mip chain. The surface takes a
// pixel format the device offers (the DDS file's compressed one, A8R8G8B8, or a 16-bit
// one on a 16-bit display), lives in device-managed memory on hardware devices and in
// system memory otherwise, and is filled level by level from the texture image. It is
// made at construction, or for a lazy texture on its first bind; the texture manager's
// ageing and a device reset release it, and the next bind makes it again. The texture
// reaches DirectDraw and the device through the render system's fields, so it always
// uses the current ones after a reset.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/render/Texture2D.h"
#include "engine/render/TextureFormat.h"
#include "platform/Direct3D.h"

namespace Vantor {

class RenderSystem_D3D7;

// The context of a search among the device's texture formats: the first offered
// format that matches is copied to `out`.
struct TextureFormatSearch {
    std::uint32_t bits;    // 32 or 16, for a search without four-character code
    bool alphaWanted;      // the format has an alpha channel, or has none
    std::uint32_t fourCC;  // 0 for an uncompressed search
    bool found;
    DDPIXELFORMAT* out;
};

class Texture2D_D3D7 : public Texture2D {
public:
    // Made by the render system, which must exist and outlive the texture. A texture
    // that is not lazy makes its surface at once; a lazy one only learns its size.
    Texture2D_D3D7(const std::string& key, Image* colour, Image* opacity, bool mipMapRequest, bool lazy);
    Texture2D_D3D7(const std::string& key, const std::wstring& colourPath, const std::wstring& opacityPath,
                   bool mipMapRequest, bool lazy);
    // Unbinds itself from every stage that holds it, so that a texture made later at the
    // same address is never taken for this one.
    ~Texture2D_D3D7() override;

    // The surface, made first when there is none; null while it cannot be made.
    IDirectDrawSurface7* GetSurface();
    void ReleaseSurface() override;
    // Loads the texture image and fills a new surface from it. Does nothing while the
    // texture has a surface or the device is not ready. A failed creation is logged and
    // leaves the texture without surface; a device without any usable 32- or 16-bit
    // format is fatal.
    void CreateSurface();
    void UnbindFromStages();

    // The enumeration callback of a TextureFormatSearch.
    static HRESULT MatchTextureFormat(LPDDPIXELFORMAT format, LPVOID context);

private:
    // Chooses the surface's TextureFormat and fills the description's pixel format.
    TextureFormat ChooseFormat(DDPIXELFORMAT& pixelFormat) const;
    bool FindFormat(std::uint32_t bits, bool alphaWanted, std::uint32_t fourCC, DDPIXELFORMAT& pixelFormat) const;
    // Writes every level of the new surface from the texture image.
    void UploadLevels(TextureFormat format, std::size_t levelCount);
    void UploadLevel(IDirectDrawSurface7& level, const Image& picture, const Image* opacity, TextureFormat format);

    RenderSystem_D3D7& renderSystem_;
    IDirectDraw7* const* directDraw_;
    IDirect3DDevice7* const* device_;
    IDirectDrawSurface7* surface_ = nullptr;  // one reference
};

}  // namespace Vantor
