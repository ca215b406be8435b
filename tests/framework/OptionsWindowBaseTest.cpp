// The options window base in the test game (default mode "800x600x32"): the sorted
// mode list, the working copy taken on opening, Apply writing only what changed and
// always saving, and the defaults restored.

#include "framework/windows/GUIOptionsWindowBase.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/kernel/Config.h"
#include "engine/kernel/ConfigVariable.h"
#include "framework/AudioManager.h"
#include "tests/framework/TestGameFixture.h"

namespace {

using GameFramework::GUIOptionsWindowBase;
using GameFramework::WindowId;

class OptionsWindowBaseTest : public frameworktest::TestGameFixture {
protected:
    void SetUp() override {
        TestGameFixture::SetUp();
        MakeGameWithWindows();
        options_ = &dynamic_cast<GUIOptionsWindowBase&>(*game_->FindWindow("options"));
        config_ = Vantor::Config::Instance();
        // The framework's console commands register it; they are not part of these tests.
        config_->RegisterVariable("g_update_video_mode", Vantor::ConfigVariableType::Command, false, false, nullptr,
                                  "", false);
    }

    std::vector<std::string> ModeTexts() const {
        std::vector<std::string> texts;
        for (const auto& mode : options_->GetModes()) texts.push_back(mode->text);
        return texts;
    }
    void AddModes() {
        for (const auto& [width, height] : {std::pair{1024, 768}, {800, 600}, {1024, 600}, {800, 600}, {1280, 720}})
            options_->AddMode(width, height);
    }
    std::filesystem::path IniPath() const { return home_.folder.Path() / kGameFolder / "Test Game.ini"; }
    bool VideoModeUpdateIssued() const { return config_->GetCommandState("g_update_video_mode") == 0; }

    GUIOptionsWindowBase* options_ = nullptr;
    Vantor::Config* config_ = nullptr;
};

TEST_F(OptionsWindowBaseTest, ModesStaySortedByWidthThenHeightWithoutDuplicates) {
    AddModes();
    EXPECT_EQ((std::vector<std::string>{"800x600", "1024x600", "1024x768", "1280x720"}), ModeTexts());
    std::int32_t index = -1;
    EXPECT_TRUE(options_->FindMode(1024, 768, &index));
    EXPECT_EQ(2, index);
    EXPECT_FALSE(options_->FindMode(640, 480, &index));
    EXPECT_EQ(2, index) << "untouched when missing";
}

TEST_F(OptionsWindowBaseTest, OpeningChoosesTheConfiguredModeOrFallsBackToTheDefault) {
    struct Case {
        const char* mode;
        const char* chosen;
        std::int32_t bits;
    };
    AddModes();
    for (const Case& c : {Case{"1024x768x16", "1024x768", 16}, Case{"1280x1024x32", "800x600", 32},
                          Case{"desktop", "800x600", 16}}) {
        config_->values.mode = c.mode;
        options_->Open(WindowId::MainMenu);
        EXPECT_EQ(c.chosen, options_->GetModes()[static_cast<std::size_t>(options_->chosenMode)]->text) << c.mode;
        EXPECT_EQ(c.bits, options_->bitDepth) << c.mode;
    }
}

TEST_F(OptionsWindowBaseTest, WithoutTheDefaultModeTheFirstModeIsChosen) {
    options_->AddMode(1280, 720);
    options_->AddMode(1024, 768);
    config_->values.mode = "1600x1200x32";
    options_->Open(WindowId::MainMenu);
    EXPECT_EQ(0, options_->chosenMode);
}

TEST_F(OptionsWindowBaseTest, ApplyingTheSameModeInOtherLetterCaseChangesNothingButSaves) {
    AddModes();
    config_->values.mode = "1024X768X32";
    options_->Open(WindowId::MainMenu);
    std::filesystem::remove(IniPath());
    options_->Apply();
    EXPECT_EQ("1024X768X32", config_->values.mode);
    EXPECT_FALSE(VideoModeUpdateIssued());
    EXPECT_TRUE(std::filesystem::exists(IniPath()));
}

TEST_F(OptionsWindowBaseTest, ApplyingAnotherModeOrOnlyFullScreenIssuesTheVideoModeUpdate) {
    AddModes();
    config_->values.mode = "800x600x32";
    config_->values.fullscreen = false;
    options_->Open(WindowId::MainMenu);
    options_->fullscreenChoice.value = true;
    options_->Apply();
    EXPECT_EQ("800x600x32", config_->values.mode) << "full screen only";
    EXPECT_TRUE(config_->values.fullscreen);
    EXPECT_TRUE(VideoModeUpdateIssued());

    config_->SetCommandState("g_update_video_mode", 1);
    options_->Open(WindowId::MainMenu);
    options_->chosenMode = 2;
    options_->Apply();
    EXPECT_EQ("1024x768x32", config_->values.mode);
    EXPECT_TRUE(VideoModeUpdateIssued());
}

TEST_F(OptionsWindowBaseTest, RestoringTheDefaultsSelectsFullScreenTheDefaultModeAndVolumesAtOnce) {
    AddModes();
    GameFramework::AudioManager& audio = *game_->GetAudioManager();
    config_->values.mode = "1024x768x16";
    config_->values.fullscreen = false;
    options_->Open(WindowId::MainMenu);
    audio.SetMusicVolume(0.1f);
    audio.SetSoundVolume(0.2f);
    options_->RestoreDefaults();
    EXPECT_TRUE(options_->fullscreenChoice.value);
    EXPECT_EQ(0, options_->chosenMode);
    EXPECT_EQ(32, options_->bitDepth);
    EXPECT_FLOAT_EQ(audio.GetConfiguredMusicVolume(), audio.GetMusicVolume());
    EXPECT_FLOAT_EQ(audio.GetConfiguredSoundVolume(), audio.GetSoundVolume());
    EXPECT_EQ("1024x768x16", config_->values.mode) << "the mode waits for Apply";
    EXPECT_FALSE(config_->values.fullscreen);
}

TEST_F(OptionsWindowBaseTest, RestoringTheVolumesPutsBackThoseOfTheOpening) {
    GameFramework::AudioManager& audio = *game_->GetAudioManager();
    audio.SetMusicVolume(0.4f);
    audio.SetSoundVolume(0.6f);
    options_->Open(WindowId::MainMenu);
    audio.SetMusicVolume(0.1f);
    audio.SetSoundVolume(0.2f);
    options_->RestoreVolumes();
    EXPECT_FLOAT_EQ(0.4f, audio.GetMusicVolume());
    EXPECT_FLOAT_EQ(0.6f, audio.GetSoundVolume());
}

}  // namespace
