// The restart question over a drawn day, by the whole engine through OpenGL under an X
// server: a quarter of a second after yes the cover is halfway in, the day showing
// through it at half strength; at half a second it hides the day. The captures are kept
// as PNGs to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "game/screens/GUIGameLogicRestartWindow.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"
#include "tests/game/screens/sdl/PictureChecks.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

constexpr dialogueart::Rgb kDay{200, 40, 40};
constexpr dialogueart::Rgb kCover{20, 20, 160};

scenes::Rgb Drawn(dialogueart::Rgb colour) { return {colour.red, colour.green, colour.blue}; }

class DayQuestionSdlTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", R"(<faders><fader name="frame" show_speed="4" hide_speed="4" /></faders>)");
        WriteLayout("restart.xml", R"(<window name="window_game_logic_restart" fader="frame">
            <text_label name="title" font="common" text="'Restart the day?'" alignment_h="center" position="200 420"
                        size="400 50" />
            <window name="window" shader="body" fader="frame" position="250 200" size="300 200">)" +
                                       ButtonXml("button_0", {20, 20}, {120, 50}, "No") +
                                       ButtonXml("button_1", {160, 20}, {120, 50}, "Yes") + "</window></window>");
        MakeGame();
        AddColourShader("body", {60, 60, 60, 255});
        dialogueart::AddPicture(*data_, "day", kDay);
        dialogueart::AddPicture(*data_, "comics/introduction/background", kCover);
        // The running day behind the question, over the whole screen.
        day_ = Vantor::GUIManager::Instance()->CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {800.0f, 600.0f},
                                                            nullptr, data_->GetShaderUser("ui/day"), nullptr);
        // The menu windows' container in front of it, as the game has.
        top_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, nullptr);
    }
    void TearDown() override {
        windows_.clear();
        Vantor::GUIManager::Instance()->DestroyWindow(top_);
        Vantor::GUIManager::Instance()->DestroyWindow(day_);
        ScreenTestBench::TearDown();
    }

    // The last frame drawn, also kept as "captures/<name>.png".
    const Vantor::Image& Capture(const std::string& name) {
        captures_.push_back(std::make_unique<Vantor::Image>());
        Vantor::RenderSystem::Instance()->CaptureScreen(*captures_.back());
        scenes::KeepCapture(*captures_.back(), name);
        return *captures_.back();
    }

    Vantor::GUIWindow* day_ = nullptr;
    Vantor::GUIWindow* top_ = nullptr;
    std::vector<std::unique_ptr<Vantor::Image>> captures_;
};

TEST_F(DayQuestionSdlTest, HalfwayThroughTheRestartCoverTheDayShowsThroughAtHalfStrength) {
    auto& restart = MakeWindow<Morvane::GUIGameLogicRestartWindow>(audio_.get(), data_.get(), tools_.get(),
                                                                   menus_.get(), top_);
    restart.Open(WindowId::GameLogicMenu);
    RunFor(1.0f);
    const Vantor::Image& asked = Capture("day_restart_asked");
    EXPECT_TRUE(picturechecks::Shows(asked, 60, 60, Drawn(kDay)));

    ClickOn(*restart.GetButton("window_game_logic_restart/window/button_1"));
    Frame();
    ASSERT_FALSE(restart.IsOpen()) << "yes closes the question";
    // Ten frames of 0.025 s: a quarter of a second after the click.
    for (int frame = 0; frame < 10; ++frame) Frame(0.025f);
    ASSERT_NEAR(restart.GetCover().GetWindow().GetAlpha(), 0.5f, 1.0f / 255.0f);
    const Vantor::Image& halfway = Capture("day_restart_cover_halfway");
    const scenes::Rgb blend{(kDay.red + kCover.red) / 2, (kDay.green + kCover.green) / 2, (kDay.blue + kCover.blue) / 2};
    for (const auto& [x, y] : {std::pair{60, 60}, std::pair{740, 540}, std::pair{400, 100}})
        EXPECT_TRUE(picturechecks::Shows(halfway, x, y, blend));

    ASSERT_TRUE(RunUntil([&] { return restart.GetResult() == WindowResult::GoToStart; }, 1.0f));
    const Vantor::Image& covered = Capture("day_restart_covered");
    EXPECT_TRUE(picturechecks::Shows(covered, 60, 60, Drawn(kCover)));
    EXPECT_TRUE(picturechecks::Shows(covered, 400, 300, Drawn(kCover))) << "over the question's place too";
}

}  // namespace
