// Bitmap fonts: reading the glyph file and refusing broken ones, measuring texts, and
// the batch of quads a frame's characters become.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/gui/GUIFont.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/gui/GUITestSupport.h"

namespace guitest {
namespace {

using Vantor::ColouredVertex;

// An 'A' half the size wide whose picture is one of many in the texture.
FontFileWriter::Record PlacedA() {
    FontFileWriter::Record a = GlyphRecord(u'A', 0.5f);
    a.x = 0.25f;
    a.y = 0.5f;
    a.w = 0.125f;
    a.h = 0.0625f;
    return a;
}

class GUIFontTest : public GUITest {
protected:
    // Vertex i of the font's batch model.
    static const ColouredVertex& BatchVertex(const GUIFont& font, std::uint32_t i) {
        return reinterpret_cast<const ColouredVertex*>(font.GetModel()->GetVertexBuffer()->GetData())[i];
    }
    static Vector2 BatchPosition(const GUIFont& font, std::uint32_t i) {
        return {BatchVertex(font, i).position[0], BatchVertex(font, i).position[1]};
    }
    static std::uint32_t DrawnIndices(const GUIFont& font) { return font.GetModel()->GetIndexBuffer()->GetCount(); }
};

// ---- Reading the glyph file -------------------------------------------------------

TEST_F(GUIFontTest, ReadsEveryRecordAndTheWidestAdvance) {
    const FontFileWriter::Record a = PlacedA();
    GUIFont& font = *fonts_->LoadFont(0, nullptr, WriteFont("read", {a, GlyphRecord(0xFFFF, 0.75f)}));
    ASSERT_TRUE(font.HasCharacter(u'A'));
    const Vantor::Glyph& glyph = *font.FindGlyph(u'A');
    EXPECT_EQ(glyph.x, 0.25f);
    EXPECT_EQ(glyph.y, 0.5f);
    EXPECT_EQ(glyph.w, 0.125f);
    EXPECT_EQ(glyph.h, 0.0625f);
    EXPECT_EQ(glyph.width, 0.5f);
    EXPECT_TRUE(font.HasCharacter(0xFFFF));
    EXPECT_FALSE(font.HasCharacter(u'B'));
    EXPECT_EQ(font.GetWidest(), 0.75f);
    EXPECT_EQ(font.GetSize(), 1.0f);
    EXPECT_TRUE(TakeErrors().empty());
}

struct BrokenFile {
    const char* what;
    void (*spoil)(FontFileWriter::Bytes& bytes);
    const char* error;
};

TEST_F(GUIFontTest, BrokenFilesAreLoggedAndGiveAnEmptyFont) {
    const char* format = "Incorrect \"data\\fonts\\broken\\font.fnt\" file format";
    const BrokenFile cases[] = {
        {"wrong magic", [](FontFileWriter::Bytes& b) { b[8] = 'X'; }, format},
        {"length one byte more", [](FontFileWriter::Bytes& b) { ++b[0]; }, format},
        {"length one byte less", [](FontFileWriter::Bytes& b) { --b[0]; }, format},
        {"wrong version", [](FontFileWriter::Bytes& b) { b[9] = 200; },
         "Incorrect \"data\\fonts\\broken\\font.fnt\" format version, current is 201"},
        {"cut in the head", [](FontFileWriter::Bytes& b) { b.resize(11), b[0] = 11; },
         "Failed to read 1 bytes from \"data\\fonts\\broken\\font.fnt\" file"},
    };
    for (const BrokenFile& broken : cases) {
        SCOPED_TRACE(broken.what);
        FontFileWriter::Bytes bytes = FontFileWriter::Build({GlyphRecord(u'A', 0.5f)});
        broken.spoil(bytes);
        GUIFont& font = *fonts_->LoadFont(0, nullptr, WriteFont("broken", bytes));
        EXPECT_FALSE(font.HasCharacter(u'A'));
        EXPECT_EQ(font.GetWidest(), 0.0f);
        EXPECT_EQ(TakeErrors(), std::vector<std::string>{broken.error});
    }
}

TEST_F(GUIFontTest, AMissingFileGivesAnEmptyFont) {
    GUIFont& font = *fonts_->LoadFont(0, nullptr, L"data\\fonts\\none\\font.fnt");
    EXPECT_FALSE(font.HasCharacter(u'A'));
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Failed to open"), std::string::npos) << errors[0];
}

TEST_F(GUIFontTest, RecordsReadBeforeAShortReadAreDiscarded) {
    // The count promises three records; the file holds two whole ones.
    FontFileWriter::Bytes bytes = FontFileWriter::Build({GlyphRecord(u'A', 0.5f), GlyphRecord(u'B', 2.0f)});
    bytes[13] = 3;
    GUIFont& font = *fonts_->LoadFont(0, nullptr, WriteFont("short", bytes));
    EXPECT_FALSE(font.HasCharacter(u'A'));
    EXPECT_FALSE(font.HasCharacter(u'B'));
    EXPECT_EQ(font.GetWidest(), 0.0f);
    EXPECT_EQ(TakeErrors().size(), 1u);
}

TEST_F(GUIFontTest, ADuplicatedCodeKeepsTheFirstRecord) {
    GUIFont& font = *fonts_->LoadFont(
        0, nullptr, WriteFont("twice", {GlyphRecord(u'A', 0.5f), GlyphRecord(u'A', 3.0f), GlyphRecord(u'B', 0.25f)}));
    ASSERT_TRUE(font.HasCharacter(u'A'));
    EXPECT_EQ(font.FindGlyph(u'A')->width, 0.5f);
    EXPECT_TRUE(font.HasCharacter(u'B'));
    EXPECT_EQ(font.GetWidest(), 0.5f) << "a dropped record does not count";
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"(GUIFont::GUIFont): Dublicated character"});
}

