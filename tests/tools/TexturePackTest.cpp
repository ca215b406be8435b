// Texture packs: the pack file in its two versions, lookups by lower-cased name with
// the first texture as fallback, the default pack, the atlas shader, and the files a
// pack refuses (every failure reaching the creator as a plain Vantor::Error).

#include "tools/TexturePack.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "content/TexturePackWriter.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileError.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "tests/tools/ShaderManagerTestSupport.h"

namespace {

using Content::TexturePackWriter;
using GameTools::TexturePack;
using testing::ElementsAre;
using testing::HasSubstr;

const std::wstring kPack = L"packs\\ui.tpf";

TexturePackWriter::Texture OneFrameTexture(const std::string& name, std::int32_t value = 0) {
    TexturePackWriter::Texture texture;
    texture.name = name;
    texture.value = value;
    texture.frames.emplace_back();
    return texture;
}

TexturePackWriter::Pack PackOf(std::int32_t version, std::vector<TexturePackWriter::Texture> textures) {
    TexturePackWriter::Pack pack;
    pack.version = version;
    pack.textures = std::move(textures);
    return pack;
}

// Packs "packs\ui.tpf" with the atlas shader "packs\ui.srf" of two numbered textures.
class TexturePackTest : public toolstest::ShaderManagerTest {
protected:
    void SetUp() override {
        ShaderManagerTest::SetUp();
        Content::ShaderFileWriter::Shader atlas;
        Content::ShaderFileWriter::Stage numbered;
        numbered.kind = 2;
        numbered.frames = 2;
        numbered.textureName = "packs\\ui_";
        atlas.stages.push_back(numbered);
        Content::ShaderFileWriter::WriteFile(L"data\\packs\\ui.srf", atlas);
    }

    void WritePack(const TexturePackWriter::Pack& pack) const { WriteBytes(TexturePackWriter::Build(pack)); }
    void WriteBytes(const TexturePackWriter::Bytes& bytes) const {
        home_.folder.WriteFile("data/packs/ui.tpf", std::string(bytes.begin(), bytes.end()));
    }

    std::unique_ptr<TexturePack> Load() const { return std::make_unique<TexturePack>(kPack, false); }

    // The text of the Error that loading throws, "" when the pack loads. A FileError
    // must not get through.
    std::string LoadError() const {
        try {
            Load();
            return "";
        } catch (const Vantor::FileError& error) {
            ADD_FAILURE() << "a FileError reached the creator: " << error.GetText();
            return error.GetText();
        } catch (const Vantor::Error& error) {
            return error.GetText();
        }
    }
};

// --- the pack file ---------------------------------------------------------------------

TEST_F(TexturePackTest, Version101FileHoldsTexturesWithoutValues) {
    TexturePackWriter::Texture abc = OneFrameTexture("abc", 7);
    TexturePackWriter::Frame& frame = abc.frames[0];
    frame.atlasIndex = 3;
    frame.topLeft[0] = 0.25f;
    frame.topLeft[1] = 0.5f;
    frame.bottomRight[0] = 0.75f;
    frame.bottomRight[1] = 1.0f;
    frame.offset[0] = -4.0f;
    frame.offset[1] = 2.0f;
    const TexturePackWriter::Pack file = PackOf(101, {abc});
    EXPECT_EQ(54u, TexturePackWriter::Build(file).size());
    WritePack(file);

    const auto pack = Load();
    const TexturePack::Texture& texture = pack->GetTexture("abc");
    EXPECT_EQ(0, texture.value) << "version 101 stores no value";
    ASSERT_EQ(1u, texture.frames.size());
    const TexturePack::Frame& read = texture.frames[0];
    EXPECT_EQ(3, read.atlasIndex);
    EXPECT_EQ(0.25f, read.topLeft.x);
    EXPECT_EQ(0.5f, read.topLeft.y);
    EXPECT_EQ(0.75f, read.bottomRight.x);
    EXPECT_EQ(1.0f, read.bottomRight.y);
    EXPECT_EQ(-4.0f, read.offset.x);
    EXPECT_EQ(2.0f, read.offset.y);
    EXPECT_EQ(0.0f, read.furtherValues[0]);
    EXPECT_TRUE(read.furtherBytes.empty());
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(TexturePackTest, Version102FileHoldsValuesAndFurtherFrameFields) {
    TexturePackWriter::Texture walk = OneFrameTexture("walk", -12);
    walk.frames.emplace_back();
    walk.frames[0].furtherValues[0] = 1.5f;
    walk.frames[0].furtherValues[1] = -2.5f;
    walk.frames[0].furtherBytes = {1, 2, 3};
    walk.frames[1].atlasIndex = 1;
    WritePack(PackOf(102, {walk, OneFrameTexture("idle", 5)}));

    const auto pack = Load();
    const TexturePack::Texture& texture = pack->GetTexture("walk");
    EXPECT_EQ(-12, texture.value);
    ASSERT_EQ(2, pack->GetFrameCount("walk"));
    EXPECT_EQ(1.5f, texture.frames[0].furtherValues[0]);
    EXPECT_EQ(-2.5f, texture.frames[0].furtherValues[1]);
    EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3}), texture.frames[0].furtherBytes);
    EXPECT_EQ(1, texture.frames[1].atlasIndex) << "the frame after the byte block";
    EXPECT_EQ(5, pack->GetTexture("idle").value);
}

