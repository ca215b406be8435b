// The font generator: DejaVu Sans rendered into a font folder whose glyph file, read
// back by the engine's reader, and picture hold every character of the set in its own
// rectangle with transparent padding around, in the font's style.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "content/FontGenerator.h"
#include "engine/gui/FontFileReader.h"
#include "engine/kernel/Error.h"
#include "engine/render/Image.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using Content::FontGenerator;

constexpr const char* kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// A glyph's rectangle in pixels of the picture.
struct PixelRectangle {
    std::uint32_t left, bottom, right, top;
};

bool IsPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

class FontGeneratorTest : public enginetest::KernelManagersTest {
protected:
    // Generates the font into "data\fonts\<name>" and reads its glyphs and picture back.
    void Generate(const std::string& name, const FontGenerator::Options& options) {
        const std::wstring folder = L"data\\fonts\\" + std::wstring(name.begin(), name.end());
        FontGenerator::Write(folder, options);
        widest_ = Vantor::FontFileReader::Read(folder + L"\\font.fnt", glyphs_);
        ASSERT_TRUE(picture_.Load(folder + L"\\font.tga", true));
        description_ = home_.folder.ReadFile("data/fonts/" + name + "/font.xml");
    }

    PixelRectangle Rectangle(const Vantor::Glyph& glyph) const {
        const auto width = static_cast<float>(picture_.GetWidth());
        const auto height = static_cast<float>(picture_.GetHeight());
        return {static_cast<std::uint32_t>(glyph.x * width + 0.5f), static_cast<std::uint32_t>(glyph.y * height + 0.5f),
                static_cast<std::uint32_t>((glyph.x + glyph.w) * width + 0.5f),
                static_cast<std::uint32_t>((glyph.y + glyph.h) * height + 0.5f)};
    }

    // Alpha of column x, row y (row 0 at the bottom).
    std::uint8_t Alpha(std::uint32_t x, std::uint32_t y) const {
        return picture_.GetPixels()[(std::size_t{y} * picture_.GetWidth() + x) * 4 + 3];
    }

    Vantor::GlyphTable glyphs_;
    float widest_ = 0.0f;
    Vantor::Image picture_;
    std::string description_;
    // Every character but the no-break space inked, and no ink outside the
    // rectangles.
    void ExpectInkOnlyInsideTheRectangles() {
        ASSERT_EQ(picture_.GetBits(), 32u);
        EXPECT_TRUE(IsPowerOfTwo(picture_.GetWidth()));
        EXPECT_TRUE(IsPowerOfTwo(picture_.GetHeight()));

        std::vector<bool> inside(std::size_t{picture_.GetWidth()} * picture_.GetHeight(), false);
        for (char16_t code : FontGenerator::StandardCharacters()) {
            const Vantor::Glyph* glyph = glyphs_[code].get();
            if (!glyph) continue;
            SCOPED_TRACE(static_cast<int>(code));
            const PixelRectangle rectangle = Rectangle(*glyph);
            bool inked = false;
            for (std::uint32_t y = rectangle.bottom; y < rectangle.top; ++y) {
                for (std::uint32_t x = rectangle.left; x < rectangle.right; ++x) {
                    EXPECT_FALSE(inside[std::size_t{y} * picture_.GetWidth() + x]) << "rectangles overlap";
                    inside[std::size_t{y} * picture_.GetWidth() + x] = true;
                    inked = inked || Alpha(x, y) > 0;
                }
            }
            EXPECT_EQ(inked, code != 0xA0) << "only the no-break space is blank";
        }
        std::uint32_t inkOutside = 0;
        for (std::uint32_t y = 0; y < picture_.GetHeight(); ++y)
            for (std::uint32_t x = 0; x < picture_.GetWidth(); ++x)
                if (!inside[std::size_t{y} * picture_.GetWidth() + x] && Alpha(x, y) != 0) ++inkOutside;
        EXPECT_EQ(inkOutside, 0u);
    }

