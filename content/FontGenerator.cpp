#include "content/FontGenerator.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "content/FontFileWriter.h"
#include "content/TgaWriter.h"
#include "content/VersionedFileWriting.h"
#include "engine/kernel/Error.h"

namespace Content {

namespace {

// Transparent pixels between the rectangles and along the picture's edges.
constexpr std::uint32_t kPadding = 2;
constexpr std::uint32_t kMinSide = 32;
constexpr std::uint32_t kMaxSide = 1024;
constexpr char16_t kBlank = u' ';

// One character's rendering: its advance and its coverage rows, top row first,
// positioned against the pen and the baseline.
struct RenderedCharacter {
    char16_t code = 0;
    std::uint32_t advance = 0;
    int left = 0;
    int top = 0;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    std::vector<std::uint8_t> coverage;
    // The rectangle's bottom-left corner in the picture (rows counted from the bottom).
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};

// "U+" and the code in four hexadecimal digits.
std::string CodeName(char16_t code) {
    std::ostringstream name;
    name << "U+" << std::hex << std::uppercase << std::setw(4) << std::setfill('0') << static_cast<int>(code);
    return name.str();
}

// A typeface opened at one pixel size; everything FreeType made goes with it.
class Typeface {
public:
    Typeface(const std::string& path, std::uint32_t pixelSize) {
        if (FT_Init_FreeType(&library_) != 0) throw Vantor::Error("FreeType cannot start");
        if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0 || FT_Set_Pixel_Sizes(face_, 0, pixelSize) != 0) {
            FT_Done_FreeType(library_);
            throw Vantor::Error("Cannot read the typeface " + path + " at " + std::to_string(pixelSize) + " pixels");
        }
    }
    ~Typeface() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    std::uint32_t Ascent() const { return static_cast<std::uint32_t>((face_->size->metrics.ascender + 63) >> 6); }
    std::uint32_t Descent() const { return static_cast<std::uint32_t>((-face_->size->metrics.descender + 63) >> 6); }
    bool Has(char16_t code) const { return FT_Get_Char_Index(face_, code) != 0; }

