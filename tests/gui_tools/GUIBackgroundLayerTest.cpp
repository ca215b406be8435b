// Showing and hiding a background and its layers on the virtual clock: at once or with
// the background's fade on top of each layer's own, layers made while visible fading in,
// switched-off layers staying unseen, windows following their animators, particle layers
// on the GUI camera at their windows' depths with the emitter following the window, and
// everything given back when the background goes.

#include "gui_tools/GUIBackgroundLayer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/ModelShapes.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/SpriteGroup.h"
#include "gui_tools/GUIBackgroundBase.h"
#include "tests/gui_tools/BackgroundTestSupport.h"
#include "tools/XMLNode.h"

namespace {

using Content::ModelShapes;
using GUITools::GUIBackgroundBase;
using GUITools::GUIBackgroundLayer;
using Vantor::ParticleSystem;

// Alphas travel through the vertex colours' bytes.
constexpr float kAlphaTolerance = 0.01f;

class BackgroundLayerTest : public backgroundtest::BackgroundTest {
protected:
    void SetUp() override {
        BackgroundTest::SetUp();
        AddModel("quad", ModelShapes::Quad({100, 100, 200, 150}));
        // Moves from (100, 100) to (500, 300) in two seconds. Its file leaves the model
        // invisible: as an animator it moves its window all the same.
        Content::ModelFileWriter::Model path = ModelShapes::Path(40, 40, {{0, 100, 100}, {4, 500, 300}}, 2.0f);
        path.flags &= ~Vantor::ModelFlags::kVisible;
        AddModel("path", path);
        Content::ParticleFileWriter::ParticleSystem sparks;
        sparks.emitterShape = ParticleSystem::kBoxEmitter;
        sparks.gravityOn = 0;
        sparks.floorOn = 0;
        sparks.rate[0] = sparks.rate[1] = sparks.rate[2] = sparks.rate[3] = sparks.rate[4] = sparks.rate[5] = 50.0f;
        AddParticles("sparks", sparks);
        AddParticles("dust", {});
    }

