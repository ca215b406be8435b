#pragma once
// Makes a bitmap font folder from a TrueType typeface through FreeType: the glyph
// picture "font.tga" (white, coverage as alpha, a power-of-two size), the glyph file
// "font.fnt" and the description "font.xml".
//
// Each character's rectangle is its advance wide and the line (ascent + descent) high,
// with the baseline at the descent: the glyph box of the font reader has no bearings,
// so ink outside the rectangle is clipped. Transparent padding lies between the
// rectangles so that filtering never bleeds one character into another. A record's y is
// its rectangle's bottom, with v = 0 at the picture's bottom row. The blank gets no
// record: its advance becomes the font's space size.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class FontGenerator {
public:
    struct Options {
        // Host path of the TrueType file.
        std::string typeface;
        // The typeface's pixel size (its em).
        std::uint32_t pixelSize = 16;
        // Every character then advances by the widest width.
        bool monospace = false;
        bool mipMaps = false;
        // The glyphs' colour (0xRRGGBB): white for fonts the code tints when printing.
        std::uint32_t fill = 0xFFFFFF;
        // An outline this many pixels wide around the glyphs (0: none); it widens each
        // character's rectangle and the line by twice its width.
        std::uint32_t outline = 0;
        std::uint32_t outlineColour = 0x000000;
    };

    // U+0020 to U+007E, U+00A0 to U+00FF, the dashes, the curly quotes, the ellipsis
    // and the euro sign.
    static std::vector<char16_t> StandardCharacters();

    using Bytes = std::vector<std::uint8_t>;
    struct File {
        std::string name;  // "font.tga", "font.fnt", "font.xml"
        Bytes bytes;
    };

    // The three files. Characters the typeface lacks are left out. Throws Vantor::Error
    // when the typeface cannot be read or the characters do not fit a 1024 x 1024 picture.
    static std::vector<File> Build(const Options& options,
                                   const std::vector<char16_t>& characters = StandardCharacters());
    // Writes the three files into the folder (a relative path lies below the base folder).
    static void Write(const std::wstring& folder, const Options& options,
                      const std::vector<char16_t>& characters = StandardCharacters());
};

}  // namespace Content