    RenderedCharacter Render(char16_t code) const {
        if (FT_Load_Char(face_, code, FT_LOAD_RENDER) != 0)
            throw Vantor::Error("The typeface cannot render " + CodeName(code));
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        RenderedCharacter character;
        character.code = code;
        character.advance = static_cast<std::uint32_t>(std::max<FT_Pos>(0, (slot->advance.x + 32) >> 6));
        character.left = slot->bitmap_left;
        character.top = slot->bitmap_top;
        character.columns = bitmap.width;
        character.rows = bitmap.rows;
        character.coverage.resize(std::size_t{bitmap.width} * bitmap.rows);
        for (std::uint32_t row = 0; row < bitmap.rows; ++row)
            std::copy_n(bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch, bitmap.width,
                        character.coverage.begin() + std::ptrdiff_t(row * bitmap.width));
        return character;
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// Places the rectangles in rows of a picture `width` wide; returns the height used.
std::uint32_t PlaceRectangles(std::vector<RenderedCharacter>& characters, std::uint32_t width,
                              std::uint32_t lineHeight) {
    std::uint32_t x = kPadding;
    std::uint32_t y = kPadding;
    for (RenderedCharacter& character : characters) {
        if (x + character.advance + kPadding > width) {
            x = kPadding;
            y += lineHeight + kPadding;
        }
        character.x = x;
        character.y = y;
        x += character.advance + kPadding;
    }
    return y + lineHeight + kPadding;
}

std::uint32_t PowerOfTwoAtLeast(std::uint32_t value) {
    std::uint32_t side = kMinSide;
    while (side < value) side *= 2;
    return side;
}

// The smallest power-of-two picture the rectangles fit in, the rectangles placed in it.
std::pair<std::uint32_t, std::uint32_t> ChoosePicture(std::vector<RenderedCharacter>& characters,
                                                      std::uint32_t lineHeight) {
    std::uint32_t bestWidth = 0;
    std::uint32_t bestHeight = 0;
    for (std::uint32_t width = kMinSide; width <= kMaxSide; width *= 2) {
        const std::uint32_t height = PowerOfTwoAtLeast(PlaceRectangles(characters, width, lineHeight));
        const bool fits = std::all_of(characters.begin(), characters.end(),
                                      [&](const RenderedCharacter& c) { return c.x + c.advance + kPadding <= width; });
        if (!fits || height > kMaxSide) continue;
        // The smaller area, then the squarer picture.
        if (bestWidth == 0 || width * height < bestWidth * bestHeight ||
            (width * height == bestWidth * bestHeight && std::max(width, height) < std::max(bestWidth, bestHeight))) {
            bestWidth = width;
            bestHeight = height;
        }
    }
    if (bestWidth == 0) throw Vantor::Error("The characters do not fit a 1024 x 1024 font picture");
    PlaceRectangles(characters, bestWidth, lineHeight);
    return {bestWidth, bestHeight};
}

// Copies each character's coverage into its rectangle of a coverage plane,
// clipping what lies outside the rectangle.
std::vector<std::uint8_t> PaintCoverage(const std::vector<RenderedCharacter>& characters, std::uint32_t width,
                                        std::uint32_t height, std::uint32_t lineHeight, std::uint32_t descent) {
    std::vector<std::uint8_t> plane(std::size_t{width} * height, 0);
    for (const RenderedCharacter& character : characters) {
        for (std::uint32_t row = 0; row < character.rows; ++row) {
            // The row's height above the rectangle's bottom.
            const long above = static_cast<long>(descent) + character.top - 1 - static_cast<long>(row);
            if (above < 0 || above >= static_cast<long>(lineHeight)) continue;
            for (std::uint32_t column = 0; column < character.columns; ++column) {
                const long across = character.left + static_cast<long>(column);
                if (across < 0 || across >= static_cast<long>(character.advance)) continue;
                const std::size_t pixel =
                    (std::size_t{character.y} + std::size_t(above)) * width + character.x + std::size_t(across);
                plane[pixel] = character.coverage[std::size_t{row} * character.columns + column];
            }
        }
    }
    return plane;
}

// The coverage grown by a disc of the outline's radius, each character within
// its own rectangle so that no outline reaches the padding.
std::vector<std::uint8_t> GrowCoverage(const std::vector<std::uint8_t>& plane,
                                       const std::vector<RenderedCharacter>& characters, std::uint32_t width,
                                       std::uint32_t lineHeight, std::uint32_t radius) {
    std::vector<std::uint8_t> grown(plane.size(), 0);
    const long r = radius;
    for (const RenderedCharacter& character : characters) {
        const long left = character.x, bottom = character.y;
        const long right = left + character.advance, top = bottom + lineHeight;
        for (long y = bottom; y < top; ++y) {
            for (long x = left; x < right; ++x) {
                std::uint8_t strongest = 0;
                for (long dy = std::max(-r, bottom - y); dy <= std::min(r, top - 1 - y); ++dy)
                    for (long dx = std::max(-r, left - x); dx <= std::min(r, right - 1 - x); ++dx)
                        if (dx * dx + dy * dy <= r * r)
                            strongest = std::max(strongest, plane[std::size_t((y + dy) * width + x + dx)]);
                grown[std::size_t(y * width + x)] = strongest;
            }
        }
    }
    return grown;
}

// The fill over its outline as RGBA pixels. Transparent pixels take the colour
// at the glyphs' edge (the outline's, else the fill's) so that filtering draws
// no fringe.
std::vector<std::uint8_t> ComposePicture(const std::vector<std::uint8_t>& fill,
                                         const std::vector<std::uint8_t>& outline,
                                         const FontGenerator::Options& options) {
    auto channel = [](std::uint32_t colour, int shift) { return static_cast<float>((colour >> shift) & 0xFF); };
    const std::uint32_t edge = options.outline > 0 ? options.outlineColour : options.fill;
    std::vector<std::uint8_t> pixels(fill.size() * 4);
    for (std::size_t i = 0; i < fill.size(); ++i) {
        const float f = fill[i] / 255.0f;
        const float o = outline.empty() ? 0.0f : outline[i] / 255.0f;
        const float alpha = f + o * (1.0f - f);
        for (int c = 0; c < 3; ++c) {
            const int shift = 16 - 8 * c;
            const float colour =
                alpha > 0.0f
                    ? (channel(options.fill, shift) * f + channel(options.outlineColour, shift) * o * (1.0f - f)) /
                          alpha
                    : channel(edge, shift);
            pixels[i * 4 + std::size_t(c)] = static_cast<std::uint8_t>(colour + 0.5f);
        }
        pixels[i * 4 + 3] = static_cast<std::uint8_t>(alpha * 255.0f + 0.5f);
    }
    return pixels;
}

std::string Flag(bool value) { return value ? "1" : "0"; }

std::string Description(const FontGenerator::Options& options, std::uint32_t lineHeight, float spaceSize) {
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        << "<font mip_maps=\"" << Flag(options.mipMaps) << "\" temporary_textures=\"0\" monospace=\""
        << Flag(options.monospace) << "\" size=\"" << lineHeight << "\" virtual_size=\"0\" space_size=\"" << spaceSize
        << "\" shift_ratio=\"1\"/>\n";
    return xml.str();
}

}  // namespace

std::vector<char16_t> FontGenerator::StandardCharacters() {
    std::vector<char16_t> characters;
    for (char16_t code = 0x20; code <= 0x7E; ++code) characters.push_back(code);
    for (char16_t code = 0xA0; code <= 0xFF; ++code) characters.push_back(code);
    for (char16_t code : {0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x2026, 0x20AC}) characters.push_back(code);
    return characters;
}

std::vector<FontGenerator::File> FontGenerator::Build(const Options& options, const std::vector<char16_t>& characters) {
    const Typeface typeface(options.typeface, options.pixelSize);
    // The outline's room on every side of the glyphs.
    const std::uint32_t margin = options.outline;
    const std::uint32_t descent = typeface.Descent() + margin;
    const std::uint32_t lineHeight = typeface.Ascent() + descent + margin;
    const float spaceSize = static_cast<float>(typeface.Render(kBlank).advance) / static_cast<float>(lineHeight);

    std::vector<RenderedCharacter> rendered;
    for (char16_t code : characters) {
        if (code == kBlank || !typeface.Has(code)) continue;
        rendered.push_back(typeface.Render(code));
        rendered.back().advance += 2 * margin;
        rendered.back().left += static_cast<int>(margin);
    }
    const auto [width, height] = ChoosePicture(rendered, lineHeight);
    const std::vector<std::uint8_t> coverage = PaintCoverage(rendered, width, height, lineHeight, descent);
    const std::vector<std::uint8_t> outline =
        margin > 0 ? GrowCoverage(coverage, rendered, width, lineHeight, margin) : std::vector<std::uint8_t>{};

    std::vector<FontFileWriter::Record> records;
    for (const RenderedCharacter& character : rendered) {
        FontFileWriter::Record record;
        record.code = character.code;
        record.x = static_cast<float>(character.x) / static_cast<float>(width);
        record.y = static_cast<float>(character.y) / static_cast<float>(height);
        record.w = static_cast<float>(character.advance) / static_cast<float>(width);
        record.h = static_cast<float>(lineHeight) / static_cast<float>(height);
        record.width = static_cast<float>(character.advance) / static_cast<float>(lineHeight);
        records.push_back(record);
    }

    const std::string xml = Description(options, lineHeight, spaceSize);
    return {{"font.tga", TgaWriter::Build(width, height, ComposePicture(coverage, outline, options))},
            {"font.fnt", FontFileWriter::Build(records)},
            {"font.xml", Bytes(xml.begin(), xml.end())}};
}

void FontGenerator::Write(const std::wstring& folder, const Options& options, const std::vector<char16_t>& characters) {
    for (const File& file : Build(options, characters))
        VersionedFileWriting::WriteFile(folder + L"\\" + std::wstring(file.name.begin(), file.name.end()), file.bytes);
}

}  // namespace Content
