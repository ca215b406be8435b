#pragma once
// Writes the house placement file "house_upgrades.hsu": the "HSUMV" head, the entry
// count, then per entry the layer name, the picture name of the house pack, x, y and
// two further numbers. Counts and fields are written as given, so that tests can also
// make files the game has to refuse.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Content {

class HousePlacementWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Entry {
        std::string layerName;
        std::string textureName;
        float x = 0.0f;
        float y = 0.0f;
        std::uint32_t extra[2] = {0, 0};
    };

    struct File {
        std::string magic = "HSUMV";
        std::int32_t version = 100;
        std::vector<Entry> entries;
        // Stored instead of the number of entries when set.
        std::optional<std::int32_t> entryCount;
    };

    // The whole file. A name longer than 254 characters throws Vantor::Error.
    static Bytes Build(const File& file);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, const File& file);
};

}  // namespace Content
