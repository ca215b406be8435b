// The options window and the in-day menu: volumes in thousandths on their sliders, set at
// once; the slider sound while the sound thumb is held; the three display sizes; OK,
// defaults and cancel; the in-day menu's full-screen switch applied at once and following
// a switch made elsewhere; and its dimmed day by the window it opens from.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/kernel/Config.h"
#include "game/screens/GUIGameLogicMenuWindow.h"
#include "game/screens/GUIOptionsWindow.h"
#include "gui_tools/GUIControl.h"
#include "platform/WinUserSeams.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

class SettingsWindowsTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", R"(<faders><fader name="frame" show_speed="4" hide_speed="4" />
            <fader name="background_game_logic_animated" show_speed="3" hide_speed="3" /></faders>)");
        WriteLayout("options.xml", R"(<window name="window_options" fader="frame">
            <window name="window" position="0 0" size="800 600">)" + Volumes() +
                                       ButtonXml("decrease_video_mode", {100, 260}, {40, 40}, "-") +
                                       R"(<window name="video_mode" position="150 260" size="200 40">
                                            <text_label name="text" font="common" size="200 40" text="''" /></window>)" +
                                       ButtonXml("increase_video_mode", {360, 260}, {40, 40}, "+") +
                                       Buttons({"Cancel", "Defaults", "OK"}) + "</window></window>");
        WriteLayout("menu.xml", R"(<window name="window_game_logic_menu" fader="frame">
            <window name="background" position="0 0" size="800 600" fader="background_game_logic_animated" />
            <text_label name="title" font="common" text="'Menu'" position="100 540" size="600 50" />
            <window name="window" position="0 0" size="800 600">)" + Volumes() +
                                    Buttons({"Leave", "Restart", "Resume"}) + "</window></window>");
        MakeGame();
        AddEffect("08", true);
        MoveMouseTo({1, 1});
    }

    // The two scroll bars, each 320 wide with its thumb travelling from x 40 to 248, and
    // the full-screen box.
    static std::string Volumes() {
        std::string xml;
        for (const auto& [name, y] : {std::pair{"sound", 500}, std::pair{"music", 440}})
            xml += "<scroll name=\"" + std::string(name) + "\" position=\"100 " + std::to_string(y) +
                   R"(" size="320 40" orientation="horizontal" toddler_size="32 32" toddler_min_position="40 4"
                   toddler_max_position="248 4" decrease_button_position="4 4" decrease_button_size="32 32"
                   increase_button_position="284 4" increase_button_size="32 32" />)";
        return xml + R"(<check_box name="fullscreen" position="100 380" size="40 40" />)";
    }
    // button_0 to button_2 in a row.
    static std::string Buttons(const std::array<const char*, 3>& titles) {
        std::string xml;
        for (int index = 0; index < 3; ++index)
            xml += ButtonXml("button_" + std::to_string(index), {100.0f + 150.0f * static_cast<float>(index), 100.0f},
                             {120, 50}, titles[static_cast<std::size_t>(index)]);
        return xml;
    }

    Morvane::GUIOptionsWindow& MakeOptions() {
        return MakeWindow<Morvane::GUIOptionsWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                     menus_.get(), nullptr);
    }
    Morvane::GUIGameLogicMenuWindow& MakeMenu() {
        return MakeWindow<Morvane::GUIGameLogicMenuWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                           menus_.get(), nullptr);
    }
    template <class Window>
    WindowResult Click(Window& window, const std::string& path) {
        ClickOn(*window.GetButton(window.GetLayoutName() + path));
        Frame();
        return window.GetResult();
    }
    template <class Window>
    static Vantor::GUIScroll& Slider(const Window& window, const std::string& name) {
        return *window.GetScroll(window.GetLayoutName() + "/window/" + name);
    }
    template <class Window>
    static Vantor::GUICheckBox& FullScreen(const Window& window) {
        return *window.GetCheckBox(window.GetLayoutName() + "/window/fullscreen");
    }
    std::wstring ShownMode(const Morvane::GUIOptionsWindow& window) const {
        return ShownText(*window.GetTextControl("window_options/window/video_mode/text"));
    }
    static Vantor::Config& Config() { return *Vantor::Config::Instance(); }
};

