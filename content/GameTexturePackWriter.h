#pragma once
// Writes the game's texture pack files ("texture_pack.tpf" of a folder): the "GFTPF"
// head, the atlas count, then the named pictures, each an atlas index and the u, v of
// two corners. Counts and fields are written as given, so that tests can also make
// files the game has to refuse; the atlas pictures themselves are separate textures.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Content {

class GameTexturePackWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Picture {
        std::string name;
        std::int32_t atlasIndex = 0;
        // u, v of the first corner and of the opposite one.
        float start[2] = {0.0f, 0.0f};
        float end[2] = {1.0f, 1.0f};
    };

    struct Pack {
        std::string magic = "GFTPF";
        std::int32_t version = 100;
        std::int32_t atlasCount = 1;
        std::vector<Picture> pictures;
        // Stored instead of the number of pictures when set.
        std::optional<std::int32_t> pictureCount;
    };

    // The whole file. A name longer than 254 characters throws Vantor::Error.
    static Bytes Build(const Pack& pack);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, const Pack& pack);
};

}  // namespace Content
