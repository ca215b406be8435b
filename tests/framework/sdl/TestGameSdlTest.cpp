// The test game initialised in the engine's window under an X server: the logos window,
// the only one open, is seen in the presented frame. The frame is kept as a PNG to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/kernel/Engine.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/framework/TestGame.h"
#include "tests/framework/TestGameData.h"

namespace {

class TestGameSdlTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        // Mesa's shader cache writer, still busy when the program ends, can crash the leak
        // checker's walk over the threads.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        EngineObjectTest::SetUp();
        frameworktest::WriteTestGameData(home_.folder);
    }
    void TearDown() override {
        game_.reset();
        EngineObjectTest::TearDown();
    }

    frameworktest::Journal journal_;
    std::unique_ptr<frameworktest::TestGame> game_;
};

TEST_F(TestGameSdlTest, TheLogosWindowIsSeenRightAfterInitialisation) {
    game_ = std::make_unique<frameworktest::TestGame>(journal_, home_.root);
    Vantor::Image picture;
    for (int frame = 0; frame < 3; ++frame) {
        game_->GetEngine()->BeginFrame();
        game_->RunFrame();
        game_->GetEngine()->EndFrame();
    }
    Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    scenes::KeepCapture(picture, "test_game_logos");
    ASSERT_EQ(800u, picture.GetWidth());
    // The logos window's white quad covers (300, 250) to (500, 350) of the 800 x 600 units.
    const scenes::Rgb inside = scenes::PixelAt(picture, 400, 300);
    EXPECT_GT(inside.red + inside.green + inside.blue, 600) << scenes::Describe(inside);
    const scenes::Rgb outside = scenes::PixelAt(picture, 200, 300);
    EXPECT_LT(outside.red + outside.green + outside.blue, 60) << scenes::Describe(outside);
}

}  // namespace
