// Resource lists: keys from the group elements, file paths joined to the list's folder
// below the data folder, the attributes with their defaults, lists read at once or
// queued, and lists that cannot be read ending the program.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/FatalError.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStage.h"
#include "engine/render/ShaderUser.h"
#include "tests/tools/DataKeeperTestSupport.h"
#include "tools/DataKeeper.h"
#include "tools/ResourceLoadEntry.h"

namespace {

using GameTools::DataKeeper;
using GameTools::ResourceLoadEntry;

class ResourceListTest : public keepertest::DataKeeperTest {
protected:
    void SetUp() override {
        DataKeeperTest::SetUp();
        keeper_ = std::make_unique<DataKeeper>();
    }
    void TearDown() override {
        keeper_.reset();
        DataKeeperTest::TearDown();
    }

    // The queue after reading the list, in reading order.
    const std::vector<ResourceLoadEntry*>& Queue(const std::wstring& path, const std::string& elements) {
        WriteList(path, elements);
        keeper_->LoadResourceList(path, false);
        return keeper_->GetPendingEntries();
    }
    // The one entry the element queues in "data\ui\x.xml".
    const ResourceLoadEntry& QueueOne(const std::string& element) {
        const auto& queue = Queue(L"data\\ui\\x.xml", element);
        EXPECT_EQ(1u, queue.size());
        return *queue.at(0);
    }
    // The first stage of the shader the element queues.
    const Vantor::ShaderStage& QueuedStage(const std::string& element) {
        const ResourceLoadEntry& entry = QueueOne(element);
        EXPECT_EQ(ResourceLoadEntry::kShader, entry.kind);
        return entry.descriptor->GetStage(0);
    }

    // What a loading window sees if it reads a list that is not there or not XML.
    std::string FatalTextOf(const std::wstring& path) {
        try {
            keeper_->LoadResourceList(path, false);
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(std::vector<std::string>{error.GetText()}, Fatals());
            return error.GetText();
        }
        ADD_FAILURE() << "no fatal error";
        return "";
    }

    std::unique_ptr<DataKeeper> keeper_;
};

// --- keys and paths --------------------------------------------------------------------

TEST_F(ResourceListTest, KeysComeFromGroupElementsAndPathsFromTheListsFolder) {
    const auto& queue = Queue(L"data\\ui\\x.xml",
                              "<ui><model name=\"a\" file_name=\"m.mdl\"/></ui>\n"
                              "<group><shader name=\"s\"/></group>\n"
                              "<model><particles name=\"p\" file_name=\"..\\fx\\p.psf\"/></model>\n"
                              "<texture_pack name=\"t\"/>\n"
                              "<sound name=\"x\"><model name=\"inside\"/></sound>\n"
                              "<model name=\"\"><model name=\"b\" file_name=\"deep\\b.mdl\"/></model>");
    struct Expected {
        ResourceLoadEntry::Kind kind;
        std::string key;
        std::wstring path;
    };
    const std::vector<Expected> expected = {
        {ResourceLoadEntry::kModel, "ui/a", L"ui\\m.mdl"},
        {ResourceLoadEntry::kShader, "group/s", L""},
        {ResourceLoadEntry::kParticleSystem, "model/p", L"fx\\p.psf"},
        {ResourceLoadEntry::kTexturePack, "t", L"ui\\unknown_file_name"},
        {ResourceLoadEntry::kModel, "model/b", L"ui\\deep\\b.mdl"},
    };
    ASSERT_EQ(expected.size(), queue.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].kind, queue[i]->kind) << i;
        EXPECT_EQ(expected[i].key, queue[i]->key) << i;
        EXPECT_EQ(expected[i].path, queue[i]->path) << i;
        EXPECT_FALSE(queue[i]->keyless) << i;
    }
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(ResourceListTest, TheListsFolderIsWhatFollowsTheFirstDataFolder) {
    struct Case {
        std::wstring list;
        std::wstring path;
    };
    const std::vector<Case> cases = {
        {L"data\\ui\\x.xml", L"ui\\m.mdl"},
        {L"data\\levels\\day1\\x.xml", L"levels\\day1\\m.mdl"},
        {L"data\\x.xml", L"m.mdl"},  // right in the data folder
        {L"extra\\x.xml", L"extra\\m.mdl"},  // no data folder: the list's own folder
    };
    for (const Case& test : cases) {
        DataKeeper keeper;
        WriteList(test.list, "<model name=\"a\" file_name=\"m.mdl\"/>");
        keeper.LoadResourceList(test.list, false);
        ASSERT_EQ(1u, keeper.GetPendingEntries().size());
        EXPECT_EQ(test.path, keeper.GetPendingEntries()[0]->path);
    }
}

