// The engine's shader manager on the headless backend: made with the other scene
// managers, run once per frame before the models are drawn, and its textures reaching
// the device through the Direct3D 7 render system.

#include <gtest/gtest.h>

#include "engine/kernel/Engine.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"

namespace {

using Vantor::ShaderDescriptor;
using Vantor::ShaderStage;

using EngineShaderTest = enginetest::EngineSceneTest;

TEST_F(EngineShaderTest, EveryFrameAnimatesTheStagesAndAgesTheTextures) {
    Vantor::Engine engine(home_.Settings());
    Vantor::ShaderManager* shaders = Vantor::ShaderManager::Instance();
    ASSERT_NE(nullptr, shaders);
    ASSERT_NE(nullptr, shaders->GetTextureManager());

    // Four frames of missing pictures (each shows the checker), one and a half frames
    // per engine frame, lazy textures.
    const ShaderDescriptor glow(false, false, ShaderStage::kNumberedFiles, 1, 1, 4, 15.0f, "fx\\glow0", false);
    Vantor::ShaderUser* user = shaders->GetShader(glow, true);
    EXPECT_EQ(4u, shaders->GetTextureManager()->GetTextureCount());

    Frame(engine);
    ASSERT_EQ(1, user->GetStage(0).currentFrame);
    user->Apply();
    Vantor::Texture2D* texture = user->GetShader()->GetTexture(0, 1);
    EXPECT_EQ(texture, Vantor::RenderSystem::Instance()->GetTexture(0));
    EXPECT_GT(texture->videoBytes, 0) << "binding made the surface";

    for (int frame = 0; frame < 3; ++frame) Frame(engine);
    EXPECT_GT(texture->videoBytes, 0);
    Frame(engine);
    EXPECT_EQ(0, texture->videoBytes) << "the fourth unused pass released the surface";

    shaders->ReleaseShader(user);
    EXPECT_EQ(0u, shaders->GetTextureManager()->GetTextureCount());
}

TEST_F(EngineShaderTest, UsersLeftAtShutdownGoWithTheManager) {
    Vantor::Engine engine(home_.Settings());
    Vantor::ShaderUser* user =
        Vantor::ShaderManager::Instance()->GetShader(ShaderDescriptor(false, true, "fx\\left", false), false);
    user->Apply();
    Frame(engine);
    // The engine's destructor deletes the user and its texture while the device is open.
}

}  // namespace
