#include "engine/gui/FontFileReader.h"

#include <algorithm>
#include <memory>

#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"

namespace Vantor {

namespace {

constexpr char kMagic[5] = {'V', 'T', 'F', 'N', 'T'};

}  // namespace

float FontFileReader::Read(const std::wstring& path, GlyphTable& glyphs) {
    const std::unique_ptr<FileBinary> file(FileManager::Instance()->OpenFile(path, false, kCacheLimit, 0));
    FontFileReader reader(*file, path, glyphs);
    reader.ReadHead(kMagic, kVersion, kVersion);
    return reader.ReadRecords();
}

FontFileReader::FontFileReader(FileBinary& file, const std::wstring& path, GlyphTable& glyphs)
    : VersionedFileReader(file, path), glyphs_(glyphs) {}

float FontFileReader::ReadRecords() {
    float widest = 0.0f;
    // A count beyond the records the file holds ends in a short read.
    const std::uint32_t count = ReadValue<std::uint32_t>();
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint16_t code = ReadValue<std::uint16_t>();
        auto glyph = std::make_unique<Glyph>();
        glyph->x = ReadValue<float>();
        glyph->y = ReadValue<float>();
        glyph->w = ReadValue<float>();
        glyph->h = ReadValue<float>();
        glyph->width = ReadValue<float>();
        if (glyphs_[code]) {
            MessageManager::Instance()->PrintError("(GUIFont::GUIFont): Dublicated character");
            continue;
        }
        widest = std::max(widest, glyph->width);
        glyphs_[code] = std::move(glyph);
    }
    return widest;
}

}  // namespace Vantor