    // A background of the layers, its basic layers made.
    std::unique_ptr<GUIBackgroundBase> Make(const std::string& layers) {
        WriteBackground("", layers);
        auto background = std::make_unique<GUIBackgroundBase>(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
        background->CreateBasicLayers();
        return background;
    }

    static bool Shown(const GUIBackgroundLayer& layer) { return layer.GetWindow()->IsVisible(); }
    static float Alpha(const GUIBackgroundLayer& layer) { return layer.GetWindow()->GetAlpha(); }
    static std::size_t LiveParticles(const ParticleSystem& system) {
        std::size_t live = 0;
        for (const Vantor::Particle& particle : system.GetParticles()) live += !particle.dead;
        return live;
    }
};

// --- showing and hiding -------------------------------------------------------------------

TEST_F(BackgroundLayerTest, ShowingAtOnceShowsEveryLayerInItsColourAndHidingHidesThem) {
    auto background = Make(R"(<model name="quad" color="1 1 1 0.5"/><model name="quad" color="0 1 0 1"/>)");
    EXPECT_FALSE(background->IsVisible()) << "made hidden";
    EXPECT_FALSE(Shown(*background->layers[0]));

    background->Show(true, false, 1.0f);
    Frame(*background, 0.1f);
    EXPECT_TRUE(background->IsVisible());
    EXPECT_TRUE(Shown(*background->layers[0]));
    EXPECT_NEAR(Alpha(*background->layers[0]), 0.5f, kAlphaTolerance);
    const Vantor::Color green = background->layers[1]->GetWindow()->GetColor();
    EXPECT_NEAR(green.x, 0.0f, kAlphaTolerance);
    EXPECT_NEAR(green.y, 1.0f, kAlphaTolerance);
    EXPECT_NEAR(green.w, 1.0f, kAlphaTolerance);

    background->Show(false, false, 1.0f);
    EXPECT_FALSE(background->IsVisible());
    for (const GUIBackgroundLayer* layer : background->layers)
        EXPECT_FALSE(layer->GetWindow()->GetFlags() & Vantor::GUIWindow::kShown);
}

TEST_F(BackgroundLayerTest, HalfwayThroughAFadeInTheBackgroundsHalfTimesTheLayersHalfShows) {
    auto background = Make(R"(<model name="quad" color="1 1 1 0.8"/>)");
    const GUIBackgroundLayer& layer = *background->layers[0];
    background->Show(true, true, 1.0f);
    EXPECT_NEAR(Alpha(layer), 0.0f, kAlphaTolerance);
    Run(*background, 0.5f);
    EXPECT_NEAR(Alpha(layer), 0.5f * 0.5f * 0.8f, kAlphaTolerance);
    EXPECT_TRUE(layer.IsFading());
    Run(*background, 0.5f);
    EXPECT_NEAR(Alpha(layer), 0.8f, kAlphaTolerance);
    EXPECT_FALSE(layer.IsFading());
    Run(*background, 0.3f);
    EXPECT_NEAR(Alpha(layer), 0.8f, kAlphaTolerance) << "stays once shown";
}

TEST_F(BackgroundLayerTest, AHideWithAFadeAtSpeedTwoEndsAfterHalfASecondAndHidesTheLayersWindow) {
    auto background = Make(R"(<model name="quad"/><particles name="sparks"/>)");
    background->Show(true, false, 1.0f);
    Frame(*background, 0.1f);
    background->Show(false, true, 2.0f);
    Run(*background, 0.4f);
    EXPECT_TRUE(background->IsVisible()) << "the windows stay while the fade runs";
    EXPECT_TRUE(Shown(*background->layers[0]));
    EXPECT_NEAR(Alpha(*background->layers[0]), 0.2f * 0.2f, kAlphaTolerance);
    EXPECT_TRUE(background->layers[1]->GetParticleSystem()->IsVisible());

    Frame(*background, 0.1f);
    EXPECT_FALSE(background->IsVisible());
    for (const GUIBackgroundLayer* layer : background->layers) {
        EXPECT_FALSE(layer->GetWindow()->GetFlags() & Vantor::GUIWindow::kShown);
        EXPECT_FALSE(layer->IsFading());
    }
    EXPECT_FALSE(background->layers[1]->GetParticleSystem()->IsVisible());
}

TEST_F(BackgroundLayerTest, AdditionalLayersMadeWhileVisibleFadeInOverOneSecond) {
    auto background = Make(R"(<model name="quad"/><model name="quad" additional="1" color="1 0 0 1"/>)");
    background->Show(true, false, 1.0f);
    Frame(*background, 0.1f);
    background->CreateAdditionalLayers();
    const GUIBackgroundLayer& added = *background->layers.at(1);
    EXPECT_TRUE(Shown(added));
    EXPECT_NEAR(Alpha(added), 0.0f, kAlphaTolerance);
    Run(*background, 0.5f);
    EXPECT_NEAR(Alpha(added), 0.5f, kAlphaTolerance);
    EXPECT_NEAR(Alpha(*background->layers[0]), 1.0f, kAlphaTolerance) << "the others keep theirs";
    Run(*background, 0.5f);
    EXPECT_NEAR(Alpha(added), 1.0f, kAlphaTolerance);
}

TEST_F(BackgroundLayerTest, AdditionalLayersMadeWhileHiddenAppearWithTheNextShow) {
    auto background = Make(R"(<model name="quad"/><model name="quad" additional="1"/>)");
    background->CreateAdditionalLayers();
    const GUIBackgroundLayer& added = *background->layers.at(1);
    EXPECT_FALSE(added.GetWindow()->GetFlags() & Vantor::GUIWindow::kShown);
    Run(*background, 0.3f);
    EXPECT_FALSE(Shown(added));

    background->Show(true, false, 1.0f);
    EXPECT_TRUE(Shown(added));
    EXPECT_NEAR(Alpha(added), 1.0f, kAlphaTolerance);
}

TEST_F(BackgroundLayerTest, ALayerSwitchedOffStaysUnseenThroughEveryShow) {
    auto background = Make(R"(<model name="quad"/><particles name="sparks"/>)");
    for (GUIBackgroundLayer* layer : background->layers) layer->enabled = false;
    const float alpha = Alpha(*background->layers[0]);
    const auto unseen = [&] {
        for (const GUIBackgroundLayer* layer : background->layers) EXPECT_FALSE(Shown(*layer));
        EXPECT_FALSE(background->layers[1]->GetParticleSystem()->IsVisible());
        EXPECT_EQ(LiveParticles(*background->layers[1]->GetParticleSystem()), 0u);
        EXPECT_FLOAT_EQ(Alpha(*background->layers[0]), alpha) << "its colour is left alone";
    };
    background->Show(true, false, 1.0f);
    Run(*background, 0.3f);
    unseen();
    background->Show(false, true, 1.0f);
    Run(*background, 1.0f);
    background->Show(true, true, 2.0f);
    Run(*background, 1.0f);
    unseen();
    EXPECT_TRUE(background->IsVisible());
}

// --- animators ----------------------------------------------------------------------------

TEST_F(BackgroundLayerTest, AWindowFollowsTheCentreOfItsAnimatorsBoxEveryFrame) {
    auto background = Make(R"(<model name="quad" animator_model="path" random_start_frame="0"/>)");
    const GUIBackgroundLayer& layer = *background->layers[0];
    ASSERT_NE(layer.GetAnimator(), nullptr);
    background->Show(true, false, 1.0f);
    Vantor::Vector2 last = layer.GetWindow()->GetPosition();
    for (int frame = 1; frame <= 5; ++frame) {
        Frame(*background, 0.1f);
        const Vantor::Vector3& centre = layer.GetAnimator()->GetBoundingBox().centre;
        const Vantor::Vector2& position = layer.GetWindow()->GetPosition();
        EXPECT_NEAR(position.x, centre.x, 1e-3f);
        EXPECT_NEAR(position.y, centre.y, 1e-3f);
        // Two frames a second over a path of 100 x 50 units a frame.
        EXPECT_NEAR(position.x, 100.0f + 20.0f * frame, 0.1f);
        EXPECT_NEAR(position.y, 100.0f + 10.0f * frame, 0.1f);
        EXPECT_GT(position.x, last.x);
        last = position;
    }
}

// --- particle layers ----------------------------------------------------------------------

TEST_F(BackgroundLayerTest, AParticleLayerDrawsItsRegisteredSystemOnTheGUICameraAtItsWindowsDepth) {
    const std::uint32_t systems = Vantor::ParticleSystemManager::Instance()->GetRegisteredCount();
    auto background = Make(R"(<model name="quad"/><particles name="sparks" color="1 0.5 0 0.8"/>)");
    const GUIBackgroundLayer& layer = *background->layers[1];
    ParticleSystem& system = *layer.GetParticleSystem();
    EXPECT_EQ(Vantor::ParticleSystemManager::Instance()->GetRegisteredCount(), systems + 1);
    EXPECT_NE(&system, keeper_->GetParticleSystem("sparks"));
    EXPECT_EQ(system.GetModel()->GetCamera(), Vantor::GUIManager::Instance()->GetCamera());
    EXPECT_TRUE(system.GetModel()->GetFlags() & Vantor::ModelFlags::kFixedDepth);
    EXPECT_FLOAT_EQ(system.GetModel()->GetDepth(), layer.GetWindow()->GetDepth());
    EXPECT_LT(system.GetModel()->GetDepth(), background->layers[0]->GetWindow()->GetDepth()) << "over the quad";
    EXPECT_TRUE(system.IsLooping());
    EXPECT_TRUE(system.IsEmitting());

    // A hidden background shows no particles.
    EXPECT_FALSE(system.IsVisible());
    Run(*background, 0.5f);
    EXPECT_EQ(LiveParticles(system), 0u);

    background->Show(true, false, 1.0f);
    EXPECT_TRUE(system.IsVisible());
    Run(*background, 0.5f);
    EXPECT_GT(LiveParticles(system), 0u);
    const Vantor::Color& tint = system.GetSpriteGroup()->GetColour();
    EXPECT_FLOAT_EQ(tint.y, 0.5f);
    EXPECT_FLOAT_EQ(tint.w, 0.8f);

    background->Show(false, false, 1.0f);
    EXPECT_FALSE(system.IsVisible());
}

TEST_F(BackgroundLayerTest, TheEmitterFollowsTheWindowABoxKeepingItsSize) {
    auto background = Make(R"(<particles name="sparks" animator_model="path"/><particles name="dust" animator_model="path"/>)");
    background->Show(true, false, 1.0f);
    for (int frame = 0; frame < 3; ++frame) {
        Frame(*background, 0.1f);
        const Vantor::Vector2& boxWindow = background->layers[0]->GetWindow()->GetPosition();
        const Vantor::BoundingBox& box = background->layers[0]->GetParticleSystem()->GetEmitterBox();
        EXPECT_NEAR(box.centre.x, boxWindow.x, 1e-3f);
        EXPECT_NEAR(box.centre.y, boxWindow.y, 1e-3f);
        EXPECT_NEAR(box.halfExtents.x, 0.5f, 1e-5f);
        EXPECT_NEAR(box.halfExtents.z, 0.5f, 1e-5f);

        const Vantor::Vector2& pointWindow = background->layers[1]->GetWindow()->GetPosition();
        const Vantor::Vector3& emitter = background->layers[1]->GetParticleSystem()->GetPosition();
        EXPECT_FLOAT_EQ(emitter.x, pointWindow.x);
        EXPECT_FLOAT_EQ(emitter.y, pointWindow.y);
        EXPECT_FLOAT_EQ(emitter.z, 0.0f);
    }
    EXPECT_GT(background->layers[0]->GetWindow()->GetPosition().x, 100.0f) << "the windows moved";
}

// --- layers a derived background makes ----------------------------------------------------

// Makes the layers of "picture" elements from plain quad windows of its own (as a game's
// background does with pictures of a texture pack); other elements as the base does.
class PictureBackground : public GUIBackgroundBase {
public:
    using GUIBackgroundBase::GUIBackgroundBase;

