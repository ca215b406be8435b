// A fixture main menu drawn by the whole engine through OpenGL under an X server: the
// menu coming up, the player's name in its title, and a hovered button title in the
// hover font. The captures are kept as PNGs to look at.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;

class MainMenuSdlTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ScreenTestBench::SetUp();
        WriteFont("main_menu_1", 0xFFD020);
        WriteLayout("faders.xml", R"(<faders><fader name="fade" show_speed="2" hide_speed="2" /></faders>)");
        std::string menu = R"(<window name="window_main_menu" fader="fade">
            <text_label name="title" font="common" fader="fade" text="'Good day, %PROFILE_NAME%!'" alignment_h="center"
                        position="100 480" size="600 60" />
            <window name="window" fader="fade" shader="body" position="250 80" size="300 360">)";
        const char* buttons[] = {"start", "high_scores", "options", "change_player", "exit"};
        const char* captions[] = {"Play", "High scores", "Options", "Change player", "Quit"};
        for (int index = 0; index < 5; ++index) {
            menu += "<button name=\"" + std::string(buttons[index]) + "\" shader=\"button\" fader=\"fade\" " +
                    "position=\"30 " + std::to_string(290 - 65 * index) + "\" size=\"240 50\">" +
                    "<text_label name=\"title\" font=\"main_menu_0\" fader=\"fade\" alignment_h=\"center\" " +
                    "alignment_v=\"center\" size=\"240 50\" text=\"'" + captions[index] + "'\" /></button>";
        }
        WriteLayout("main_menu.xml", menu + "</window></window>");
        MakeGame();
        AddColourShader("body", {40, 70, 140, 255});
        AddColourShader("button", {90, 40, 40, 255});
        MakeProfiles({L"Ann"});
    }

    void Capture(Vantor::Image& picture, const char* name) const {
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }
};

TEST_F(MainMenuSdlTest, TheMenuComesUpWithThePlayersNameAndAHoveredTitleInItsHoverFont) {
    auto& menu = MakeWindow<Morvane::GUIMainMenuWindow>(profiles_.get(), audio_.get(), data_.get(), tools_.get(),
                                                        menus_.get(), nullptr);
    menu.Open(WindowId::Logos);
    RunFor(0.24f);
    Vantor::Image coming;
    Capture(coming, "main_menu_coming_up");
    const scenes::Rgb halfway = scenes::PixelAt(coming, 260, 100);
    EXPECT_GT(halfway.blue, 20);
    EXPECT_LT(halfway.blue, 120) << "the body is still fading in";

    RunFor(1.0f);
    Vantor::Image shown;
    Capture(shown, "main_menu_shown");
    EXPECT_GT(scenes::PixelAt(shown, 260, 100).blue, 120);

    const Vantor::GUIWindow& start = *menu.GetButton("window_main_menu/window/start");
    MoveMouseTo(start.GetAbsolutePosition() + start.GetPosition() + start.GetSize() * 0.5f);
    Frames(2);
    Vantor::Image hovered;
    Capture(hovered, "main_menu_start_hovered");
    EXPECT_EQ(menu.GetTextControl("window_main_menu/window/start/title")->fontName, "main_menu_1");
}

}  // namespace
