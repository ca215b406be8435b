#pragma once
// The device-neutral half of a texture: where its pixels come from (a colour file with
// an optional opacity file, a DDS file, or two images handed over by the caller), and
// the pictures a device surface is filled from. Loading fits the colour picture to
// power-of-two sides within the device's maximum, brings the opacity picture to the
// same size and builds the mip chain; it reports the size, depth and TextureFormat the
// surface must have. A picture that cannot be read is replaced by the yellow and black
// checker, so a texture never fails.
//
// A texture image made from files holds pixels only from Load to ClearImages: each
// surface creation reads the files again. One made from images keeps its two images.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/render/TextureFormat.h"

namespace Vantor {

class FileDDS;
class Image;
struct ConfigValues;

// 0, 1, 2, 4, ... 65536: the texture sides the engine knows.
bool IsPowerOfTwo(std::uint32_t value);

class TextureImage {
public:
    // Takes over both images (the opacity one may be null). Mip maps are built only when
    // asked for and "r_use_mip_mapping" is on.
    TextureImage(Image* colour, Image* opacity, bool mipMapRequest);
    // The files are read by Load; an empty opacity path means no opacity picture.
    TextureImage(const std::wstring& colourPath, const std::wstring& opacityPath, bool mipMapRequest);
    virtual ~TextureImage();
    TextureImage(const TextureImage&) = delete;
    TextureImage& operator=(const TextureImage&) = delete;

    // Makes level 0 and the mip images ready and sets the size, bits and format (for a
    // DDS file also the mip flag: whether the file has levels beyond 0).
    void Load();
    // Sets the size (unfitted: the file's), bits and format without keeping pixels.
    void ReadInfo();
    // After an upload: frees the pictures of a texture made from files, and every mip
    // image.
    void ClearImages();
    // One 2 x 2 reduction of the source into the target; with an opacity image the
    // target has 32 bits and takes its alpha from the averaged opacity.
    static void BuildMipLevel(const Image& source, const Image* opacity, Image& target);

    bool IsMipMapped() const { return mipMapped_; }
    std::uint32_t GetWidth() const { return width_; }
    std::uint32_t GetHeight() const { return height_; }
    // 24 or 32: the depth of the surface to create.
    std::uint32_t GetBits() const { return bits_; }
    TextureFormat GetFormat() const { return format_; }
    // Level 0 and its opacity (null when there is none), then levels 1 and on.
    const Image* GetColourImage() const { return colour_; }
    const Image* GetOpacityImage() const { return opacity_; }
    const std::vector<Image*>& GetMipImages() const { return mipImages_; }

private:
    // The DDS branch of Load; false when the file could not be opened or read.
    bool LoadDDS();
    // Reads every level the mip flag asks for; false when a read failed.
    bool ReadDDSLevels(FileDDS& file);
    void LoadPictures();
    // The picture of the path, or the checker when it cannot be read.
    Image* ReadColourPicture(bool readPixels) const;
    void FitColourImage();
    void FitOpacityImage();
    void BuildMipChain();
    // The first three bytes of every pixel become 255, 0, 0; alpha stays.
    static void PaintRed(Image& image);
    void WarnUnlessPowerOfTwo(const Image& image) const;
    void DeleteColourImage();
    void DeleteOpacityImage();
    void DeleteMipImages();
    bool ShowMipMaps() const;

    const ConfigValues* settings_;  // "r_use_mip_mapping", "r_show_mip_maps"; null without a configuration
    std::wstring colourPath_;
    std::wstring opacityPath_;
    bool fromFiles_;
    Image* colour_ = nullptr;   // owned
    Image* opacity_ = nullptr;  // owned
    bool mipMapped_;
    std::vector<Image*> mipImages_;  // owned, level 1 first
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t bits_ = 0;
    TextureFormat format_ = TextureFormat::Other;
};

}  // namespace Vantor
