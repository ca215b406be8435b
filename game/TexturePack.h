#pragma once
// The game's texture pack: atlas textures plus a table of named pictures, each a
// rectangle of one atlas, turned into GUI windows of the picture's size. The pack file
// "data\<folder>\texture_pack.tpf" ("GFTPF", version 100) holds the atlas count, then
// the pictures (name, atlas index, u/v of two corners); atlas i is the texture
// "<folder>\texture_pack_<i>". A broken pack file is fatal. Read once, unchanged later.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"

namespace Vantor {
class GUIWindow;
class Model;
class ShaderUser;
}  // namespace Vantor

namespace Morvane {

class TexturePack {
public:
    static constexpr const char* kMagic = "GFTPF";
    static constexpr std::int32_t kVersion = 100;
    // Each atlas makes a shader but has no bytes in the file: more is a broken file.
    static constexpr std::int32_t kMaxAtlases = 256;

    struct Picture {
        Vantor::ShaderUser* atlas = nullptr;  // one of the pack's atlas users
        Vantor::Vector2 start;                // u, v of the first corner
        Vantor::Vector2 end;                  // u, v of the opposite corner
    };

    // Reads the pack of the folder (below the data folder) at once; lazyTextures loads
    // the atlas textures on first use. A file that is missing, of another magic or
    // version, too short, or with an atlas count or index out of range is fatal.
    TexturePack(const std::string& folder, bool lazyTextures);
    // Gives every atlas user back to the shader manager.
    virtual ~TexturePack();
    TexturePack(const TexturePack&) = delete;
    TexturePack& operator=(const TexturePack&) = delete;

    // A new GUI window showing the picture (looked up lower-cased; a missing one is
    // fatal): the picture's part of the atlas at its pixel size times the scale. A
    // mirrored window stands at (-x - width, y) and shows the picture flipped left to
    // right.
    Vantor::GUIWindow* CreateWindow(const std::string& name, std::uint32_t flags, const Vantor::Vector2& position,
                                    const Vantor::Vector2& scale, Vantor::GUIWindow* parent, bool mirrored) const;

    // The picture stored under the name exactly as read, or null.
    const Picture* FindPicture(const std::string& name) const;
    const std::wstring& GetPath() const { return path_; }
    const std::vector<Vantor::ShaderUser*>& GetAtlases() const { return atlases_; }

    // Points the unit quad's texture coordinates at the picture: u 0 and 1 become the
    // picture's u range (swapped when mirrored), v 0 and 1 its v range.
    static void MapQuadOntoPicture(Vantor::Model& quad, const Picture& picture, bool mirrored);

private:
    void Load(const std::string& folder, bool lazyTextures);
    void ReleaseAtlases();

    std::wstring path_;
    std::vector<Vantor::ShaderUser*> atlases_;  // owned, in atlas order
    std::map<std::string, Picture> pictures_;
};

}  // namespace Morvane
