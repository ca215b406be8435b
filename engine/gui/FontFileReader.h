#pragma once
// Reads a font's glyph file ("VTFNT", version 201): total length, magic, version, the
// record count and one 22-byte record per character (UTF-16 code, texture x, y, w, h
// and the advance width).

#include <cstdint>
#include <string>

#include "engine/gui/Glyph.h"
#include "engine/render/VersionedFileReader.h"

namespace Vantor {

class FontFileReader : private VersionedFileReader {
public:
    static constexpr std::int32_t kVersion = 201;
    // Files up to this size are read whole into memory (65536 records fit).
    static constexpr std::uint32_t kCacheLimit = 2 * 1024 * 1024;

    // The path as given to the file manager. Fills the empty table and returns the
    // largest advance width; a second record for a code is logged and dropped. A file
    // that cannot be opened or read, or is broken, throws FileError; the glyphs read
    // until then stay in the table for the caller to discard.
    static float Read(const std::wstring& path, GlyphTable& glyphs);

private:
    FontFileReader(FileBinary& file, const std::wstring& path, GlyphTable& glyphs);

    float ReadRecords();

    GlyphTable& glyphs_;
};

}  // namespace Vantor
