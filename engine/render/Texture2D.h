#pragma once
// A texture the rest of the engine holds: its cache key, its texture image (where the
// pixels come from), whether its device surface may be dropped while unused, the size
// and uploaded bytes of that surface, and the reference count and unused-pass counter
// the texture manager and the shaders work with. The device half (Texture2D_D3D7)
// creates the surface from the texture image and releases it again; textures are made
// only by the render system's factories.

#include <cstdint>
#include <string>

namespace Vantor {

class Image;
class TextureImage;

class Texture2D {
public:
    // Takes over both images (the opacity one may be null).
    Texture2D(const std::string& key, Image* colour, Image* opacity, bool mipMapRequest, bool lazy);
    // The files are read each time the surface is made; an empty opacity path means none.
    Texture2D(const std::string& key, const std::wstring& colourPath, const std::wstring& opacityPath,
              bool mipMapRequest, bool lazy);
    virtual ~Texture2D();
    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    // Releases the device surface and sets the video bytes to 0; the texture keeps what
    // it needs to make the surface again.
    virtual void ReleaseSurface() = 0;

    // Whether the texture has a mip chain: the shaders choose the mip-mapped filter by it.
    bool IsMipMapped() const;
    TextureImage& GetImage() { return *image_; }
    const TextureImage& GetImage() const { return *image_; }

    // Read and written directly by the texture manager and the shaders.
    std::string key;
    bool lazy;                       // the surface is made on first use and dropped while unused
    std::uint32_t width = 0;         // of the surface; of the file before a lazy texture's first use
    std::uint32_t height = 0;
    std::int32_t videoBytes = 0;     // bytes uploaded to the current surface
    std::uint32_t referenceCount = 1;
    std::uint32_t unusedPasses = 0;  // ageing passes since a shader last applied the texture

protected:
    TextureImage* image_;  // owned
};

}  // namespace Vantor
