#include "engine/render/Texture2D.h"

#include "engine/render/TextureImage.h"

namespace Vantor {

Texture2D::Texture2D(const std::string& key, Image* colour, Image* opacity, bool mipMapRequest, bool lazy)
    : key(key), lazy(lazy), image_(new TextureImage(colour, opacity, mipMapRequest)) {}

Texture2D::Texture2D(const std::string& key, const std::wstring& colourPath, const std::wstring& opacityPath,
                     bool mipMapRequest, bool lazy)
    : key(key), lazy(lazy), image_(new TextureImage(colourPath, opacityPath, mipMapRequest)) {}

Texture2D::~Texture2D() { delete image_; }

bool Texture2D::IsMipMapped() const { return image_->IsMipMapped(); }

}  // namespace Vantor
