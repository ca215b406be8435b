// The engine's sprite-group and particle-system managers on the headless backend: made
// after the model manager and deleted before it, the particle systems updated and then
// the sprite groups rebuilt in every frame's manager pass, before the models are drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/kernel/Engine.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"

namespace {

using EngineParticleTest = enginetest::EngineSceneTest;

TEST_F(EngineParticleTest, ParticlesMoveBeforeTheirSpritesAreTurnedIntoQuadsAndDrawn) {
    Vantor::Engine engine(home_.Settings());
    Vantor::ParticleSystemManager* particles = Vantor::ParticleSystemManager::Instance();
    ASSERT_NE(nullptr, particles);
    ASSERT_NE(nullptr, Vantor::SpriteGroupManager::Instance());
    const std::unique_ptr<Vantor::ParticleSystem> effect(particles->CreateParticleSystem(nullptr));
    Vantor::ParticleSystem& system = *particles->CreateParticleSystemInstance(*effect);
    system.SetPosition({0, 0, -30});
    system.Start(true);

    for (int frame = 0; frame < 5; ++frame) {
        Frame(engine);
        const auto alive = std::count_if(system.GetParticles().begin(), system.GetParticles().end(),
                                         [](const Vantor::Particle& p) { return !p.dead; });
        // The quads of this frame's particles, not of the last frame's.
        EXPECT_EQ(static_cast<std::uint32_t>(alive) * 6, system.GetModel()->GetIndexBuffer()->GetCount());
    }
    EXPECT_GT(system.GetModel()->GetIndexBuffer()->GetCount(), 0u);
    EXPECT_GT(system.GetModel()->GetDrawnPrimitiveCount(), 0u) << "drawn in the same frame";
}

TEST_F(EngineParticleTest, ParticleSystemsGiveTheirSpriteGroupsBackBeforeTheGroupsAndModelsGo) {
    {
        Vantor::Engine engine(home_.Settings());
        // The engine's own models (the GUI's letterbox bars on a wide desktop) come first.
        const std::uint32_t enginesOwn = Vantor::ModelManager::Instance()->GetModelCount();
        const std::unique_ptr<Vantor::ParticleSystem> effect(
            Vantor::ParticleSystemManager::Instance()->CreateParticleSystem(nullptr));
        Vantor::ParticleSystemManager::Instance()->CreateParticleSystemInstance(*effect)->Start(true);
        Vantor::SpriteGroupManager::Instance()->CreateRegisteredSpriteGroup(8, nullptr, nullptr, false);
        Frame(engine);
        EXPECT_EQ(3u, Vantor::SpriteGroupManager::Instance()->GetRegisteredCount());
        EXPECT_EQ(enginesOwn + 3u, Vantor::ModelManager::Instance()->GetModelCount());
    }
    // A particle system deleted after the sprite-group manager would hand its group to
    // a deleted manager; a model deleted after the shader manager, its material.
    EXPECT_EQ(std::string::npos, home_.ReadLog().find("Failed to remove shader"));
}

}  // namespace
