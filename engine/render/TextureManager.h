#pragma once
// The texture cache. Textures are keyed by their lower-cased colour and opacity paths:
// the same pictures, in any letter case, give one texture shared by reference count.
// Lazy textures give their device surfaces back once no shader has applied them for a
// few ageing passes, and make them again from their files on the next use. The shader
// manager owns the one texture manager and runs its ageing pass once per frame.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Vantor {

class Texture2D;

class TextureManager {
public:
    TextureManager() = default;
    // Deletes every texture, whatever its reference count.
    virtual ~TextureManager();
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // The texture of the pictures, made through the render system on first request and
    // counted once more on every further one. Every texture obtained here asks for mip
    // maps, whatever the request says; its lazy flag is the one of the first request.
    // Null only when there is no render system.
    Texture2D* GetTexture(bool mipMapRequest, const std::wstring& colourPath, const std::wstring& opacityPath,
                          bool lazy);
    // Counts one user less and deletes the texture with its last one. A null texture or
    // one this manager does not hold is ignored.
    void ReleaseTexture(Texture2D* texture);
    // Once per frame: a lazy texture unused for more than two passes loses its surface.
    void AgeTextures();

    std::uint32_t GetTextureCount() const { return static_cast<std::uint32_t>(textures_.size()); }
    // The bytes uploaded to every texture's surface.
    std::int32_t GetUsedVideoMemorySize() const;
    // Every texture, in key order.
    void GetTextures(std::vector<Texture2D*>& textures) const;

    // "diffuse_" + colour path, "_plus_opacity_" + opacity path when there is one, and
    // "_with_mip_mapping" when mip maps are asked for; paths narrowed and lower-cased.
    static void MakeKey(std::string& key, bool mipMaps, const std::wstring& colourPath,
                        const std::wstring& opacityPath);

private:
    std::map<std::string, Texture2D*> textures_;  // owned
};

}  // namespace Vantor
