// Loading queued resources: the preparation step (shuffle, texture-loading entries in
// front of each entry), the slices by percent, the extra steps of a derived keeper,
// everything at once, the 0.1 s budget on the virtual clock, and a loading screen's
// engine frames completing a list whose models are then drawn.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Random.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStage.h"
#include "platform/Clock.h"
#include "platform/DirectDrawSeams.h"
#include "tests/tools/DataKeeperTestSupport.h"
#include "tools/DataKeeper.h"
#include "tools/ResourceLoadEntry.h"

namespace {

using GameTools::DataKeeper;
using GameTools::ResourceLoadEntry;
using keepertest::OneExtraStepKeeper;

constexpr std::uint64_t kFrameMicroseconds = 150000;

class StepwiseLoadingTest : public keepertest::DataKeeperTest {
protected:
    // Queues keyed shaders without textures, "s0" on.
    static void QueueShaders(DataKeeper& keeper, int count) {
        for (int i = 0; i < count; ++i)
            keeper.RequestShader("s" + std::to_string(i), Vantor::ShaderDescriptor(), false, false, false);
    }

    // A model "ui\<name>.mdl" with its material of one texture, "ui\<name>.tga".
    void WriteTexturedModel(const std::string& name) const {
        const std::wstring path = L"ui\\" + std::wstring(name.begin(), name.end());
        WriteModel(path + L".mdl");
        WriteShader(path + L".srf", {"ui\\" + name}, true);
        WriteTexture(path + L".tga");
    }

    // One frame of a loading screen: the engine's frame around the keeper's Update.
    void LoadingFrame(DataKeeper& keeper) {
        platform::seam::AdvanceVirtualTime(kFrameMicroseconds);
        engine_->BeginFrame();
        keeper.Update();
        engine_->EndFrame();
    }