TEST_F(GUIFontTest, UnitsAboveTheTableHaveNoGlyph) {
    GUIFont& font = *fonts_->LoadFont(0, nullptr, WriteFont("high", {GlyphRecord(0xF600, 0.5f)}));
    EXPECT_TRUE(font.HasCharacter(0xF600));
    EXPECT_FALSE(font.HasCharacter(0x1F600)) << "not the glyph of its low 16 bits";

    // Measured and drawn as a character without a glyph: a blank.
    font.SetSize(10.0f);
    Vector2 extent;
    ExpectVector({10.0f, 10.0f}, font.MeasureText(extent, L"\U0001F600", 0.0f, -1.0f));
    font.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, L"\U0001F600");
    EXPECT_EQ(font.GetBatchCount(), 0u);
}

// ---- Measuring ----------------------------------------------------------------------

TEST_F(GUIFontTest, OneCharacterMeasuresSizeTimesWidthBySizeTimesHeightRatio) {
    GUIFont& font = LoadTestFont(0, 20.0f);
    font.SetHeightRatio(1.5f);
    font.SetShiftRatio(3.0f);  // only the distance between characters
    Vector2 extent;
    ExpectVector({20.0f * 0.8f, 20.0f * 1.5f}, font.MeasureText(extent, L"M", 0.0f, -1.0f));
    ExpectVector({20.0f * (0.8f * 3.0f + 0.25f), 30.0f}, font.MeasureText(extent, L"Mi", 0.0f, -1.0f));
}

TEST_F(GUIFontTest, EmptyTextMeasuresNothingAndBlanksTheirAdvances) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    font.SetSpaceSize(0.3f);
    Vector2 extent(5, 5);
    ExpectVector({0.0f, 0.0f}, font.MeasureText(extent, L"", 0.0f, -1.0f));
    // Two blank boxes of 3 side by side, as high as the size.
    ExpectVector({6.0f, 10.0f}, font.MeasureText(extent, L"  ", 0.0f, -1.0f));
}

TEST_F(GUIFontTest, AnExplicitSizeAdvancesThePenWhileBoxesKeepTheFontSize) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    Vector2 extent;
    // Boxes 0..10 and 20..30, both 10 high.
    ExpectVector({30.0f, 10.0f}, font.MeasureText(extent, L"AA", 0.0f, 20.0f));
}

TEST_F(GUIFontTest, TurnedTextMeasuresItsTurnedBoxes) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    Vector2 extent;
    ExpectVector({10.0f, 20.0f}, font.MeasureText(extent, L"AA", std::numbers::pi_v<float> / 2, -1.0f));
}

TEST_F(GUIFontTest, MonospaceAdvancesByTheWidestCell) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    font.SetMonospace(true);
    Vector2 extent;
    // Cells of 10; the last box is the glyph's own width from the pen.
    ExpectVector({20.0f + 10.0f, 10.0f}, font.MeasureText(extent, L"iiA", 0.0f, -1.0f));
}

// ---- The batch ----------------------------------------------------------------------

TEST_F(GUIFontTest, ACharacterBecomesATexturedColouredQuad) {
    const FontFileWriter::Record a = PlacedA();
    GUIFont& font = *fonts_->LoadFont(0, nullptr, WriteFont("quad", {a}));
    font.SetSize(20.0f);
    font.AddText({100, 200}, 0.0f, {1, 0, 0, 1}, L"A");

    ASSERT_EQ(font.GetBatchCount(), 1u);
    EXPECT_EQ(DrawnIndices(font), 6u);
    // Top-left, bottom-left, top-right, bottom-right.
    const Vector2 positions[4] = {{100, 220}, {100, 200}, {110, 220}, {110, 200}};
    const float uv[4][2] = {{0.25f, 0.5625f}, {0.25f, 0.5f}, {0.375f, 0.5625f}, {0.375f, 0.5f}};
    for (std::uint32_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ExpectVector(positions[i], BatchPosition(font, i));
        EXPECT_EQ(BatchVertex(font, i).position[2], 0.0f);
        EXPECT_EQ(BatchVertex(font, i).normal[2], 1.0f);
        EXPECT_FLOAT_EQ(BatchVertex(font, i).u, uv[i][0]);
        EXPECT_FLOAT_EQ(BatchVertex(font, i).v, uv[i][1]);
        EXPECT_EQ(BatchVertex(font, i).colour, 0xFFFF0000u);
    }
    const Vantor::IndexBuffer& indices = *font.GetModel()->GetIndexBuffer();
    const auto* stored = reinterpret_cast<const std::uint16_t*>(indices.GetData());
    EXPECT_EQ(std::vector<std::uint16_t>(stored + 6, stored + 12), (std::vector<std::uint16_t>{4, 5, 6, 6, 5, 7}));
}

