#pragma once
// The single-instance owner of the materials in use. Every request gets a new shader
// user; users whose descriptors are the same share one shader, so each distinct set of
// textures is loaded once. Once per frame it advances every user's frame animation and
// ages the textures of the texture cache, which it owns.

#include <cstdint>
#include <map>
#include <string>

#include "engine/kernel/GlobalPointerHolder.h"

namespace Vantor {

class ShaderDescriptor;
class ShaderUser;
class TextureManager;

class ShaderManager : public GlobalPointerHolder<ShaderManager> {
public:
    ShaderManager();
    // Deletes every user (and with them every shader), then the texture cache.
    virtual ~ShaderManager();
    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;

    // A new user of the descriptor, sharing the shader of a registered user whose
    // descriptor is the same, else with a new shader. The caller gives it back with
    // ReleaseShader.
    ShaderUser* GetShader(const ShaderDescriptor& descriptor, bool lazyTextures);
    // A user of the shader file's material, or of the default material (no stages, no
    // blending) when the file cannot be read.
    ShaderUser* LoadShader(const std::wstring& fileName, bool lazyTextures);
    // The same as GetShader.
    ShaderUser* CopyShader(const ShaderDescriptor& descriptor, bool lazyTextures);
    // Deletes a user of this manager, and its shader with the last user. Null does
    // nothing; a user this manager does not hold is a fatal error.
    void ReleaseShader(ShaderUser* user);

    // Once per frame, before the models are drawn: every user's frame step, then the
    // ageing of the textures.
    void Update();

    TextureManager* GetTextureManager() const { return textures_; }
    std::uint32_t GetShaderUserCount() const { return static_cast<std::uint32_t>(users_.size()); }
    std::uint32_t GetShaderCount() const { return shaderCount_; }

private:
    using Registry = std::multimap<std::int32_t, ShaderUser*>;

    // The user's entry, or end when this manager does not hold it.
    Registry::iterator FindUser(const ShaderUser* user);

    // Keyed by the descriptor checksum of each user, which narrows the search for a
    // shader to share; owns the users.
    Registry users_;
    TextureManager* textures_;  // owned
    std::uint32_t shaderCount_ = 0;
};

}  // namespace Vantor
