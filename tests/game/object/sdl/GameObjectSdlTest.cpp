// The game on the built data set under an X server, running its own frames: moved past
// the logos and the comic by setting their results, it shows the menu background behind
// the loading window. Frames run on the virtual clock. The frame is kept as
// "captures/menu_background_loading.png".

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "game/GUIBackground.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/object/GameObjectFixture.h"

namespace gameobjecttest {
namespace {

using R = GameFramework::WindowResult;

class GameObjectSdlTest : public GameObjectSdlFixture {
protected:
    // The game's own frames, 20 ms apart on the virtual clock.
    void Frames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            platform::seam::AdvanceVirtualTime(20000);
            game_->Frame();
        }
    }
};

TEST_F(GameObjectSdlTest, PastTheLogosTheMenuBackgroundShowsBehindTheLoading) {
    GameProbe& game = MakeGame();
    Frames(3);
    game.logosWindow_->Report(R::Finished);
    Frames(3);
    ASSERT_NE(nullptr, game.introductionWindow_);
    game.introductionWindow_->Report(R::Finished);
    Frames(60);
    ASSERT_EQ(GameFramework::WindowId::Introduction, game.gameLoadingWindow_->GetSource());
    EXPECT_TRUE(game.menuBackground_->IsVisible());

    Vantor::Image picture;
    Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    scenes::KeepCapture(picture, "menu_background_loading");
    // The background's layers fill the screen: no corner is left black.
    const int right = static_cast<int>(picture.GetWidth()) - 1, top = static_cast<int>(picture.GetHeight()) - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{right, 0}, std::pair{0, top}, std::pair{right, top}}) {
        const scenes::Rgb pixel = scenes::PixelAt(picture, x, y);
        EXPECT_GT(pixel.red + pixel.green + pixel.blue, 60) << x << ", " << y << ": " << scenes::Describe(pixel);
    }
}

}  // namespace
}  // namespace gameobjecttest
