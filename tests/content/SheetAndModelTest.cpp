#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "content/MaterialPresets.h"
#include "content/ModelShapes.h"
#include "content/PictureEncoder.h"
#include "content/SheetBuilder.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/Image.h"
#include "engine/render/ModelFileReader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderFileReader.h"
#include "tests/content/ContentTestSupport.h"

namespace {

using Content::ModelShapes;
using Content::Picture;
using Content::SheetBuilder;

Picture Solid(int size, std::uint8_t red, std::uint8_t green) {
    Picture picture(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = red;
            p[1] = green;
            p[3] = 255;
        }
    return picture;
}

TEST(SheetBuilder, GridsArePowersOfTwoThatHoldTheFrames) {
    struct Case {
        int frames, columns, rows;
    };
    for (const Case& c : {Case{1, 1, 1}, Case{2, 2, 1}, Case{4, 2, 2}, Case{5, 4, 2}, Case{8, 4, 2}, Case{49, 8, 8}}) {
        const SheetBuilder::Grid grid = SheetBuilder::GridFor(c.frames);
        EXPECT_EQ(c.columns, grid.columns) << c.frames;
        EXPECT_EQ(c.rows, grid.rows) << c.frames;
    }
    EXPECT_EQ(4, SheetBuilder::kButton.columns * SheetBuilder::kButton.rows);
    EXPECT_EQ(8, SheetBuilder::kCheckBox.columns * SheetBuilder::kCheckBox.rows);
}

TEST(SheetBuilder, NumberedNamesCarryAsManyDigitsAsTheLastFrame) {
    EXPECT_EQ("ui\\anim00", SheetBuilder::NumberedName("ui\\anim", 0, 12));
    EXPECT_EQ("ui\\anim11", SheetBuilder::NumberedName("ui\\anim", 11, 12));
    EXPECT_EQ("ui\\anim0", SheetBuilder::NumberedName("ui\\anim", 0, 1));
}

TEST(SheetBuilder, FramesOfOtherSizesOrTooManyFramesAreRefused) {
    EXPECT_THROW(SheetBuilder::Pack({Solid(4, 0, 0), Solid(8, 0, 0)}, {2, 1}), Vantor::Error);
    EXPECT_THROW(SheetBuilder::Pack({Solid(4, 0, 0), Solid(4, 0, 0), Solid(4, 0, 0)}, {2, 1}), Vantor::Error);
}

// Frame f's colour has red 40 f: the cell the engine's texture matrix selects for frame
// f (frame 0 in the top row, at the highest v) must hold it.
TEST(SheetBuilder, EachFramesCellIsTheOneItsMaterialSelects) {
    constexpr int kFrames = 6, kCell = 8;
    std::vector<Picture> frames;
    for (int f = 0; f < kFrames; ++f) frames.push_back(Solid(kCell, static_cast<std::uint8_t>(40 * f), 200));
    const SheetBuilder::Grid grid = SheetBuilder::GridFor(kFrames);
    contenttest::WriteData("sheet/anim.png", Content::PictureEncoder::Png(SheetBuilder::Pack(frames, grid)));
    const std::wstring material = contenttest::WriteData(
        "sheet/anim.srf", Content::ShaderFileWriter::Build(
                              Content::MaterialPresets::Grid("sheet\\anim", grid.columns, grid.rows, kFrames, 10.0f)));

    Vantor::ShaderDescriptor descriptor;
    Vantor::ShaderFileReader::Read(material, descriptor);
    ASSERT_EQ(1u, descriptor.GetStageCount());
    const Vantor::ShaderStage& stage = descriptor.GetStage(0);
    EXPECT_EQ(kFrames, stage.frames);
    std::vector<std::wstring> files;
    descriptor.GetStageTextureFiles(0, files);
    ASSERT_EQ(2u, files.size());
    Vantor::Image sheet;
    ASSERT_TRUE(sheet.Load(files[0], true));

    for (int f = 0; f < kFrames; ++f) {
        const int column = f % stage.columns;
        const int row = stage.rows - 1 - f / stage.columns;
        // The centre of the cell in texture space; the engine's rows run bottom first.
        const double u = (column + 0.5) / stage.columns, v = (row + 0.5) / stage.rows;
        const auto x = static_cast<std::uint32_t>(u * sheet.GetWidth());
        const auto y = static_cast<std::uint32_t>(v * sheet.GetHeight());
        const std::uint8_t* pixel = sheet.GetPixels() + y * sheet.GetRowBytes() + x * (sheet.GetBits() / 8);
        EXPECT_EQ(40 * f, pixel[0]) << "frame " << f;
    }
    EXPECT_TRUE(contenttest::TakeLoggedProblems().empty());
}

Vantor::ModelFileContents ReadBack(const std::string& file, const Content::ModelFileWriter::Model& model) {
    const std::wstring path = contenttest::WriteData(file, Content::ModelFileWriter::Build(model));
    Vantor::ModelFileContents contents;
    Vantor::ModelFileReader::Read(path, 0, contents);
    return contents;
}

TEST(ModelShapes, APathsBoxesFollowItsKeys) {
    const Vantor::ModelFileContents contents =
        ReadBack("models/path.mdl", ModelShapes::Path(20, 10, {{0, 100, 50, 1}, {4, 0, 0, 2}, {6, 0, 0, 1}}, 30.0f));
    ASSERT_EQ(7u, contents.frameCount);
    EXPECT_EQ(Vantor::ModelVertexLayout::kKeyFrames, contents.layout);
    EXPECT_FLOAT_EQ(30.0f, contents.speed);
    ASSERT_EQ(7u, contents.boxes.size());
    struct Expected {
        float x, y, scale;
    };
    const Expected expected[] = {{100, 50, 1}, {75, 37.5f, 1.25f}, {50, 25, 1.5f}, {25, 12.5f, 1.75f},
                                 {0, 0, 2},    {0, 0, 1.5f},       {0, 0, 1}};
    for (std::size_t f = 0; f < 7; ++f) {
        SCOPED_TRACE(f);
        const Vantor::BoundingBox& box = contents.boxes[f];
        EXPECT_FLOAT_EQ(expected[f].x, (box.localMin.x + box.localMax.x) / 2);
        EXPECT_FLOAT_EQ(expected[f].y, (box.localMin.y + box.localMax.y) / 2);
        EXPECT_FLOAT_EQ(20 * expected[f].scale, box.localMax.x - box.localMin.x);
        EXPECT_FLOAT_EQ(10 * expected[f].scale, box.localMax.y - box.localMin.y);
    }
    // Frame-major records: frame 4's first corner is the box's bottom left.
    EXPECT_FLOAT_EQ(-20.0f, contents.vertices[4 * 4].position[0]);
    EXPECT_FLOAT_EQ(-10.0f, contents.vertices[4 * 4].position[1]);
}

TEST(ModelShapes, PathsWithoutAStartOrOutOfOrderAreRefused) {
    EXPECT_THROW(ModelShapes::Path(1, 1, {}, 1), Vantor::Error);
    EXPECT_THROW(ModelShapes::Path(1, 1, {{2, 0, 0, 1}}, 1), Vantor::Error);
    EXPECT_THROW(ModelShapes::Path(1, 1, {{0, 0, 0, 1}, {3, 0, 0, 1}, {3, 1, 0, 1}}, 1), Vantor::Error);
}

TEST(ModelShapes, AProgressBarUncoversItsPictureFrameByFrame) {
    const Vantor::ModelFileContents contents = ReadBack("models/bar.mdl", ModelShapes::ProgressBar({10, 20, 200, 16}, 5));
    ASSERT_EQ(5u, contents.frameCount);
    for (std::size_t f = 0; f < 5; ++f) {
        const float share = f / 4.0f;
        EXPECT_FLOAT_EQ(10 + 200 * share, contents.boxes[f].localMax.x);
        EXPECT_FLOAT_EQ(10.0f, contents.boxes[f].localMin.x);
        // The right edge's texture coordinate matches the share shown.
        EXPECT_FLOAT_EQ(share, contents.vertices[f * 4 + 1].u);
    }
}

TEST(ModelShapes, AQuadInGuiUnitsHasItsPictureUpright) {
    const Vantor::ModelFileContents contents = ReadBack("models/quad.mdl", ModelShapes::Quad({0, 0, 800, 600}));
    EXPECT_EQ(Vantor::ModelVertexLayout::kStatic, contents.layout);
    ASSERT_EQ(4u, contents.vertices.size());
    // The top edge (y = 600) has v = 1, which is the picture's top row.
    EXPECT_FLOAT_EQ(600.0f, contents.vertices[2].position[1]);
    EXPECT_FLOAT_EQ(1.0f, contents.vertices[2].v);
    EXPECT_FLOAT_EQ(800.0f, contents.boxes[0].localMax.x);
    EXPECT_TRUE(contenttest::TakeLoggedProblems().empty());
}

}  // namespace
