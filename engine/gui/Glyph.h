#pragma once
// One character of a bitmap font: where its picture lies in the font's texture and how
// far it advances the pen.

#include <array>
#include <cstdint>
#include <memory>

namespace Vantor {

struct Glyph {
    // Texture coordinates of the picture's bottom-left corner (v grows upwards) and its
    // extent.
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
    // The advance, in units of the font size.
    float width = 0.0f;
};

// A font's glyphs by UTF-16 unit; empty entries have no character.
using GlyphTable = std::array<std::unique_ptr<Glyph>, 0x10000>;

}  // namespace Vantor
