#pragma once
// A texture atlas: the atlas shader (a shader file whose first stage holds the atlas
// textures as its frames) and a "GFTPF" file of named textures, each a list of frames,
// each frame a rectangle of one atlas texture with a drawing offset. Texture names are
// looked up in lower case. A pack never changes after its constructor.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace Vantor {
class ShaderDescriptor;
class ShaderUser;
}  // namespace Vantor

namespace GameTools {

class TexturePack {
public:
    static constexpr const char* kMagic = "GFTPF";
    static constexpr std::int32_t kVersion = 101;
    // Textures carry a value and frames their further fields from this version on.
    static constexpr std::uint32_t kFirstVersionWithValues = 102;

    struct Frame {
        // The frame number of the atlas texture in the shader's first stage.
        std::int32_t atlasIndex = 0;
        // Texture coordinates (u, v).
        Vantor::Vector2 topLeft;
        Vantor::Vector2 bottomRight;
        // Where the frame's picture stands relative to the sprite's position.
        Vantor::Vector2 offset;
        // Stored with the frame from version 102 on; nothing reads them.
        float furtherValues[2] = {0.0f, 0.0f};
        std::vector<std::uint8_t> furtherBytes;
    };

    struct Texture {
        std::int32_t value = 0;
        std::vector<Frame> frames;
    };

    // Loads the pack file path (relative to the data folder) and its atlas shader, the
    // same path with the extension "srf"; temporaryTextures loads the atlas textures
    // lazily. A missing atlas shader leaves the pack over the default material. A pack
    // file that cannot be read throws Vantor::Error (never FileError) and keeps nothing.
    TexturePack(const std::wstring& path, bool temporaryTextures);
    // The default pack "default" over a copy of the shader: one texture "default" of one
    // frame that covers the whole atlas texture 0.
    explicit TexturePack(const Vantor::ShaderDescriptor& shader);
    // Gives the shader user back to the shader manager.
    virtual ~TexturePack();
    TexturePack(const TexturePack&) = delete;
    TexturePack& operator=(const TexturePack&) = delete;

    // The texture of that name; a name the pack lacks is logged as an error and gives
    // the texture whose name comes first.
    const Texture& GetTexture(const std::string& name) const;
    // Its number of frames; 1 (after the error line) for a name the pack lacks.
    int GetFrameCount(const std::string& name) const;
    bool HasTextures() const { return !textures_.empty(); }

    const std::wstring& GetPath() const { return path_; }
    Vantor::ShaderUser* GetShaderUser() const { return shaderUser_; }

private:
    void Load();
    // The texture stored under the lower-cased name, or null after the error line.
    const Texture* Find(const std::string& name) const;

    std::wstring path_;
    Vantor::ShaderUser* shaderUser_;  // owned, released through the shader manager
    std::map<std::string, Texture> textures_;
};

}  // namespace GameTools