TEST_F(TexturePackTest, AnyVersionIsReadWithTheLayoutItBelongsTo) {
    WritePack(PackOf(100, {OneFrameTexture("old", 9)}));
    EXPECT_EQ(0, Load()->GetTexture("old").value);
    WritePack(PackOf(150, {OneFrameTexture("new", 9)}));
    EXPECT_EQ(9, Load()->GetTexture("new").value);
}

// --- lookups ---------------------------------------------------------------------------

TEST_F(TexturePackTest, NamesAreLookedUpInLowerCase) {
    WritePack(PackOf(102, {OneFrameTexture("zeta", 1), OneFrameTexture("Abc", 2), OneFrameTexture("beta", 3)}));
    const auto pack = Load();

    EXPECT_EQ(1, pack->GetTexture("ZETA").value);
    EXPECT_TRUE(TakeErrors().empty());

    // Stored with a capital letter: never found, however it is asked for. The fallback
    // is the name first in byte order, here that very texture.
    EXPECT_EQ(2, pack->GetTexture("Abc").value);
    EXPECT_EQ(2, pack->GetTexture("abc").value);
    EXPECT_EQ(1, pack->GetFrameCount("Abc"));
    EXPECT_THAT(TakeErrors(), ElementsAre("Texture pack \"packs\\ui.tpf\" is not contain \"Abc\" texture",
                                          "Texture pack \"packs\\ui.tpf\" is not contain \"abc\" texture",
                                          "Texture pack \"packs\\ui.tpf\" is not contain \"Abc\" texture"));
}

TEST_F(TexturePackTest, MissingNameGivesTheFirstTextureByteOrderAndOneFrame) {
    TexturePackWriter::Texture zeta = OneFrameTexture("zeta", 1);
    zeta.frames.resize(4);
    WritePack(PackOf(102, {zeta, OneFrameTexture("beta", 3)}));
    const auto pack = Load();

    EXPECT_EQ(3, pack->GetTexture("gamma").value);
    EXPECT_EQ(1, pack->GetFrameCount("gamma"));
    EXPECT_EQ(4, pack->GetFrameCount("zeta"));
    EXPECT_EQ(2u, TakeErrors().size());
}

// --- the default pack and the atlas shader ---------------------------------------------

TEST_F(TexturePackTest, DefaultPackHasOneWholeTextureFrameOverACopyOfTheShader) {
    const Vantor::ShaderDescriptor shader(true, false, "ui\\atlas", true);
    {
        TexturePack pack(shader);
        EXPECT_EQ(L"default", pack.GetPath());
        EXPECT_TRUE(pack.HasTextures());
        EXPECT_EQ(1, pack.GetFrameCount("default"));
        EXPECT_EQ(1, pack.GetFrameCount("DEFAULT"));
        const TexturePack::Frame& frame = pack.GetTexture("default").frames.at(0);
        EXPECT_EQ(0, frame.atlasIndex);
        EXPECT_EQ(0.0f, frame.topLeft.x);
        EXPECT_EQ(0.0f, frame.topLeft.y);
        EXPECT_EQ(1.0f, frame.bottomRight.x);
        EXPECT_EQ(1.0f, frame.bottomRight.y);
        EXPECT_EQ(0, pack.GetTexture("default").value);

        ASSERT_NE(nullptr, pack.GetShaderUser());
        EXPECT_TRUE(pack.GetShaderUser()->IsSame(shader));
        EXPECT_EQ(1u, shaders_->GetShaderUserCount());
        EXPECT_TRUE(TakeErrors().empty());
    }
    EXPECT_EQ(0u, shaders_->GetShaderUserCount()) << "the pack gave its shader user back";
}

TEST_F(TexturePackTest, AtlasShaderIsThePackPathWithTheShaderExtension) {
    WritePack(PackOf(102, {OneFrameTexture("abc")}));
    const auto pack = Load();
    ASSERT_EQ(1u, pack->GetShaderUser()->GetStageCount());
    EXPECT_EQ("packs\\ui_", pack->GetShaderUser()->GetStage(0).textureName);
    EXPECT_EQ(2u, pack->GetShaderUser()->GetShader()->GetFrameCount(0));
}

