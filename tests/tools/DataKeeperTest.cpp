// The data keeper's store: lookups by case-sensitive key with a logged default for a
// missing key, additions that refuse a taken key, objects kept without a key, and
// everything given back when the keeper goes, shader users through the shader manager.

#include "tools/DataKeeper.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "content/TexturePackWriter.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroupManager.h"
#include "tests/tools/DataKeeperTestSupport.h"
#include "tools/TexturePack.h"

namespace {

using GameTools::DataKeeper;
using Strings = std::vector<std::string>;

class DataKeeperStoreTest : public keepertest::DataKeeperTest {
protected:
    static Vantor::Model* NewBox() {
        return Vantor::ModelManager::Instance()->CreateBoxModel({0, 0, 0}, {1, 1, 1}, nullptr, nullptr, 0);
    }
    static Vantor::ShaderUser* NewShaderUser() {
        return Vantor::ShaderManager::Instance()->GetShader(Vantor::ShaderDescriptor(true, true, "", true), false);
    }
    static Vantor::ParticleSystem* NewParticleSystem() {
        return Vantor::ParticleSystemManager::Instance()->CreateParticleSystem(nullptr);
    }
    void WritePack(const std::wstring& path) const {
        Content::TexturePackWriter::Pack pack;
        pack.textures.emplace_back().name = "abc";
        pack.textures.back().frames.emplace_back();
        WriteBytes(L"data\\" + path, Content::TexturePackWriter::Build(pack));
        std::wstring atlas = path;
        Vantor::FileManager::ChangeExtension(atlas, L"srf");
        WriteShader(atlas, {}, false);
    }
};

// --- lookups ---------------------------------------------------------------------------

TEST_F(DataKeeperStoreTest, MissingKeysLogTheirLineAndGiveTheSameDefaultEveryTime) {
    DataKeeper keeper;
    struct Lookup {
        std::function<const void*()> get;
        std::string message;
    };
    const std::vector<Lookup> lookups = {
        {[&] { return keeper.GetShaderUser("ui/none"); }, "(DataKeeper::GetShaderUser): There is no \"ui/none\" resource"},
        {[&] { return keeper.GetModel("ui/none"); }, "(DataKeeper::GetModel): There is no \"ui/none\" resource"},
        {[&] { return keeper.GetParticleSystem("ui/none"); },
         "(DataKeeper::GetParticleSystem): There is no \"ui/none\" resource"},
    };
    for (const Lookup& lookup : lookups) {
        const void* first = lookup.get();
        ASSERT_NE(nullptr, first);
        EXPECT_EQ(first, lookup.get());
        EXPECT_EQ((Strings{lookup.message, lookup.message}), TakeErrors());
    }
    // The default model is the box from (-1, -1, -1) to (1, 1, 1), never drawn itself.
    const Vantor::Model* box = keeper.GetModel("none");
    EXPECT_EQ(L"box", box->GetName());
    EXPECT_EQ(-1.0f, box->GetBoundingBox().localMin.x);
    EXPECT_EQ(1.0f, box->GetBoundingBox().localMax.z);
    EXPECT_FALSE(keeper.GetParticleSystem("none")->IsVisible());
    EXPECT_EQ(0u, keeper.GetShaderUser("none")->GetStageCount());
}

TEST_F(DataKeeperStoreTest, HasModelAnswersWithoutALogLine) {
    DataKeeper keeper;
    Vantor::Model* model = NewBox();
    keeper.AddModel("ui/cursor", model);
    EXPECT_TRUE(keeper.HasModel("ui/cursor"));
    EXPECT_FALSE(keeper.HasModel("ui/none"));
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(DataKeeperStoreTest, KeysAreCaseSensitive) {
    DataKeeper keeper;
    Vantor::Model* upper = NewBox();
    Vantor::Model* lower = NewBox();
    keeper.AddModel("ui/Cursor", upper);
    keeper.AddModel("ui/cursor", lower);
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_EQ(upper, keeper.GetModel("ui/Cursor"));
    EXPECT_EQ(lower, keeper.GetModel("ui/cursor"));
    EXPECT_FALSE(keeper.HasModel("UI/CURSOR"));
}

// --- additions -------------------------------------------------------------------------

TEST_F(DataKeeperStoreTest, AddingATakenKeyKeepsTheFirstAndLeavesTheSecondToTheCaller) {
    DataKeeper keeper;
    Vantor::Model* first = NewBox();
    Vantor::Model* second = NewBox();
    keeper.AddModel("ui/a", first);
    keeper.AddModel("ui/a", second);
    EXPECT_EQ((Strings{"(DataKeeper::AddModel): Model \"ui/a\" is duplicated"}), TakeErrors());
    EXPECT_EQ(first, keeper.GetModel("ui/a"));
    delete second;  // still the caller's
}

TEST_F(DataKeeperStoreTest, EveryKindNamesItsOperationInTheDuplicateLine) {
    WritePack(L"ui\\p.tpf");
    DataKeeper keeper;
    Vantor::ShaderUser* user = NewShaderUser();
    Vantor::ShaderUser* secondUser = NewShaderUser();
    keeper.AddShaderUser("k", user);
    keeper.AddShaderUser("k", secondUser);
    Vantor::ParticleSystem* system = NewParticleSystem();
    Vantor::ParticleSystem* secondSystem = NewParticleSystem();
    keeper.AddParticleSystem("k", system);
    keeper.AddParticleSystem("k", secondSystem);
    auto* pack = new GameTools::TexturePack(L"ui\\p.tpf", false);
    auto* secondPack = new GameTools::TexturePack(L"ui\\p.tpf", false);
    keeper.AddTexturePack("k", pack);
    keeper.AddTexturePack("k", secondPack);
    EXPECT_EQ((Strings{"(DataKeeper::AddShaderUser): Shader User \"k\" is duplicated",
                       "(DataKeeper::AddParticleSystem): Particle System \"k\" is duplicated",
                       "(DataKeeper::AddTexturePack): Texture Pack \"k\" is duplicated"}),
              TakeErrors());
    EXPECT_EQ(user, keeper.GetShaderUser("k"));
    EXPECT_EQ(system, keeper.GetParticleSystem("k"));
    Vantor::ShaderManager::Instance()->ReleaseShader(secondUser);
    delete secondSystem;
    delete secondPack;
}

TEST_F(DataKeeperStoreTest, NullObjectsAreIgnoredSilently) {
    DataKeeper keeper;
    keeper.AddModel("ui/a", nullptr);
    keeper.AddShaderUser("ui/a", nullptr);
    keeper.AddParticleSystem("ui/a", nullptr);
    keeper.AddTexturePack("ui/a", nullptr);
    keeper.KeepModel(nullptr);
    keeper.KeepShaderUser(nullptr);
    keeper.KeepParticleSystem(nullptr);
    keeper.KeepTexturePack(nullptr);
    EXPECT_FALSE(keeper.HasModel("ui/a"));
    EXPECT_TRUE(TakeErrors().empty());
    // A later object may still take the key.
    Vantor::Model* model = NewBox();
    keeper.AddModel("ui/a", model);
    EXPECT_EQ(model, keeper.GetModel("ui/a"));
}

// --- ownership -------------------------------------------------------------------------

TEST_F(DataKeeperStoreTest, DestroyingTheKeeperGivesBackEverythingItHolds) {
    WritePack(L"ui\\p.tpf");
    const std::uint32_t users = ShaderUserCount();
    const std::uint32_t shaders = Vantor::ShaderManager::Instance()->GetShaderCount();
    const std::uint32_t spriteGroups = Vantor::SpriteGroupManager::Instance()->GetRegisteredCount();
    {
        DataKeeper keeper;
        keeper.AddShaderUser("a", NewShaderUser());
        keeper.KeepShaderUser(NewShaderUser());
        keeper.AddModel("a", NewBox());
        keeper.KeepModel(NewBox());
        keeper.AddParticleSystem("a", NewParticleSystem());
        keeper.KeepParticleSystem(NewParticleSystem());
        keeper.AddTexturePack("a", new GameTools::TexturePack(L"ui\\p.tpf", false));
        keeper.KeepTexturePack(new GameTools::TexturePack(L"ui\\p.tpf", false));
        EXPECT_LT(users, ShaderUserCount());
    }
    EXPECT_EQ(users, ShaderUserCount());
    EXPECT_EQ(shaders, Vantor::ShaderManager::Instance()->GetShaderCount());
    EXPECT_EQ(spriteGroups, Vantor::SpriteGroupManager::Instance()->GetRegisteredCount());
    EXPECT_TRUE(TakeErrors().empty());
}

// A request whose key is taken gives back what it made (LeakSanitizer watches the rest):
// every kind's object holds a shader user, so the shader manager's count shows a leak.
TEST_F(DataKeeperStoreTest, ARequestForATakenKeyReleasesWhatItMade) {
    WriteModel(L"ui\\m.mdl");
    WriteShader(L"ui\\m.srf", {}, false);
    WriteParticles(L"ui\\p.psf");
    WritePack(L"ui\\p.tpf");  // with "ui\p.srf", the particles' material too
    DataKeeper keeper;
    const std::vector<std::function<void()>> requests = {
        [&] { keeper.RequestShader("k", Vantor::ShaderDescriptor(true, true, "", true), false, true, false); },
        [&] { keeper.RequestModel("k", L"ui\\m.mdl", true, false, 0.0f, false, true, false); },
        [&] { keeper.RequestParticleSystem("k", L"ui\\p.psf", false, true, false); },
        [&] { keeper.RequestTexturePack("k", L"ui\\p.tpf", false, true, false); },
    };
    for (const auto& request : requests) {
        request();
        const std::uint32_t users = ShaderUserCount();
        request();
        EXPECT_EQ(users, ShaderUserCount());
        EXPECT_EQ(1u, TakeErrors().size());
    }
}

}  // namespace