// --- attributes ------------------------------------------------------------------------

TEST_F(ResourceListTest, ModelAttributesAndTheirDefaults) {
    const ResourceLoadEntry& plain = QueueOne("<model name=\"a\"/>");
    EXPECT_EQ(L"ui\\unknown_file_name", plain.path);
    EXPECT_TRUE(plain.colourVertices);
    EXPECT_FALSE(plain.hasSpeed);
    EXPECT_FALSE(plain.temporaryTextures);

    DataKeeper keeper;
    WriteList(L"data\\ui\\y.xml",
              "<model name=\"b\" file_name=\"b.mdl\" color_verticies=\"0\" animation_speed=\"12.5\" "
              "temporary_textures=\"1\"/>");
    keeper.LoadResourceList(L"data\\ui\\y.xml", false);
    const ResourceLoadEntry& set = *keeper.GetPendingEntries().at(0);
    EXPECT_FALSE(set.colourVertices);
    EXPECT_TRUE(set.hasSpeed);
    EXPECT_EQ(12.5f, set.speed);
    EXPECT_TRUE(set.temporaryTextures);
}

TEST_F(ResourceListTest, ShaderDefaultsAreMipMappedClampedSingleTextures) {
    const ResourceLoadEntry& entry = QueueOne("<shader name=\"s\" texture_name=\"Pics\\Tile\"/>");
    const Vantor::ShaderDescriptor& shader = *entry.descriptor;
    EXPECT_FALSE(shader.GetFlags() & Vantor::ShaderDescriptor::kBlending);
    ASSERT_EQ(1u, shader.GetStageCount());
    const Vantor::ShaderStage& stage = shader.GetStage(0);
    EXPECT_EQ(Vantor::ShaderStage::kSingleTexture, stage.kind);
    EXPECT_TRUE(stage.flags & Vantor::ShaderStage::kMipMaps);
    EXPECT_EQ(Vantor::ShaderStage::kClamp, stage.addressU);
    EXPECT_EQ("ui\\pics\\tile", stage.textureName);
    EXPECT_FALSE(entry.temporaryTextures);
}

TEST_F(ResourceListTest, ShaderAttributesSetTheStage) {
    const ResourceLoadEntry& entry = QueueOne(
        "<shader name=\"s\" texture_name=\"fire\" alpha_blend=\"1\" mip_map=\"0\" clamp=\"0\" animation_type=\"net\" "
        "net_size=\"4 2\" frame_count=\"8\" animation_speed=\"15\" temporary_textures=\"1\"/>");
    EXPECT_TRUE(entry.descriptor->GetFlags() & Vantor::ShaderDescriptor::kBlending);
    const Vantor::ShaderStage& stage = entry.descriptor->GetStage(0);
    EXPECT_EQ(Vantor::ShaderStage::kGridSheet, stage.kind);
    EXPECT_EQ(4, stage.columns);
    EXPECT_EQ(2, stage.rows);
    EXPECT_EQ(8, stage.frames);
    EXPECT_EQ(15.0f, stage.speed);
    EXPECT_FALSE(stage.flags & Vantor::ShaderStage::kMipMaps);
    EXPECT_NE(Vantor::ShaderStage::kClamp, stage.addressU);
    EXPECT_TRUE(entry.temporaryTextures);
}