    static std::vector<std::string> Keys(const std::vector<ResourceLoadEntry*>& entries) {
        std::vector<std::string> keys;
        for (const ResourceLoadEntry* entry : entries) keys.push_back(entry->key);
        return keys;
    }
};

// --- steps -----------------------------------------------------------------------------

TEST_F(StepwiseLoadingTest, EachSliceCreatesTheQueueUpToItsPercent) {
    DataKeeper keeper;
    QueueShaders(keeper, 250);
    const std::uint32_t users = ShaderUserCount();
    keeper.Update();
    ASSERT_EQ(1, keeper.GetStep());
    EXPECT_EQ(users, ShaderUserCount()) << "the preparation creates nothing";
    // 250 / 100 x step, the fraction dropped: 2, then 5, 7, 10, ...
    for (int step = 1; step <= DataKeeper::kResourceSteps; ++step) {
        keeper.Update();
        ASSERT_EQ(step + 1, keeper.GetStep());
        EXPECT_EQ(users + static_cast<std::uint32_t>(250 * step / 100), ShaderUserCount()) << "step " << step;
    }
    EXPECT_FLOAT_EQ(101.0f / 102.0f, keeper.GetProgress());
}

TEST_F(StepwiseLoadingTest, AnEmptyQueueReachesStep101In101CallsThenRunsTheExtraStep) {
    OneExtraStepKeeper keeper;
    for (int call = 0; call < 101; ++call) keeper.Update();
    EXPECT_EQ(101, keeper.GetStep());
    EXPECT_FALSE(keeper.IsComplete());
    EXPECT_TRUE(keeper.askedSteps.empty()) << "finished resource steps ask for no extra work";
    keeper.Update();
    EXPECT_EQ(std::vector<int>{101}, keeper.askedSteps);
    EXPECT_TRUE(keeper.IsComplete());
    EXPECT_FLOAT_EQ(1.0f, keeper.GetProgress());
}

TEST_F(StepwiseLoadingTest, AKeeperWithoutExtraWorkNeverCompletes) {
    DataKeeper keeper;
    for (int call = 0; call < 120; ++call) keeper.Update();
    EXPECT_EQ(101, keeper.GetStep());
    EXPECT_FLOAT_EQ(101.0f / 102.0f, keeper.GetProgress());
}

TEST_F(StepwiseLoadingTest, StepsOutsideTheSlicesChangeNothing) {
    DataKeeper keeper;
    QueueShaders(keeper, 3);
    keeper.Update();
    const std::uint32_t users = ShaderUserCount();
    EXPECT_FALSE(keeper.LoadStep(0));
    EXPECT_FALSE(keeper.LoadStep(101));
    EXPECT_EQ(users, ShaderUserCount());
    EXPECT_EQ(1, keeper.GetStep());
    EXPECT_FALSE(keeper.PrepareShaders()) << "the preparation runs at step 0 only";
    EXPECT_EQ(3u, keeper.GetPendingEntries().size());
}

// --- the preparation -------------------------------------------------------------------

TEST_F(StepwiseLoadingTest, TheQueueIsShuffledWithTheKernelsGenerator) {
    DataKeeper keeper;
    QueueShaders(keeper, 8);
    std::vector<std::string> expected = Keys(keeper.GetPendingEntries());
    Vantor::SeedRandom(99);
    Vantor::RandomShuffle(expected);
    Vantor::SeedRandom(99);
    keeper.Update();
    EXPECT_EQ(expected, Keys(keeper.GetPendingEntries()));
}

TEST_F(StepwiseLoadingTest, EachStageTextureGetsALoadingEntryBeforeItsResource) {
    WriteModel(L"ui\\m.mdl");
    WriteShader(L"ui\\m.srf", {"ui\\a", "ui\\b"}, false);
    WriteTexture(L"ui\\a.tga");
    WriteTexture(L"ui\\b.tga");
    DataKeeper keeper;
    keeper.RequestModel("ui/m", L"ui\\m.mdl", true, false, 0.0f, true, false, false);
    keeper.Update();

    const std::vector<ResourceLoadEntry*>& queue = keeper.GetPendingEntries();
    EXPECT_EQ((std::vector<std::string>{"temp_loading_0_0_0", "temp_loading_0_1_0", "ui/m"}), Keys(queue));
    const char* textures[] = {"ui\\a", "ui\\b"};
    for (int i = 0; i < 2; ++i) {
        const ResourceLoadEntry& entry = *queue.at(i);
        EXPECT_EQ(ResourceLoadEntry::kShader, entry.kind);
        EXPECT_TRUE(entry.keyless);
        EXPECT_TRUE(entry.temporaryTextures) << "the resource's flag";
        const Vantor::ShaderDescriptor& shader = *entry.descriptor;
        EXPECT_FALSE(shader.GetFlags() & Vantor::ShaderDescriptor::kBlending);
        ASSERT_EQ(1u, shader.GetStageCount());
        const Vantor::ShaderStage& stage = shader.GetStage(0);
        EXPECT_EQ(textures[i], stage.textureName);
        EXPECT_EQ(Vantor::ShaderStage::kSingleTexture, stage.kind);
        EXPECT_FALSE(stage.flags & Vantor::ShaderStage::kMipMaps) << "the first stage's mip-map flag";
        EXPECT_EQ(Vantor::ShaderStage::kClamp, stage.addressU);
    }
    // Loading keeps the texture users without a key, and the model by its key.
    for (int step = 1; step <= DataKeeper::kResourceSteps; ++step) keeper.Update();
    EXPECT_TRUE(keeper.HasModel("ui/m"));
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(StepwiseLoadingTest, OnlyResourcesWithTexturesGetLoadingEntries) {
    WriteFile(L"data\\fx\\broken.srf", "VTSRF but broken");
    DataKeeper keeper;
    keeper.RequestShader("frames", Vantor::ShaderDescriptor(false, true, 2, 1, 1, 3, 0.0f, "ui\\f", true), false,
                         false, false);
    keeper.RequestShader("plain", Vantor::ShaderDescriptor(), false, false, false);
    keeper.RequestParticleSystem("nofile", L"fx\\none.psf", false, false, false);  // no "srf" beside it
    keeper.RequestTexturePack("broken", L"fx\\broken.tpf", false, false, false);   // an unreadable "srf"
    keeper.Update();

    // Each resource follows the entries of its own textures, numbered by its place.
    std::vector<std::string> texturesBefore;
    std::size_t place = 0;
    for (const ResourceLoadEntry* entry : keeper.GetPendingEntries()) {
        if (entry->keyless) {
            texturesBefore.push_back(entry->key);
            continue;
        }
        const std::string prefix = "temp_loading_" + std::to_string(place) + "_0_";
        const std::vector<std::string> expected =
            entry->key == "frames" ? std::vector<std::string>{prefix + "0", prefix + "1", prefix + "2"}
                                   : std::vector<std::string>{};
        EXPECT_EQ(expected, texturesBefore) << entry->key;
        texturesBefore.clear();
        ++place;
    }
    EXPECT_EQ(4u, place);
}

// --- everything at once ----------------------------------------------------------------

TEST_F(StepwiseLoadingTest, LoadAllCreatesInReadingOrderWithoutPreparation) {
    WriteModel(L"ui\\x.mdl");
    WriteModel(L"ui\\y.mdl");
    WriteTexturedModel("t");
    WriteShader(L"ui\\x.srf", {}, false);
    WriteShader(L"ui\\y.srf", {}, false);
    WriteList(L"data\\ui\\list.xml",
              "<model name=\"a\" file_name=\"x.mdl\"/><model name=\"t\" file_name=\"t.mdl\"/>"
              "<model name=\"a\" file_name=\"y.mdl\"/>");
    OneExtraStepKeeper keeper;
    keeper.LoadResourceList(L"data\\ui\\list.xml", false);
    keeper.LoadAll();

    EXPECT_EQ(L"ui\\x.mdl", keeper.GetModel("a")->GetName()) << "the first in the list keeps the key";
    EXPECT_EQ(std::vector<std::string>{"(DataKeeper::AddModel): Model \"a\" is duplicated"}, TakeErrors());
    EXPECT_EQ(3u, keeper.GetPendingEntries().size()) << "no texture-loading entries";
    EXPECT_EQ(std::vector<int>{DataKeeper::kAllExtraSteps}, keeper.askedSteps);
    EXPECT_EQ(keeper.GetExtraStepCount() + DataKeeper::kResourceSteps, keeper.GetStep());
    EXPECT_FLOAT_EQ(1.0f, keeper.GetProgress());
}

// --- the time budget -------------------------------------------------------------------

// With every clock reading 0.2 s later than the last, each entry overruns the budget:
// every call handles exactly one entry, and a cut step goes on where it stopped.
TEST_F(StepwiseLoadingTest, AStepCutByTheBudgetGoesOnInTheNextCall) {
    DataKeeper keeper;
    QueueShaders(keeper, 4);
    platform::seam::SetVirtualTimeStepPerReading(200000);
    for (int call = 1; call <= 3; ++call) {
        keeper.Update();
        EXPECT_EQ(0, keeper.GetStep()) << "preparation cut after " << call << " entries";
    }
    keeper.Update();
    ASSERT_EQ(1, keeper.GetStep());

    const std::uint32_t users = ShaderUserCount();
    for (std::uint32_t call = 1; call <= 4; ++call) {
        EXPECT_EQ(call == 4, keeper.LoadStep(100));
        EXPECT_EQ(users + call, ShaderUserCount());
    }
}

// --- a loading screen ------------------------------------------------------------------

// Once the queue is prepared, each clock reading comes 110 ms after the last: every
// slice overruns the budget with its first entry, so those of two entries are cut.
TEST_F(StepwiseLoadingTest, EngineFramesCompleteAQueuedListWhoseModelsThenDraw) {
    const std::vector<std::string> names = {"m0", "m1", "m2"};
    std::string elements = "<ui>";
    for (const std::string& name : names) {
        WriteTexturedModel(name);
        elements += "<model name=\"" + name + "\" file_name=\"" + name + ".mdl\"/>";
    }
    for (int i = 0; i < 107; ++i) elements += "<shader name=\"s" + std::to_string(i) + "\"/>";
    WriteList(L"data\\ui\\list.xml", elements + "</ui>");
    OneExtraStepKeeper keeper;
    keeper.LoadResourceList(L"data\\ui\\list.xml", false);
    LoadingFrame(keeper);
    ASSERT_EQ(1, keeper.GetStep());
    EXPECT_EQ(113u, keeper.GetPendingEntries().size()) << "with one texture entry per model";
    platform::seam::SetVirtualTimeStepPerReading(110000);

    int frames = 1;
    int cutSlices = 0;
    while (!keeper.IsComplete() && frames < 1000) {
        const int step = keeper.GetStep();
        const std::uint32_t users = ShaderUserCount();
        LoadingFrame(keeper);
        ++frames;
        if (step < 1 || step > DataKeeper::kResourceSteps || keeper.GetStep() != step) continue;
        // A slice cut by the budget has still made at least one resource, and goes on
        // in the next frame.
        EXPECT_GT(ShaderUserCount(), users) << "frame " << frames;
        ++cutSlices;
    }
    ASSERT_TRUE(keeper.IsComplete());
    EXPECT_EQ(13, cutSlices) << "one for each slice of two";
    EXPECT_EQ(102 + cutSlices, frames);
    EXPECT_TRUE(TakeErrors().empty());
    platform::seam::SetVirtualTimeStepPerReading(0);

    Vantor::ModelManager& models = *Vantor::ModelManager::Instance();
    for (std::size_t i = 0; i < names.size(); ++i) {
        Vantor::Model* instance = models.CreateModelInstance(*keeper.GetModel("ui/" + names[i]), nullptr, 0);
        instance->SetWorldMatrix(Vantor::Matrix4::Translation({static_cast<float>(i) - 1.0f, 0, -10}));
    }
    Frame(*engine_);
    EXPECT_EQ(names.size(), models.GetDrawnModelCount());
}

}  // namespace
