#pragma once
// The shared, expensive half of a material in use: the textures of every stage and
// frame, loaded through the texture cache. Every shader user whose descriptor is the
// same (ShaderDescriptor::IsSame) points at one shader; the last user to go deletes it,
// which gives the textures back to the cache.

#include <cstdint>
#include <vector>

namespace Vantor {

class ShaderDescriptor;
class ShaderUser;
class Texture2D;
class TextureManager;

class Shader {
public:
    // Gets a texture for every frame of every stage that names a colour file; lazy
    // textures make their device surfaces only when first applied.
    Shader(TextureManager* textures, const ShaderDescriptor& descriptor, bool lazyTextures);
    // Gives every texture back to the cache.
    virtual ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // Sets the render system's blending and the states of each texture unit for the
    // user: its blend factors, and per stage the texture of its current frame with its
    // filter, addressing and texture matrix. Units beyond the user's stages get none.
    void Apply(const ShaderUser& user) const;

    std::uint32_t GetStageCount() const { return static_cast<std::uint32_t>(stages_.size()); }
    // Frames of the stage; 0 beyond the stage count.
    std::uint32_t GetFrameCount(std::uint32_t stage) const;
    // The texture of that frame; null where the frame has no colour file or is out of range.
    Texture2D* GetTexture(std::uint32_t stage, std::uint32_t frame) const;
    // The shader users pointing at this shader.
    std::uint32_t GetUseCount() const { return useCount_; }

private:
    // A user counts itself in on creation and out on deletion.
    friend class ShaderUser;

    TextureManager* textures_;  // the cache, not owned
    // Per stage, one texture per frame; each non-null entry holds one cache reference.
    std::vector<std::vector<Texture2D*>> stages_;
    std::uint32_t useCount_ = 0;
};

}  // namespace Vantor