TEST_F(ResourceListTest, AnimationTypesNameTheStageKind) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"net", Vantor::ShaderStage::kGridSheet},
        {"list", Vantor::ShaderStage::kNumberedFiles},
        {"grid", Vantor::ShaderStage::kSingleTexture},
        {"LIST", Vantor::ShaderStage::kSingleTexture},
    };
    for (const auto& [type, kind] : cases) {
        DataKeeper keeper;
        WriteList(L"data\\ui\\x.xml", "<shader name=\"s\" texture_name=\"t\" animation_type=\"" + type + "\"/>");
        keeper.LoadResourceList(L"data\\ui\\x.xml", false);
        EXPECT_EQ(kind, keeper.GetPendingEntries().at(0)->descriptor->GetStage(0).kind) << type;
    }
}

// Each numbered file is a texture to load: a list may not name more than a shader file.
TEST_F(ResourceListTest, NumberedFilesAreLimitedLikeThoseOfShaderFiles) {
    const Vantor::ShaderStage& stage =
        QueuedStage("<shader name=\"s\" texture_name=\"f\" animation_type=\"list\" frame_count=\"2000000000\"/>");
    EXPECT_EQ(10000, stage.frames);
    EXPECT_EQ(std::vector<std::string>{"(DataKeeper::ReadResourceNode): Shader \"s\" has 2000000000 numbered files, "
                                       "at most 10000"},
              TakeErrors());
}

// --- now or queued ---------------------------------------------------------------------

TEST_F(ResourceListTest, AListReadNowCreatesEverythingAndQueuesNothing) {
    WriteModel(L"ui\\m.mdl");
    WriteShader(L"ui\\m.srf", {}, false);
    WriteList(L"data\\ui\\x.xml",
              "<ui><model name=\"a\" file_name=\"m.mdl\" animation_speed=\"7\"/><shader name=\"s\"/></ui>");
    keeper_->LoadResourceList(L"data\\ui\\x.xml", true);
    EXPECT_TRUE(keeper_->GetPendingEntries().empty());
    ASSERT_TRUE(keeper_->HasModel("ui/a"));
    EXPECT_EQ(L"ui\\m.mdl", keeper_->GetModel("ui/a")->GetName());
    EXPECT_EQ(7.0f, keeper_->GetModel("ui/a")->GetAnimationControl()->GetSpeed());
    EXPECT_TRUE(keeper_->GetModel("ui/a")->GetFlags() & Vantor::ModelFlags::kVertexColours);
    keeper_->GetShaderUser("ui/s");
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(ResourceListTest, ADuplicateKeyInAListKeepsTheFirstResource) {
    WriteList(L"data\\ui\\x.xml", "<shader name=\"s\" alpha_blend=\"1\"/><shader name=\"s\"/>");
    keeper_->LoadResourceList(L"data\\ui\\x.xml", true);
    EXPECT_EQ(std::vector<std::string>{"(DataKeeper::AddShaderUser): Shader User \"s\" is duplicated"}, TakeErrors());
    EXPECT_TRUE(keeper_->GetShaderUser("s")->GetFlags() & Vantor::ShaderDescriptor::kBlending);
}

// --- lists that cannot be read ---------------------------------------------------------

TEST_F(ResourceListTest, AMissingListIsFatalWithTheFileErrorsText) {
    EXPECT_EQ("Failed to open \"data\\ui\\none.xml\" file", FatalTextOf(L"data\\ui\\none.xml"));
}

TEST_F(ResourceListTest, AMalformedListIsFatalWithTheFormatError) {
    WriteFile(L"data\\ui\\bad.xml", "<resources>\n<model name=\"a\">\n</resources>\n");
    EXPECT_EQ(0u, FatalTextOf(L"data\\ui\\bad.xml").rfind("XML format error at line 3", 0));
}

}  // namespace