    GUIBackgroundLayer* CreateLayer(const GameTools::XMLNode& element, int order) override {
        if (element.name != "picture") return GUIBackgroundBase::CreateLayer(element, order);
        Vantor::GUIWindow* window =
            Vantor::GUIManager::Instance()->CreateWindow(0, {10, 20}, {30, 40}, nullptr, &material_, nullptr);
        return new GUIBackgroundLayer(GetKeeper(), "picture", window, "", "", "", "", false, -1.0f, true,
                                      {1.0f, 1.0f, 1.0f, 0.5f}, order, GetLayersWindow());
    }

private:
    Vantor::ShaderDescriptor material_;
};

TEST_F(BackgroundLayerTest, AnExistingWindowBecomesALayerUnderTheLayersWindowAndGoesWithIt) {
    const std::uint32_t windows = Vantor::GUIManager::Instance()->GetWindows().GetCount();
    WriteBackground("", R"(<model name="quad"/><picture/>)");
    {
        PictureBackground background(keeper_.get(), nullptr, backgroundtest::kBackgroundPath);
        background.CreateBasicLayers();
        ASSERT_EQ(background.layers.size(), 2u);
        const GUIBackgroundLayer& picture = *background.layers[1];
        EXPECT_EQ(picture.GetWindow()->GetParent(), background.GetLayersWindow());
        EXPECT_EQ(picture.GetWindow()->GetOrder(), 2);
        EXPECT_FALSE(Shown(picture));

        background.Show(true, false, 1.0f);
        Frame(background, 0.1f);
        EXPECT_TRUE(Shown(picture));
        EXPECT_NEAR(Alpha(picture), 0.5f, kAlphaTolerance);
        const Vantor::Vector2 position = picture.GetWindow()->GetPosition();
        EXPECT_FLOAT_EQ(position.x, 10.0f) << "without an animator it stays where it was put";
        EXPECT_FLOAT_EQ(position.y, 20.0f);
    }
    EXPECT_EQ(Vantor::GUIManager::Instance()->GetWindows().GetCount(), windows);
}

// --- lifetime -----------------------------------------------------------------------------

TEST_F(BackgroundLayerTest, ABackgroundGivesBackItsWindowsModelsAndSystems) {
    const std::uint32_t windows = Vantor::GUIManager::Instance()->GetWindows().GetCount();
    const std::uint32_t models = Vantor::ModelManager::Instance()->GetModelCount();
    const std::uint32_t systems = Vantor::ParticleSystemManager::Instance()->GetRegisteredCount();
    {
        auto background = Make(R"(<model name="quad" animator_model="path"/><particles name="sparks"/>)"
                               R"(<model name="quad" additional="1"/>)");
        background->CreateAdditionalLayers();
        background->Show(true, true, 1.0f);
        Run(*background, 0.3f);
        EXPECT_EQ(Vantor::GUIManager::Instance()->GetWindows().GetCount(), windows + 3 + 3);
    }
    EXPECT_EQ(Vantor::GUIManager::Instance()->GetWindows().GetCount(), windows);
    EXPECT_EQ(Vantor::ModelManager::Instance()->GetModelCount(), models);
    EXPECT_EQ(Vantor::ParticleSystemManager::Instance()->GetRegisteredCount(), systems);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{});
}

}  // namespace
