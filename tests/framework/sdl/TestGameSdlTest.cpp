// The test game in the engine's window under an X server: the logos window, the only one
// open, is seen in the presented frame; focus lost and regained idles the game and
// brings it back, and the cheat phrase typed through injected keys opens the console.
// The frames are kept as PNGs to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/framework/TestGame.h"
#include "tests/framework/TestGameData.h"
#include "tests/framework/sdl/TestGameSdlFixture.h"

namespace {

class TestGameSdlTest : public frameworktest::TestGameSdlFixture {
protected:
    int Updates() const {
        int updates = 0;
        for (const std::string& entry : journal_) updates += entry.rfind("update ", 0) == 0;
        return updates;
    }
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

TEST_F(TestGameSdlTest, FocusLossIdlesTheGameAndTheTypedPhraseOpensTheConsole) {
    game_ = std::make_unique<frameworktest::TestGame>(journal_, home_.root);
    for (int frame = 0; frame < 3; ++frame) game_->Frame();
    const HWND window = static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle();

    platform::seam::InjectFocusLost(window);
    game_->Frame();  // the frame start sees the loss
    journal_.clear();
    game_->Frame();
    EXPECT_EQ(Updates(), 0);
    platform::seam::InjectFocusGained(window);
    game_->Frame();  // an idle frame pumps the return
    game_->Frame();
    EXPECT_GT(Updates(), 0);

    Vantor::Console* console = game_->GetEngine()->GetConsole();
    for (char c : std::string("my tiny goat")) {
        const UINT key = c == ' ' ? VK_SPACE : static_cast<UINT>(c - 'a' + 'A');
        platform::seam::InjectKeyDown(key);
        platform::seam::InjectKeyUp(key);
        game_->Frame();
    }
    ASSERT_TRUE(console->IsEnabled());
    for (int frame = 0; frame < 200 && console->GetState() != Vantor::ConsoleState::Open; ++frame) game_->Frame();
    EXPECT_EQ(console->GetState(), Vantor::ConsoleState::Open);
    game_->Frame();

    Vantor::Image picture;
    Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    scenes::KeepCapture(picture, "test_game_cheat_console");
    // The console's pale background covers the top of the screen; below it the screen stays dark.
    const scenes::Rgb top = scenes::PixelAt(picture, 100, 590);
    EXPECT_GT(top.red + top.green + top.blue, 450) << scenes::Describe(top);
    const scenes::Rgb bottom = scenes::PixelAt(picture, 100, 20);
    EXPECT_LT(bottom.red + bottom.green + bottom.blue, 60) << scenes::Describe(bottom);
}

}  // namespace
