// The engine's model manager on the headless backend: made after the shader manager and
// deleted before it, its draw pass run last in every frame's manager pass and the frame
// presented after it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/kernel/Engine.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "platform/DirectDrawSeams.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"

namespace {

class EngineModelTest : public enginetest::EngineSceneTest {
protected:
    // The scene bracket, draws and presentations of the device's record, in order.
    static std::vector<std::string> DrawingCalls() {
        std::vector<std::string> names;
        for (const platform::seam::DeviceCall& call : platform::seam::DeviceCalls())
            for (const char* name : {"IDirect3DDevice7::BeginScene", "IDirect3DDevice7::DrawIndexedPrimitive",
                                     "IDirect3DDevice7::EndScene", "IDirectDrawSurface7::Blt"})
                if (call.name == name) names.push_back(call.name);
        return names;
    }
};

TEST_F(EngineModelTest, EveryFrameDrawsTheRegisteredModelsThenPresents) {
    Vantor::Engine engine(home_.Settings());
    Vantor::ModelManager* models = Vantor::ModelManager::Instance();
    ASSERT_NE(nullptr, models);
    Vantor::Model* source = models->CreateBoxModel({-1, -1, -1}, {1, 1, 1}, nullptr, nullptr, 0);
    Vantor::Model* box = models->CreateModelInstance(*source, nullptr, 0);
    delete source;
    box->SetWorldMatrix(Vantor::Matrix4::Translation({0, 0, -10}));
    platform::seam::ClearDeviceCalls();

    Frame(engine);
    EXPECT_EQ((std::vector<std::string>{"IDirect3DDevice7::BeginScene", "IDirect3DDevice7::DrawIndexedPrimitive",
                                        "IDirect3DDevice7::EndScene", "IDirectDrawSurface7::Blt"}),
              DrawingCalls());
    EXPECT_EQ(1u, models->GetDrawnModelCount());
    EXPECT_EQ(12u, models->GetDrawnPrimitiveCount());
}

TEST_F(EngineModelTest, ModelsAnimateOncePerFrame) {
    Vantor::Engine engine(home_.Settings());
    Vantor::Model* model = Vantor::ModelManager::Instance()->CreateModel(
        Vantor::ModelFlags::kKeyFrames, 3, 3, 10, nullptr, nullptr, false);
    model->GetAnimationControl()->SetSpeed(10.0f);
    model->GetAnimationControl()->Play();
    Frame(engine);
    Frame(engine);
    EXPECT_FLOAT_EQ(2.0f, model->GetAnimationControl()->GetPosition());
}

TEST_F(EngineModelTest, RegisteredModelsGiveTheirMaterialsBackBeforeTheShadersGo) {
    {
        Vantor::Engine engine(home_.Settings());
        // The engine's own (the GUI's letterbox bars on a wide desktop) come first.
        const std::uint32_t enginesOwn = Vantor::ShaderManager::Instance()->GetShaderUserCount();
        const Vantor::ShaderDescriptor material(true, false, "", false);
        for (int i = 0; i < 3; ++i)
            Vantor::ModelManager::Instance()->CreateModel(0, 4, 6, 1, &material, nullptr, false);
        EXPECT_EQ(enginesOwn + 3u, Vantor::ShaderManager::Instance()->GetShaderUserCount());
    }
    // Models deleted after the shader manager would give their users back to a deleted
    // manager, or to a new one that does not hold them (a fatal error).
    EXPECT_EQ(std::string::npos, home_.ReadLog().find("Failed to remove shader"));
}

}  // namespace
