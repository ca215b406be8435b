#pragma once
// Writes font glyph files in the "VTFNT" layout that Vantor::GUIFont reads: the head,
// the record count and one 22-byte record per character. Records are written as given,
// so that the tests can also make files the reader has to refuse.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class FontFileWriter {
public:
    using Bytes = std::vector<std::uint8_t>;
    static constexpr std::int32_t kVersion = 201;

    struct Record {
        // UTF-16 unit.
        std::uint16_t code = 0;
        // Texture coordinates of the picture's bottom-left corner and its extent.
        float x = 0.0f;
        float y = 0.0f;
        float w = 0.0f;
        float h = 0.0f;
        // The advance in units of the font size.
        float width = 0.0f;
    };

    // A record whose picture is the whole texture.
    static Record WholePicture(std::uint16_t code, float width);

    static Bytes Build(const std::vector<Record>& records, std::int32_t version = kVersion);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, const std::vector<Record>& records);
};

}  // namespace Content
