#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderFileReader.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Content::ShaderFileWriter;
using Vantor::ShaderDescriptor;
using Vantor::ShaderStage;

class ShaderFileTest : public testing::Test {
protected:
    // The shared log and file manager of the render tests.
    void SetUp() override { rendertest::TakeLoggedErrors(); }
};

// Writes the file below the data folder; the name the reader takes.
std::wstring Write(const std::wstring& name, const ShaderFileWriter::Shader& shader) {
    ShaderFileWriter::WriteFile(L"data\\" + name, shader);
    return name;
}

std::wstring WriteBytes(const std::wstring& name, const ShaderFileWriter::Bytes& bytes) {
    const std::wstring path = L"data\\" + name;
    Vantor::FileManager::CreateFolders(Vantor::FileManager::GetAbsolutePath(path));
    Vantor::FileBinary file(path, 1);
    file.Write(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
    return name;
}

// The text of the Error the reader throws, which must be neither a FileError nor fatal.
std::string ReadError(const std::wstring& name) {
    try {
        ShaderDescriptor descriptor(name);
    } catch (const Vantor::FileError& error) {
        ADD_FAILURE() << "a FileError left the reader: " << error.GetText();
    } catch (const Vantor::FatalError& error) {
        ADD_FAILURE() << "a FatalError left the reader: " << error.GetText();
    } catch (const Vantor::Error& error) {
        return error.GetText();
    }
    ADD_FAILURE() << "the file was read";
    return {};
}

// The reader logs the text it throws, once.
void ExpectLoggedError(const std::string& text) {
    EXPECT_THAT(rendertest::TakeLoggedErrors(), testing::ElementsAre("\nError: " + text + "!\n\n"));
}

ShaderFileWriter::Stage GridStage() {
    ShaderFileWriter::Stage stage;
    stage.flags = ShaderStage::kMipMaps | ShaderStage::kRandomStart;
    stage.kind = ShaderStage::kGridSheet;
    stage.frames = 6;
    stage.speed = 7.5f;
    stage.columns = 3;
    stage.rows = 2;
    stage.textureName = "Maps\\Fire";
    stage.addressU = 1;
    stage.addressV = 0;
    stage.scaleU = 0.5f;
    stage.scaleV = 0.25f;
    stage.offsetU = 0.125f;
    stage.offsetV = 0.75f;
    return stage;
}

ShaderFileWriter::Stage NumberedStage() {
    ShaderFileWriter::Stage stage;
    stage.flags = ShaderStage::kNoTextureFiles;
    stage.kind = ShaderStage::kNumberedFiles;
    stage.frames = 12;
    stage.speed = 24.0f;
    stage.textureName = "spark00";
    stage.addressU = 0;
    stage.addressV = 7;
    stage.scaleU = 2.0f;
    stage.scaleV = 3.0f;
    stage.offsetU = -0.5f;
    stage.offsetV = 0.0625f;
    return stage;
}

ShaderFileWriter::Shader Material(std::int32_t version, std::vector<ShaderFileWriter::Stage> stages) {
    ShaderFileWriter::Shader shader;
    shader.version = version;
    shader.flags = 0x13;
    for (int c = 0; c < 4; ++c)
        for (int channel = 0; channel < 4; ++channel) shader.colours[c][channel] = 0.0625f * (4 * c + channel);
    shader.values[0] = 1.5f;
    shader.values[1] = -2.25f;
    shader.blendFactors[0] = 4;
    shader.blendFactors[1] = 5;
    shader.stages = std::move(stages);
    return shader;
}

void ExpectHead(const ShaderDescriptor& descriptor) {
    EXPECT_EQ(0x13, descriptor.GetFlags());
    for (unsigned c = 0; c < 4; ++c) {
        EXPECT_EQ(0.0625f * (4 * c), descriptor.GetColour(c).x) << c;
        EXPECT_EQ(0.0625f * (4 * c + 1), descriptor.GetColour(c).y) << c;
        EXPECT_EQ(0.0625f * (4 * c + 2), descriptor.GetColour(c).z) << c;
        EXPECT_EQ(0.0625f * (4 * c + 3), descriptor.GetColour(c).w) << c;
    }
    EXPECT_EQ(1.5f, descriptor.GetValue(0));
    EXPECT_EQ(-2.25f, descriptor.GetValue(1));
    EXPECT_EQ(4, descriptor.GetBlendFactor(0));
    EXPECT_EQ(5, descriptor.GetBlendFactor(1));
}

// Every field of a stage as read, the name as the reader should have made it.
void ExpectStage(const ShaderFileWriter::Stage& written, const std::string& name, const ShaderStage& read) {
    EXPECT_EQ(written.flags, read.flags);
    EXPECT_EQ(written.kind, read.kind);
    EXPECT_EQ(written.kind == 0 ? 0 : written.frames, read.frames);
    EXPECT_EQ(written.kind == 0 ? 0.0f : written.speed, read.speed);
    EXPECT_EQ(written.kind == 1 ? written.columns : 1, read.columns);
    EXPECT_EQ(written.kind == 1 ? written.rows : 1, read.rows);
    EXPECT_EQ(name, read.textureName);
    EXPECT_EQ(written.addressU, read.addressU);
    EXPECT_EQ(written.addressV, read.addressV);
    EXPECT_EQ(written.scaleU, read.scaleU);
    EXPECT_EQ(written.scaleV, read.scaleV);
    EXPECT_EQ(written.offsetU, read.offsetU);
    EXPECT_EQ(written.offsetV, read.offsetV);
    EXPECT_EQ(0, read.currentFrame);
}

template <typename Value>
Value At(const ShaderFileWriter::Bytes& bytes, std::size_t offset) {
    Value value{};
    std::memcpy(&value, bytes.data() + offset, sizeof(Value));
    return value;
}

// --- layout and round trips ----------------------------------------------------------

TEST_F(ShaderFileTest, WriterLaysOutTheHeadAndAGridStageRecord) {
    const ShaderFileWriter::Bytes bytes = ShaderFileWriter::Build(Material(212, {GridStage()}));
    ASSERT_EQ(101u + 24 + 11 + 24, bytes.size());
    EXPECT_EQ(bytes.size(), At<std::uint32_t>(bytes, 0));
    EXPECT_EQ("VTSRF", std::string(bytes.begin() + 4, bytes.begin() + 9));
    EXPECT_EQ(212, At<std::int32_t>(bytes, 9));
    EXPECT_EQ(0x13, At<std::int32_t>(bytes, 13));
    EXPECT_EQ(0.0625f, At<float>(bytes, 21));   // colour 1 green
    EXPECT_EQ(0.75f, At<float>(bytes, 65));     // colour 4 red
    EXPECT_EQ(1.5f, At<float>(bytes, 81));
    EXPECT_EQ(4, At<std::int32_t>(bytes, 89));
    EXPECT_EQ(5, At<std::int32_t>(bytes, 93));
    EXPECT_EQ(1u, At<std::uint32_t>(bytes, 97));
    // Stage: flags, kind, frames, speed, columns, rows, name, addressing, matrix.
    EXPECT_EQ(3, At<std::int32_t>(bytes, 101));
    EXPECT_EQ(1, At<std::int32_t>(bytes, 105));
    EXPECT_EQ(6, At<std::int32_t>(bytes, 109));
    EXPECT_EQ(7.5f, At<float>(bytes, 113));
    EXPECT_EQ(3, At<std::int32_t>(bytes, 117));
    EXPECT_EQ(2, At<std::int32_t>(bytes, 121));
    EXPECT_EQ(10, bytes[125]);
    EXPECT_EQ("Maps\\Fire", std::string(bytes.begin() + 126, bytes.begin() + 135));
    EXPECT_EQ(0, bytes[135]);
    EXPECT_EQ(1, At<std::int32_t>(bytes, 136));
    EXPECT_EQ(0.75f, At<float>(bytes, 156));
}

TEST_F(ShaderFileTest, ReadsEveryFieldOfVersion212) {
    const auto grid = GridStage();
    const auto numbered = NumberedStage();
    const ShaderDescriptor descriptor(Write(L"shaders\\current.srf", Material(212, {grid, numbered})));
    ExpectHead(descriptor);
    ASSERT_EQ(2u, descriptor.GetStageCount());
    ExpectStage(grid, "maps\\fire", descriptor.GetStage(0));
    ExpectStage(numbered, "shaders\\spark00", descriptor.GetStage(1));
    EXPECT_EQ(ShaderDescriptor(descriptor).GetChecksum(), descriptor.GetChecksum());
    EXPECT_TRUE(rendertest::TakeLoggedErrors().empty());
}

TEST_F(ShaderFileTest, ReadsVersion211WithItsKindsAndNames) {
    auto numbered = NumberedStage();
    numbered.kind = 7;  // every stored kind above 1 means numbered files
    numbered.textureName = "Wood.v2.BMP";
    numbered.secondName = "wood_second.tga";
    ShaderFileWriter::Stage plain;
    plain.textureName = "plain";
    plain.secondName = "ignored";
    plain.addressU = 1;
    plain.offsetV = 0.5f;

    const ShaderDescriptor descriptor(Write(L"shaders\\old.srf", Material(211, {numbered, plain})));
    ExpectHead(descriptor);
    ASSERT_EQ(2u, descriptor.GetStageCount());
    numbered.kind = ShaderStage::kNumberedFiles;
    ExpectStage(numbered, "shaders\\wood.v2", descriptor.GetStage(0));
    ExpectStage(plain, "shaders\\plain", descriptor.GetStage(1));

    auto grid = GridStage();
    grid.textureName = "fx\\cells.tga";
    const ShaderDescriptor gridded(Write(L"shaders\\oldgrid.srf", Material(211, {grid})));
    ExpectStage(grid, "fx\\cells", gridded.GetStage(0));
}

TEST_F(ShaderFileTest, NamesWithoutAFolderLieBesideTheShaderFile) {
    struct Case {
        const wchar_t* file;
        const char* stored;
        const char* expected;
    };
    const Case cases[] = {{L"effects\\fire.srf", "fire", "effects\\fire"},
                          {L"effects\\fire.srf", "maps\\fire", "maps\\fire"},
                          {L"fire.srf", "Fire", "\\fire"},
                          {L"effects\\fire.srf", "", ""}};
    for (const Case& c : cases) {
        ShaderFileWriter::Stage stage;
        stage.textureName = c.stored;
        const ShaderDescriptor descriptor(Write(c.file, Material(212, {stage})));
        EXPECT_EQ(c.expected, descriptor.GetStage(0).textureName) << c.stored;
    }
}

TEST_F(ShaderFileTest, FileWithoutStagesIsTheMaterialAlone) {
    const ShaderDescriptor descriptor(Write(L"shaders\\bare.srf", Material(212, {})));
    ExpectHead(descriptor);
    EXPECT_EQ(0u, descriptor.GetStageCount());
    EXPECT_EQ(0, descriptor.GetChecksum());
}

// --- refused files -------------------------------------------------------------------

TEST_F(ShaderFileTest, BrokenHeadIsAFormatError) {
    const ShaderFileWriter::Bytes good = ShaderFileWriter::Build(Material(212, {GridStage()}));
    auto shortLength = good;
    shortLength[0] -= 1;
    auto longLength = good;
    longLength[0] += 1;
    auto magic = good;
    magic[8] = 'G';
    for (const auto& bytes : {shortLength, longLength, magic}) {
        const std::string text = ReadError(WriteBytes(L"shaders\\bad.srf", bytes));
        EXPECT_EQ("Incorrect \"shaders\\bad.srf\" file format", text);
        ExpectLoggedError(text);
    }
}

TEST_F(ShaderFileTest, UnknownVersionIsAVersionError) {
    for (std::int32_t version : {210, 213, 0}) {
        const std::string text = ReadError(Write(L"shaders\\version.srf", Material(version, {GridStage()})));
        EXPECT_EQ("Incorrect \"shaders\\version.srf\" format version, current is 212", text);
        ExpectLoggedError(text);
    }
}

TEST_F(ShaderFileTest, MissingOrShortFilesAreLoggedErrors) {
    const std::string missing = ReadError(L"shaders\\missing.srf");
    EXPECT_THAT(missing, testing::HasSubstr("missing.srf"));
    ExpectLoggedError(missing);

    // A stage count above the records, and a record cut short.
    auto counted = ShaderFileWriter::Build(Material(212, {GridStage()}));
    counted[97] = 2;
    auto cut = ShaderFileWriter::Build(Material(212, {GridStage()}));
    cut.resize(cut.size() - 3);
    cut[0] -= 3;
    for (const auto& bytes : {counted, cut}) {
        const std::string text = ReadError(WriteBytes(L"shaders\\short.srf", bytes));
        EXPECT_FALSE(text.empty());
        ExpectLoggedError(text);
    }
}

TEST_F(ShaderFileTest, ThirdStageIsFatalAndNotLogged) {
    const std::wstring name = Write(L"shaders\\three.srf", Material(212, {GridStage(), GridStage(), GridStage()}));
    try {
        ShaderDescriptor descriptor(name);
        FAIL() << "three stages were read";
    } catch (const Vantor::FatalError& error) {
        EXPECT_EQ("Shader Stages: buffer is overflowed", error.GetText());
    }
    EXPECT_TRUE(rendertest::TakeLoggedErrors().empty());
}

TEST_F(ShaderFileTest, StagesWithoutFramesOrCellsAreFormatErrors) {
    struct Case {
        std::int32_t version;
        std::int32_t kind;
        std::int32_t frames;
        std::int32_t columns;
        std::int32_t rows;
        const char* detail;
    };
    const Case cases[] = {
        {212, 1, 0, 2, 2, "stage 1 has 0 frames"},
        {212, 2, -3, 1, 1, "stage 1 has -3 frames"},
        {211, 9, 0, 1, 1, "stage 1 has 0 frames"},
        {212, 5, -2147483647 - 1, 1, 1, "stage 1 has -2147483648 frames"},
        {212, 1, 4, 0, 2, "stage 1 has a grid of 0 x 2 cells"},
        {211, 1, 4, 3, 0, "stage 1 has a grid of 3 x 0 cells"},
        {212, 1, 4, -1, 4, "stage 1 has a grid of -1 x 4 cells"},
        {212, 2, 2147483647, 1, 1, "stage 1 has 2147483647 numbered files, at most 10000"},
        {211, 3, 10001, 1, 1, "stage 1 has 10001 numbered files, at most 10000"},
    };
    for (const Case& c : cases) {
        ShaderFileWriter::Stage stage = GridStage();
        stage.kind = c.kind;
        stage.frames = c.frames;
        stage.columns = c.columns;
        stage.rows = c.rows;
        const std::string text = ReadError(Write(L"shaders\\empty.srf", Material(c.version, {GridStage(), stage})));
        EXPECT_EQ(std::string("Incorrect \"shaders\\empty.srf\" file format: ") + c.detail, text);
        ExpectLoggedError(text);
    }
}

TEST_F(ShaderFileTest, LargestNumberedStageIsRead) {
    auto stage = NumberedStage();
    stage.frames = Vantor::ShaderFileReader::kMaxNumberedFrames;
    const ShaderDescriptor descriptor(Write(L"shaders\\long.srf", Material(212, {stage})));
    EXPECT_EQ(10000, descriptor.GetStage(0).frames);
}

}  // namespace
