#pragma once
// Writes shader files in the "VTSRF" layout that Vantor::ShaderDescriptor reads, in
// version 212 or the older 211. Every field is written as given, so that the tests can
// also make files the reader has to refuse; the data builder writes the game's
// materials with it.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ShaderFileWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Stage {
        std::int32_t flags = 0;
        // As stored: in version 211 every value other than 0 and 1 means numbered files.
        std::int32_t kind = 0;
        // Written for every kind but 0 (single texture).
        std::int32_t frames = 1;
        float speed = 0.0f;
        // Written for kind 1 (grid sheet) only.
        std::int32_t columns = 1;
        std::int32_t rows = 1;
        // Relative to the data folder, or to the shader file's folder when it has no
        // backslash; version 211 names carry the picture's extension.
        std::string textureName;
        // Version 211 only: the second name after the texture name, which the reader skips.
        std::string secondName;
        std::int32_t addressU = 0;
        std::int32_t addressV = 0;
        float scaleU = 1.0f;
        float scaleV = 1.0f;
        float offsetU = 0.0f;
        float offsetV = 0.0f;
    };

    struct Shader {
        // 211 writes the old stage records; every other value the 212 ones.
        std::int32_t version = 212;
        std::int32_t flags = 0;
        // Red, green, blue, alpha.
        float colours[4][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}};
        float values[2] = {0.0f, 0.0f};
        // Source, destination.
        std::int32_t blendFactors[2] = {0, 0};
        // All of them are written, however many.
        std::vector<Stage> stages;
    };

    // The whole file. A name longer than 254 characters throws Vantor::Error.
    static Bytes Build(const Shader& shader);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, const Shader& shader);
};

}  // namespace Content