    // The colour in the middle of the character's ink along the middle row of its rectangle.
    std::uint32_t MiddleColour(char16_t code) const {
        const PixelRectangle rectangle = Rectangle(*glyphs_[code]);
        const std::uint32_t y = (rectangle.bottom + rectangle.top) / 2;
        std::uint32_t first = rectangle.right, last = rectangle.left;
        for (std::uint32_t x = rectangle.left; x < rectangle.right; ++x) {
            if (Alpha(x, y) == 0) continue;
            first = std::min(first, x);
            last = x;
        }
        const std::uint8_t* pixel = picture_.GetPixels() + (std::size_t{y} * picture_.GetWidth() + (first + last) / 2) * 4;
        return std::uint32_t{pixel[0]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[2];
    }

    // The line height the description gives.
    int LineHeight() const {
        const std::size_t at = description_.find(" size=\"");
        return at == std::string::npos ? -1 : std::stoi(description_.substr(at + 7));
    }
};

TEST_F(FontGeneratorTest, EveryCharacterButTheBlankHasAGlyph) {
    Generate("common", {kSans, 16, false, false});
    for (char16_t code : FontGenerator::StandardCharacters()) {
        SCOPED_TRACE(static_cast<int>(code));
        EXPECT_EQ(glyphs_[code] != nullptr, code != u' ');
    }
    EXPECT_LT(glyphs_[u'i']->width, glyphs_[u'M']->width);
    EXPECT_EQ(glyphs_[u'M']->h, glyphs_[u'i']->h) << "every rectangle is one line high";
    // The description's space size is the blank's advance against the line.
    EXPECT_NE(description_.find("monospace=\"0\""), std::string::npos) << description_;
    const std::size_t at = description_.find("space_size=\"");
    ASSERT_NE(at, std::string::npos);
    const float spaceSize = std::stof(description_.substr(at + 12));
    EXPECT_GT(spaceSize, 0.2f);
    EXPECT_LT(spaceSize, glyphs_[u'M']->width);
}

TEST_F(FontGeneratorTest, InkLiesInsideTheRectanglesAndNoneInThePadding) {
    Generate("common", {kSans, 16, false, false});
    ExpectInkOnlyInsideTheRectangles();
    // White everywhere: the print's colour tints it.
    const std::uint8_t* pixel = picture_.GetPixels();
    EXPECT_EQ(std::memcmp(pixel, "\xFF\xFF\xFF", 3), 0);
}

TEST_F(FontGeneratorTest, AStyledFontCarriesItsFillInsideItsOutline) {
    Generate("menu", {kSans, 32, false, false, 0xFFE08A, 3, 0x2B1D14});
    ExpectInkOnlyInsideTheRectangles();
    // The I's stem is fill, its first inked column from the left is outline.
    EXPECT_EQ(MiddleColour(u'I'), 0xFFE08Au);
    const PixelRectangle rectangle = Rectangle(*glyphs_[u'I']);
    const std::uint32_t y = (rectangle.bottom + rectangle.top) / 2;
    std::uint32_t x = rectangle.left;
    while (x < rectangle.right && Alpha(x, y) < 200) ++x;
    ASSERT_LT(x, rectangle.right);
    const std::uint8_t* pixel = picture_.GetPixels() + (std::size_t{y} * picture_.GetWidth() + x) * 4;
    EXPECT_EQ(std::memcmp(pixel, "\x2B\x1D\x14", 3), 0);
    EXPECT_GT(x, rectangle.left) << "the outline keeps off the rectangle's edge";
}

TEST_F(FontGeneratorTest, AnOutlineWidensTheLineByTwiceItsWidth) {
    Generate("plain", {kSans, 24, false, false});
    const int plainHeight = LineHeight();
    Generate("outlined", {kSans, 24, false, false, 0xFFFFFF, 4, 0});
    EXPECT_EQ(LineHeight(), plainHeight + 8);
}

TEST_F(FontGeneratorTest, TheBaselineLiesAtTheDescent) {
    Generate("common", {kSans, 32, false, false});
    // The foot of the L and the bottom of the x sit on one row, the tail of the p below it.
    auto lowestInk = [this](char16_t code) {
        const PixelRectangle rectangle = Rectangle(*glyphs_[code]);
        for (std::uint32_t y = rectangle.bottom; y < rectangle.top; ++y)
            for (std::uint32_t x = rectangle.left; x < rectangle.right; ++x)
                if (Alpha(x, y) > 128) return y - rectangle.bottom;
        return rectangle.top - rectangle.bottom;
    };
    EXPECT_EQ(lowestInk(u'L'), lowestInk(u'x'));
    EXPECT_GT(lowestInk(u'L'), 4u);
    EXPECT_LE(lowestInk(u'p'), 2u) << "the descender reaches down to the rectangle's bottom";
}

TEST_F(FontGeneratorTest, AMonospaceFontHasOneAdvance) {
    Generate("console", {kMono, 14, true, false});
    for (char16_t code : {u'i', u'M', u'.', u'W'}) EXPECT_EQ(glyphs_[code]->width, widest_);
    EXPECT_NE(description_.find("monospace=\"1\""), std::string::npos) << description_;
}

TEST_F(FontGeneratorTest, AnUnreadableTypefaceIsAnError) {
    EXPECT_THROW(FontGenerator::Write(L"data\\fonts\\none", {"/nonexistent.ttf", 16, false, false}), Vantor::Error);
}

}  // namespace