TEST_F(GUIFontTest, BlanksAndUnknownCharactersAdvanceWithoutAQuad) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    font.SetSpaceSize(0.5f);
    font.SetShiftRatio(2.0f);
    font.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, L"A Z\nL");
    // A advances 2 x 10 x 1, the blank, the unknown Z and the line feed 5 each.
    ASSERT_EQ(font.GetBatchCount(), 2u);
    ExpectVector({35.0f, 0.0f}, BatchPosition(font, 5));
}

TEST_F(GUIFontTest, MonospaceCentresEachCharacterInItsCell) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    font.SetMonospace(true);
    font.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, L"iZA");
    ASSERT_EQ(font.GetBatchCount(), 2u);
    // The i of 2.5 centred in the cell of 10; the unknown Z takes a whole cell.
    ExpectVector({3.75f, 0.0f}, BatchPosition(font, 1));
    ExpectVector({6.25f, 0.0f}, BatchPosition(font, 3));
    ExpectVector({20.0f, 0.0f}, BatchPosition(font, 5));
}

TEST_F(GUIFontTest, TextTurnedByAQuarterRunsUpwards) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    font.AddText({100, 100}, std::numbers::pi_v<float> / 2, {1, 1, 1, 1}, L"AL");
    ASSERT_EQ(font.GetBatchCount(), 2u);
    ExpectVector({90.0f, 100.0f}, BatchPosition(font, 0));   // top-left: up is -x
    ExpectVector({100.0f, 110.0f}, BatchPosition(font, 5));  // the L starts one A further up
}

TEST_F(GUIFontTest, The1025thCharacterOfAFrameIsDroppedAndLogged) {
    GUIFont& font = LoadTestFont(0, 1.0f);
    font.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, std::wstring(GUIFont::kBatchCapacity + 1, L'A'));
    EXPECT_EQ(font.GetBatchCount(), GUIFont::kBatchCapacity);
    EXPECT_EQ(DrawnIndices(font), GUIFont::kBatchCapacity * 6);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"Font: characters buffer is overflowed"});

    // The next frame starts at the first character again.
    font.EndBatch();
    font.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, L"AA");
    EXPECT_EQ(font.GetBatchCount(), 2u);
    EXPECT_EQ(DrawnIndices(font), 12u);
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUIFontTest, TheBatchIsLockedOnceAndKeptUntilAnEmptyFrame) {
    GUIFont& font = LoadTestFont(0, 1.0f);
    const Vantor::VertexBuffer& vertices = *font.GetModel()->GetVertexBuffer();
    font.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, L"AM");
    EXPECT_TRUE(vertices.IsLocked());
    font.EndBatch();
    EXPECT_FALSE(vertices.IsLocked());
    EXPECT_EQ(DrawnIndices(font), 12u) << "the closed batch still draws";
    font.EndBatch();
    EXPECT_EQ(DrawnIndices(font), 0u) << "a frame without text draws nothing";
}

TEST_F(GUIFontTest, TheBatchModelIsRegisteredAtDepthMinus9) {
    const std::uint32_t before = Models().GetModelCount();
    GUIFont& font = LoadTestFont();
    EXPECT_EQ(Models().GetModelCount(), before + 1);
    EXPECT_EQ(font.GetModel()->GetFlags(), GUIFont::kBatchModelFlags);
    EXPECT_EQ(font.GetDepth(), -9.0f);
    EXPECT_EQ(font.GetModel()->GetCamera(), camera_);
    fonts_->UnloadFont(0);
    EXPECT_EQ(Models().GetModelCount(), before);
}

TEST_F(GUIFontTest, AnInstanceSharesTheGlyphsAndTakesTheSourceMeasuresWhenDrawing) {
    GUIFont& font = LoadTestFont(0, 10.0f);
    font.SetMonospace(true);
    GUIFont instance(font);
    EXPECT_EQ(instance.GetSource(), &font);
    EXPECT_EQ(instance.FindGlyph(u'A'), font.FindGlyph(u'A'));
    EXPECT_TRUE(instance.IsMonospace());
    EXPECT_EQ(instance.GetWidest(), 1.0f);
    EXPECT_NE(instance.GetModel(), font.GetModel());

    font.SetMonospace(false);
    font.SetSize(20.0f);
    instance.AddText({0, 0}, 0.0f, {1, 1, 1, 1}, L"A");
    EXPECT_EQ(instance.GetSize(), 20.0f);
    ExpectVector({20.0f, 20.0f}, BatchPosition(instance, 2));
}

}  // namespace
}  // namespace guitest
