// The engine's render system, cameras and lights on the headless backend: made after
// the window and before the input, destroyed in the reverse order, driven once per
// frame, and the frame presented at its end.

#include <gtest/gtest.h>

#include <string>

#include "engine/kernel/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem.h"
#include "platform/DirectDrawSeams.h"
#include "platform/FailureInjection.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"

namespace {

using Vantor::Engine;

class EngineRenderTest : public enginetest::EngineSceneTest {
protected:
    static std::size_t Presentations() {
        std::size_t count = 0;
        for (const platform::seam::DeviceCall& call : platform::seam::DeviceCalls())
            count += call.name == "IDirectDrawSurface7::Blt" || call.name == "IDirectDrawSurface7::Flip";
        return count;
    }
};

TEST_F(EngineRenderTest, TheRendererComesAfterTheWindowAndGoesBeforeIt) {
    {
        Engine engine(home_.Settings());
        ASSERT_NE(Vantor::RenderSystem::Instance(), nullptr);
        EXPECT_TRUE(Vantor::RenderSystem::Instance()->IsReady());
        ASSERT_NE(Vantor::CameraManager::Instance(), nullptr);
        EXPECT_NE(Vantor::CameraManager::Instance()->GetDefaultCamera(), nullptr);
        EXPECT_NE(Vantor::LightManager::Instance(), nullptr);
    }
    const std::string log = home_.ReadLog();
    const std::size_t windowMade = Position(log, "Window creation:");
    const std::size_t rendererMade = Position(log, "Initialization of Direct3D subsystem...");
    const std::size_t inputMade = Position(log, "Initialization of DirectInput devices...");
    const std::size_t rendererGone = Position(log, "Direct3D Subsystem destroying:");
    const std::size_t windowGone = Position(log, "Window destroying:");
    EXPECT_LT(windowMade, rendererMade);
    EXPECT_LT(rendererMade, inputMade);
    EXPECT_LT(inputMade, rendererGone);
    EXPECT_LT(rendererGone, windowGone);
}

TEST_F(EngineRenderTest, EveryFrameFitsTheCamerasAndPresents) {
    Engine engine(home_.Settings());
    Vantor::Camera* camera = Vantor::CameraManager::Instance()->GetDefaultCamera();
    camera->nearPlane = 2;
    platform::seam::ClearDeviceCalls();

    engine.BeginFrame();
    engine.EndFrame();
    EXPECT_NEAR(camera->GetExtents().top, 2 * 0.57735f, 1e-5f) << "the cameras were updated";
    EXPECT_EQ(Presentations(), 1u);
}

TEST_F(EngineRenderTest, ALostDeviceIsResetByTheNextFrame) {
    Engine engine(home_.Settings());
    Vantor::RenderSystem& renderSystem = *Vantor::RenderSystem::Instance();
    platform::seam::FailNextCalls("IDirectDrawSurface7::Blt", 1);
    engine.BeginFrame();
    engine.EndFrame();
    ASSERT_FALSE(renderSystem.IsReady());

    platform::seam::ClearDeviceCalls();
    engine.BeginFrame();
    engine.EndFrame();
    EXPECT_TRUE(renderSystem.IsReady());
    EXPECT_EQ(Presentations(), 1u);
}

}  // namespace