TEST_F(SettingsWindowsTest, SlidersStandForVolumesInThousandthsTruncatedAndAnArrowMovesThirty) {
    audio_->SetSoundVolume(0.5f);
    audio_->SetMusicVolume(0.2999f);
    auto& options = MakeOptions();
    options.Open(WindowId::MainMenu);
    RunFor(1.0f);
    EXPECT_EQ(Slider(options, "sound").GetValue(), 500u);
    EXPECT_EQ(Slider(options, "music").GetValue(), 299u);
    EXPECT_FLOAT_EQ(audio_->GetMusicVolume(), 0.2999f) << "a thumb that stands still leaves its volume alone";

    ClickOn(*Slider(options, "music").GetIncreaseButton());
    Frame();
    EXPECT_EQ(Slider(options, "music").GetValue(), 329u);
    EXPECT_FLOAT_EQ(audio_->GetMusicVolume(), 0.329f) << "set at once";
}

TEST_F(SettingsWindowsTest, TheSliderSoundPlaysWhileTheSoundThumbIsHeldAndStopsInTheFrameAfterRelease) {
    auto& menu = MakeMenu();
    menu.Open(WindowId::GameLogic);
    RunFor(1.0f);
    const Vantor::GUIScroll& sound = Slider(menu, "sound");
    MoveMouseTo(sound.GetAbsolutePosition() + sound.GetPosition() + Vantor::Vector2{160, 20});
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
    for (int frame = 0; frame < 10; ++frame) {
        Frame();
        EXPECT_EQ(audio_->GetEffectState("08"), 0) << "held, frame " << frame;
    }
    EXPECT_NEAR(audio_->GetSoundVolume(), 0.5f, 0.01f) << "dragged to the middle";
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    Frame();
    EXPECT_NE(audio_->GetEffectState("08"), 0);
}

TEST_F(SettingsWindowsTest, TheDisplaySizeStopsAtBothEndsAndIsShownQuoted) {
    auto& options = MakeOptions();
    const std::pair<const char*, const char*> ends[] = {{"640x480x32", "/window/decrease_video_mode"},
                                                        {"1024x768x32", "/window/increase_video_mode"}};
    for (const auto& [mode, outward] : ends) {
        Config().values.mode = mode;
        options.Open(WindowId::MainMenu);
        RunFor(1.0f);
        const std::wstring shown = ShownMode(options);
        EXPECT_EQ(Click(options, outward), WindowResult::None);
        EXPECT_EQ(ShownMode(options), shown) << mode;
        options.Close();
        RunFor(1.0f);
    }
    EXPECT_EQ(ShownMode(options), L"1024x768");
    Config().values.mode = "640x480x32";
    options.Open(WindowId::MainMenu);
    RunFor(1.0f);
    EXPECT_EQ(ShownMode(options), L"640x480");
    Click(options, "/window/increase_video_mode");
    EXPECT_EQ(ShownMode(options), L"800x600");
}

TEST_F(SettingsWindowsTest, CancelPutsBackTheOpeningVolumesAndAppliesNoDisplayChange) {
    audio_->SetSoundVolume(0.4f);
    audio_->SetMusicVolume(0.6f);
    Config().values.mode = "800x600x32";
    Config().values.fullscreen = false;
    auto& options = MakeOptions();
    options.Open(WindowId::MainMenu);
    RunFor(1.0f);
    Click(options, "/window/increase_video_mode");
    ClickOn(FullScreen(options));
    ClickOn(*Slider(options, "sound").GetDecreaseButton());
    Frame();
    EXPECT_FLOAT_EQ(audio_->GetSoundVolume(), 0.37f);

    EXPECT_EQ(Click(options, "/window/button_0"), WindowResult::GoToMainMenu);
    EXPECT_FLOAT_EQ(audio_->GetSoundVolume(), 0.4f);
    EXPECT_FLOAT_EQ(audio_->GetMusicVolume(), 0.6f);
    EXPECT_EQ(Config().values.mode, "800x600x32");
    EXPECT_FALSE(Config().values.fullscreen);
}