TEST_F(TexturePackTest, MissingAtlasShaderLeavesThePackOverTheDefaultMaterial) {
    std::filesystem::remove(home_.folder.Path() / "data/packs/ui.srf");
    WritePack(PackOf(102, {OneFrameTexture("abc")}));
    const auto pack = Load();
    EXPECT_EQ(0u, pack->GetShaderUser()->GetStageCount());
    EXPECT_EQ(1, pack->GetFrameCount("abc"));
    EXPECT_THAT(TakeErrors(), ElementsAre(HasSubstr("\"data\\packs\\ui.srf\"")));
}

// --- refused files ---------------------------------------------------------------------

TEST_F(TexturePackTest, RefusedFilesThrowTheirTextAsAPlainError) {
    struct Case {
        const char* what;
        TexturePackWriter::Pack pack;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"no textures", PackOf(102, {}), "TexturePack (\"packs\\ui.tpf\"): No textures in pack"},
        {"repeated name", PackOf(101, {OneFrameTexture("abc"), OneFrameTexture("abc")}),
         "TexturePack (\"packs\\ui.tpf \"): Texture \"abc\" is dublicated"},
    };
    for (const Case& c : cases) {
        WritePack(c.pack);
        EXPECT_EQ(c.error, LoadError()) << c.what;
    }
}

TEST_F(TexturePackTest, HeaderAndReadFailuresReachTheCreator) {
    EXPECT_EQ("Failed to open \"data\\packs\\ui.tpf\" file", LoadError());

    TexturePackWriter::Bytes bytes = TexturePackWriter::Build(PackOf(102, {OneFrameTexture("abc")}));
    bytes[4] = 'X';
    WriteBytes(bytes);
    EXPECT_EQ("Incorrect + \"data\\packs\\ui.tpf\" file format", LoadError());

    // A name whose length byte promises more than the file holds.
    bytes = TexturePackWriter::Build(PackOf(101, {OneFrameTexture("abc")}));
    bytes[17] = 200;
    WriteBytes(bytes);
    EXPECT_EQ("Failed to read 200 bytes from \"data\\packs\\ui.tpf\" file", LoadError());
}

TEST_F(TexturePackTest, CountsBeyondTheFileAreRefusedBeforeAnythingIsSized) {
    struct Case {
        const char* what;
        TexturePackWriter::Pack pack;
        std::string error;
    };
    const std::string prefix = "TexturePack (\"packs\\ui.tpf\"): Incorrect ";
    std::vector<Case> cases;
    auto add = [&](const char* what, std::int32_t version, auto change, const std::string& error) {
        TexturePackWriter::Pack pack = PackOf(version, {OneFrameTexture("abc")});
        change(pack.textures[0], pack);
        cases.push_back({what, pack, prefix + error});
    };
    using Texture = TexturePackWriter::Texture;
    using Pack = TexturePackWriter::Pack;
    add("negative texture count", 102, [](Texture&, Pack& p) { p.textureCount = -1; }, "texture count -1");
    add("huge texture count", 102, [](Texture&, Pack& p) { p.textureCount = 0x7FFFFFFF; },
        "texture count 2147483647");
    // The 13 bytes after the count hold one smallest texture of 102 (9 bytes), not two.
    add("one texture too many", 102,
        [](Texture& t, Pack& p) {
            t.frames.clear();
            p.textureCount = 2;
        },
        "texture count 2");
    add("negative frame count", 101, [](Texture& t, Pack&) { t.frameCount = -1; },
        "frame count of texture \"abc\" -1");
    add("huge frame count", 102, [](Texture& t, Pack&) { t.frameCount = 0x40000000; },
        "frame count of texture \"abc\" 1073741824");
    add("one frame too many", 101, [](Texture& t, Pack&) { t.frameCount = 2; }, "frame count of texture \"abc\" 2");
    add("negative byte count", 102, [](Texture& t, Pack&) { t.frames[0].byteCount = -5; },
        "byte count of a frame -5");
    add("byte count beyond the file", 102,
        [](Texture& t, Pack&) {
            t.frames[0].furtherBytes = {1, 2};
            t.frames[0].byteCount = 3;
        },
        "byte count of a frame 3");

    for (const Case& c : cases) {
        WritePack(c.pack);
        EXPECT_EQ(c.error, LoadError()) << c.what;
    }
}

TEST_F(TexturePackTest, FailedPackGivesItsShaderUserBack) {
    WritePack(PackOf(102, {}));
    EXPECT_THROW(Load(), Vantor::Error);
    EXPECT_EQ(0u, shaders_->GetShaderUserCount());

    WritePack(PackOf(102, {OneFrameTexture("abc")}));
    Load().reset();
    EXPECT_EQ(0u, shaders_->GetShaderUserCount());
}

}  // namespace
