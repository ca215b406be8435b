#pragma once
// What the tests of the engine's scene managers (render system, shaders, models, sprite
// groups, particle systems) share: engine objects in a private home, whole frames of
// the engine on the headless backend's virtual clock, and the device's record cleared
// after each test.

#include "engine/kernel/Engine.h"
#include "platform/Clock.h"
#include "platform/DirectDrawSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace enginetest {

class EngineSceneTest : public EngineObjectTest {
protected:
    void TearDown() override {
        EngineObjectTest::TearDown();
        platform::seam::ClearDeviceCalls();
    }

    // One frame of the engine, 0.1 s long (the frame clock's longest).
    static void Frame(Vantor::Engine& engine) {
        platform::seam::AdvanceVirtualTime(150000);
        engine.BeginFrame();
        engine.EndFrame();
    }
};

}  // namespace enginetest