TEST_F(SettingsWindowsTest, DefaultsSetTheVolumesAtOnceAndTheDisplayOnlyOnALaterOk) {
    audio_->SetSoundVolume(0.2f);
    audio_->SetMusicVolume(0.3f);
    const std::string defaultMode = Config().GetDefaultText("v_mode");
    Config().values.mode = "640x480x32";
    Config().values.fullscreen = false;
    auto& options = MakeOptions();
    options.Open(WindowId::MainMenu);
    RunFor(1.0f);

    EXPECT_EQ(Click(options, "/window/button_1"), WindowResult::None);
    EXPECT_FLOAT_EQ(audio_->GetSoundVolume(), 1.0f);
    EXPECT_FLOAT_EQ(audio_->GetMusicVolume(), 1.0f);
    EXPECT_EQ(Slider(options, "sound").GetValue(), 1000u);
    EXPECT_TRUE(FullScreen(options).checked);
    EXPECT_EQ(Config().values.mode, "640x480x32");
    EXPECT_FALSE(Config().values.fullscreen);

    EXPECT_EQ(Click(options, "/window/button_2"), WindowResult::GoToMainMenu);
    EXPECT_EQ(Config().values.mode, defaultMode);
    EXPECT_TRUE(Config().values.fullscreen);
}

TEST_F(SettingsWindowsTest, TheInDayFullScreenBoxSwitchesAtOnceAndFollowsASwitchMadeElsewhere) {
    Config().values.fullscreen = false;
    auto& menu = MakeMenu();
    menu.Open(WindowId::GameLogic);
    RunFor(1.0f);
    ClickOn(FullScreen(menu));
    Frame();
    EXPECT_TRUE(Config().values.fullscreen);
    EXPECT_EQ(Config().GetCommandState("v_window_change_mode"), 0) << "switched at once";
    Config().SetCommandState("v_window_change_mode", 1);

    // Alt+Enter, say.
    Config().values.fullscreen = false;
    Config().SetCommandState("v_window_change_mode", 0);
    Frame();
    EXPECT_FALSE(FullScreen(menu).checked);
    EXPECT_FALSE(menu.fullscreenChoice.value);
}

TEST_F(SettingsWindowsTest, TheInDayMenuReportsItsThreeChoices) {
    auto& menu = MakeMenu();
    menu.Open(WindowId::GameLogic);
    RunFor(1.0f);
    const std::pair<const char*, WindowResult> buttons[] = {{"/window/button_0", WindowResult::GoToLeaveLevel},
                                                            {"/window/button_1", WindowResult::GoToRestart},
                                                            {"/window/button_2", WindowResult::ResumeLevel}};
    for (const auto& [path, result] : buttons) EXPECT_EQ(Click(menu, path), result) << path;
}

TEST_F(SettingsWindowsTest, TheInDayMenuDimsTheDayFromTheDayButKeepsItDimmedWhenBackFromAQuestion) {
    auto& menu = MakeMenu();
    const GUITools::GUIControl& background = *menu.GetControl("window_game_logic_menu/background");
    for (WindowId source : {WindowId::GameLogicRestart, WindowId::GameLogicMenuExit}) {
        menu.Open(source);
        frameStep = [&] {
            if (menu.IsShown()) {
                EXPECT_FLOAT_EQ(background.GetFadeValue(), 1.0f) << static_cast<int>(source);
            }
        };
        RunFor(1.0f);
        frameStep = nullptr;
        EXPECT_EQ(Click(menu, "/window/button_1"), WindowResult::GoToRestart);
        menu.Close();
        RunFor(1.0f);
    }
    menu.Open(WindowId::GameLogic);
    Frames(2);
    EXPECT_LT(background.GetFadeValue(), 0.5f) << "fading in from the day";
    RunFor(1.0f);
    EXPECT_FLOAT_EQ(background.GetFadeValue(), 1.0f);
}

}  // namespace
