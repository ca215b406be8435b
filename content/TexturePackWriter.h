#pragma once
// Writes texture pack files in the "GFTPF" layout that GameTools::TexturePack reads, in
// version 101 or 102 (textures with a value, frames with two further floats and a
// byte block). Every count and field is written as given, so that the tests can also
// make files the reader has to refuse; the data builder writes the game's packs with it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Content {

class TexturePackWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Frame {
        std::int32_t atlasIndex = 0;
        // u, v of the top-left and bottom-right corners; x, y of the offset.
        float topLeft[2] = {0.0f, 0.0f};
        float bottomRight[2] = {1.0f, 1.0f};
        float offset[2] = {0.0f, 0.0f};
        // Version 102 and later.
        float furtherValues[2] = {0.0f, 0.0f};
        Bytes furtherBytes;
        // Stored instead of the size of furtherBytes when set.
        std::optional<std::int32_t> byteCount;
    };

    struct Texture {
        std::string name;
        // Version 102 and later.
        std::int32_t value = 0;
        std::vector<Frame> frames;
        // Stored instead of the number of frames when set.
        std::optional<std::int32_t> frameCount;
    };

    struct Pack {
        // 102 and later write the values and further fields; every version is stored.
        std::int32_t version = 102;
        std::vector<Texture> textures;
        // Stored instead of the number of textures when set.
        std::optional<std::int32_t> textureCount;
    };

    // The whole file. A name longer than 254 characters throws Vantor::Error.
    static Bytes Build(const Pack& pack);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, const Pack& pack);
};

}  // namespace Content
