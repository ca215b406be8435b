// The particle decoration: which path models it finds, emitters that follow their path
// shifted by the offset at the reference window's depth, and the two ways to stop.

#include "game/screens/GUIParticlesEffect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ParticleSystem.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using Morvane::GUIParticlesEffect;

class GUIParticlesEffectTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        MakeGame();
        dialogueart::AddSparkles(*data_, "sparkles");
        reference_ = Vantor::GUIManager::Instance()->CreateWindow(0, {0.0f, 0.0f}, {1.0f, 1.0f}, nullptr, nullptr,
                                                                  nullptr);
    }
    void TearDown() override {
        frameStep = nullptr;
        effect_.reset();
        ScreenTestBench::TearDown();
    }

    // A path of ten frames (one second) from (100, 100) to (280, 280), its box 20 wide.
    void AddPath(const std::string& name) {
        dialogueart::AddMovingQuad(*data_, name, {100.0f, 100.0f}, {280.0f, 280.0f}, {20.0f, 20.0f}, 10);
    }
    GUIParticlesEffect& Make(const std::string& model) {
        effect_ = std::make_unique<GUIParticlesEffect>(data_.get(), "ui/" + model, "sparkles",
                                                       Vantor::Vector2{5.0f, -5.0f}, 10.0f, *reference_, -2.0f);
        frameStep = [this] { effect_->Update(); };
        return *effect_;
    }
    static std::wstring PathName(const Vantor::Model* path) {
        const std::wstring& name = path->GetName();
        return name.substr(name.find_last_of(L"\\/") + 1);
    }

    Vantor::GUIWindow* reference_ = nullptr;
    std::unique_ptr<GUIParticlesEffect> effect_;
};

TEST_F(GUIParticlesEffectTest, ThePathsAreTheNameItselfThenTheNumberedOnesUpToTheFirstMissing) {
    struct Case {
        std::vector<std::string> models;
        std::vector<std::wstring> paths;
    };
    const Case cases[] = {
        {{"glow", "glow_0", "glow_2"}, {L"glow.mdl", L"glow_0.mdl"}},
        {{"trail_0"}, {L"trail_0.mdl"}},
        {{"bar_0", "bar_1", "bar_2"}, {L"bar_0.mdl", L"bar_1.mdl", L"bar_2.mdl"}},
    };
    for (const Case& c : cases) {
        for (const std::string& model : c.models) AddPath(model);
        const std::string name = c.models.front().substr(0, c.models.front().find('_'));
        GUIParticlesEffect& effect = Make(name);
        std::vector<std::wstring> paths;
        for (const Vantor::Model* path : effect.GetPaths()) paths.push_back(PathName(path));
        EXPECT_EQ(paths, c.paths) << name;
        EXPECT_EQ(effect.GetEmitters().size(), c.paths.size()) << name;
    }
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUIParticlesEffectTest, WithoutAnyPathModelEveryOperationIsHarmless) {
    GUIParticlesEffect& effect = Make("nothing");
    EXPECT_TRUE(effect.GetPaths().empty());
    EXPECT_TRUE(effect.GetEmitters().empty());
    EXPECT_FALSE(effect.IsActive());
    effect.Start();
    Frames(3);
    effect.Stop(false);
    effect.Stop(true);
    Frame();
    EXPECT_FALSE(effect.IsActive());
    EXPECT_TRUE(TakeErrors().empty()) << "not even the particle system is looked up";
}

TEST_F(GUIParticlesEffectTest, EmittersFollowTheirPathShiftedByTheOffsetOnTheGuiCamera) {
    AddPath("glow");
    GUIParticlesEffect& effect = Make("glow");
    const Vantor::ParticleSystem& emitter = *effect.GetEmitters().front();
    const Vantor::Model& batch = *emitter.GetModel();
    EXPECT_EQ(batch.GetCamera(), Vantor::GUIManager::Instance()->GetCamera());
    EXPECT_TRUE(batch.GetFlags() & Vantor::ModelFlags::kFixedDepth);
    EXPECT_FLOAT_EQ(batch.GetDepth(), reference_->GetDepth() - 2.0f);
    EXPECT_TRUE(emitter.IsVisible());
    EXPECT_FALSE(effect.IsActive()) << "a copy of the effect emits once started";

    effect.Start();
    EXPECT_TRUE(effect.IsActive());
    // Half a second in: frame 5 of 0..9, its box at 100 + 180 * 5 / 9.
    RunFor(0.5f);
    const float corner = 100.0f + 180.0f * 5.0f / 9.0f;
    EXPECT_NEAR(emitter.GetPosition().x, corner + 10.0f + 5.0f, 2.0f);
    EXPECT_NEAR(emitter.GetPosition().y, corner + 10.0f - 5.0f, 2.0f);
    const auto live = std::count_if(emitter.GetParticles().begin(), emitter.GetParticles().end(),
                                    [](const Vantor::Particle& particle) { return !particle.dead; });
    EXPECT_GT(live, 0);

    RunFor(1.0f);
    EXPECT_TRUE(effect.IsActive()) << "the path loops";
}

TEST_F(GUIParticlesEffectTest, StopNowCutsTheEmissionAtOnceAndStopAtTheEndLetsEachPathFinishFirst) {
    AddPath("glow");
    AddPath("glow_0");
    GUIParticlesEffect& effect = Make("glow");
    effect.Start();
    RunFor(0.3f);
    effect.Stop(true);
    EXPECT_FALSE(effect.IsActive());
    for (const Vantor::ParticleSystem* emitter : effect.GetEmitters()) EXPECT_FALSE(emitter->IsEmitting());

    effect.Start();
    RunFor(0.3f);
    effect.Stop(false);
    int frames = 0;
    while (effect.IsActive() && frames < 100) {
        const Vantor::Model& path = *effect.GetPaths().front();
        EXPECT_TRUE(path.GetAnimationControl()->IsPlaying()) << "emitting until the last frame";
        Frame();
        ++frames;
    }
    EXPECT_NEAR(frames * kFrameSeconds, 0.6f, 0.1f) << "the rest of the one-second path";
    for (const Vantor::ParticleSystem* emitter : effect.GetEmitters()) EXPECT_FALSE(emitter->IsEmitting());
    const Vantor::ParticleSystem& first = *effect.GetEmitters().front();
    EXPECT_NEAR(first.GetPosition().x, 280.0f + 10.0f + 5.0f, 0.5f) << "it stopped at the path's end";
}

}  // namespace
