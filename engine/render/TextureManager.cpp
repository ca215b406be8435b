#include "engine/render/TextureManager.h"

#include <algorithm>
#include <limits>

#include "engine/kernel/StringHelpers.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Texture2D.h"

namespace Vantor {

namespace {

// Textures that no shader applied in this many passes lose their surfaces.
constexpr std::uint32_t kUnusedPassesKept = 2;

}  // namespace

TextureManager::~TextureManager() {
    for (auto& [key, texture] : textures_) delete texture;
    textures_.clear();
}

Texture2D* TextureManager::GetTexture(bool /*mipMapRequest*/, const std::wstring& colourPath,
                                      const std::wstring& opacityPath, bool lazy) {
    // Every cached texture asks for mip maps; "r_use_mip_mapping" decides whether it has them.
    constexpr bool kMipMaps = true;
    std::string key;
    MakeKey(key, kMipMaps, colourPath, opacityPath);
    if (auto found = textures_.find(key); found != textures_.end()) {
        ++found->second->referenceCount;
        return found->second;
    }
    RenderSystem* renderSystem = RenderSystem::Instance();
    if (!renderSystem) return nullptr;
    Texture2D* texture = renderSystem->CreateTextureFromFiles(key, colourPath, opacityPath, kMipMaps, lazy);
    textures_[key] = texture;
    return texture;
}

void TextureManager::ReleaseTexture(Texture2D* texture) {
    if (!texture) return;
    auto found = textures_.find(texture->key);
    if (found == textures_.end() || found->second != texture) return;
    if (--texture->referenceCount > 0) return;
    textures_.erase(found);
    delete texture;
}

void TextureManager::AgeTextures() {
    for (auto& [key, texture] : textures_) {
        if (!texture->lazy) continue;
        if (texture->unusedPasses > kUnusedPassesKept) texture->ReleaseSurface();
        ++texture->unusedPasses;
    }
}

std::int32_t TextureManager::GetUsedVideoMemorySize() const {
    std::int64_t total = 0;
    for (const auto& [key, texture] : textures_) total += texture->videoBytes;
    return static_cast<std::int32_t>(std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
}

void TextureManager::GetTextures(std::vector<Texture2D*>& textures) const {
    textures.clear();
    textures.reserve(textures_.size());
    for (const auto& [key, texture] : textures_) textures.push_back(texture);
}

void TextureManager::MakeKey(std::string& key, bool mipMaps, const std::wstring& colourPath,
                             const std::wstring& opacityPath) {
    key = "diffuse_" + ToLower(ToNarrow(colourPath));
    if (!opacityPath.empty()) key += "_plus_opacity_" + ToLower(ToNarrow(opacityPath));
    if (mipMaps) key += "_with_mip_mapping";
}

}  // namespace Vantor
