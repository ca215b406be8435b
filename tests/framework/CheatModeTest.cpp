// Cheat mode and the framework's console commands in a running test game: the phrase
// typed through injected keys, what spoils an attempt, the help text, and what each
// command prints or changes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/kernel/Config.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "platform/FailureInjection.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/framework/TestGameFixture.h"

namespace frameworktest {
namespace {

using GameFramework::LevelKey;

class CheatModeTest : public TestGameFixture {
protected:
    void SetUp() override {
        TestGameFixture::SetUp();
        MakeGameWithWindows();
        game_->Frame();
    }

    static Vantor::Console& Console() { return *Vantor::Console::Instance(); }

    // One frame per character: its key goes down and up before the frame; '.' stands
    // for a key the phrase does not watch, '|' for two keys at once (the next two).
    void Type(const std::string& keys) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == '|') {
                Press(keys[i + 1]);
                Press(keys[i + 2]);
                i += 2;
            } else {
                Press(keys[i]);
            }
            game_->Frame();
        }
    }

    static void Press(char key) {
        const UINT virtualKey = key == ' ' ? VK_SPACE : key == '.' ? VK_F5 : static_cast<UINT>(key - 'a' + 'A');
        platform::seam::InjectKeyDown(virtualKey);
        platform::seam::InjectKeyUp(virtualKey);
    }

    // The texts of the frame's messages of one kind, without their line breaks.
    static std::vector<std::string> Printed(Vantor::MessageKind kind) {
        std::vector<std::string> texts;
        for (const Vantor::LogMessage* message : Vantor::MessageManager::Instance()->GetMessages()) {
            if (message->kind != kind) continue;
            std::string text = message->text;
            if (!text.empty() && text.back() == '\n') text.pop_back();
            texts.push_back(text);
        }
        return texts;
    }

    // Issues the command and runs the frame that carries it out.
    void Issue(const std::string& command) {
        Vantor::Config::Instance()->ExecuteLine(command);
        game_->Frame();
    }

    GameFramework::ProfileBase& SelectProfile() {
        GameFramework::ProfileManagerBase* profiles = game_->GetProfileManager();
        GameFramework::ProfileBase* profile = profiles->CreateProfileIfMissing(L"Ann");
        profiles->SelectProfile(profile, true);
        return *profile;
    }
};

// --- The phrase ---

TEST_F(CheatModeTest, ConsoleStartsDisabled) { EXPECT_FALSE(Console().IsEnabled()); }

TEST_F(CheatModeTest, PhraseSwitchesCheatModeOnAndOpensTheConsoleWithTheHelpText) {
    Type("my tiny goat");
    EXPECT_TRUE(Console().IsEnabled());
    EXPECT_EQ(Console().GetState(), Vantor::ConsoleState::Opening);
    const std::string rule(39, '-');
    EXPECT_EQ(Printed(Vantor::MessageKind::Highlight),
              (std::vector<std::string>{"", rule, "- CHEAT MODE ON", rule, "- Key \"~\" - toggle console",
                                        "- Console command \"g_disable_cheats\" - cheat mode off"}));
}

TEST_F(CheatModeTest, WhatSwitchesCheatModeOnAndWhatDoesNot) {
    struct Case {
        const char* keys;
        bool on;
    };
    for (const Case& c : {
             Case{"my. t.iny.. goat", true},   // unwatched keys between the letters
             Case{"mmy tiny goat", true},      // the first letter again restarts the attempt
             Case{"my tginy goat", false},     // a wrong watched letter spoils it
             Case{"my tgmy tiny goat", true},  // ... and the attempt starts again from 'm'
             Case{"m|ay tiny goat", true},     // two keys in a frame: 'y' is watched before 'a'
             Case{"my |tminy goat", false},    // ... and 'm' before 't'
             Case{"my tiny goa", false},
         }) {
        SCOPED_TRACE(c.keys);
        // Every case starts with 'm', which starts a fresh attempt whatever came before.
        Issue("g_disable_cheats");
        Type(c.keys);
        EXPECT_EQ(Console().IsEnabled(), c.on);
    }
}

TEST_F(CheatModeTest, PhraseTypedAgainInCheatModeChangesNothing) {
    Type("my tiny goat");
    Console().Close();
    Type("my tiny goat");
    EXPECT_TRUE(Console().IsEnabled());
    EXPECT_NE(Console().GetState(), Vantor::ConsoleState::Opening);
    EXPECT_TRUE(Printed(Vantor::MessageKind::Highlight).empty());
}

TEST_F(CheatModeTest, DisableCheatsClosesTheConsoleAndThePhraseWorksAgain) {
    Type("my tiny goat");
    Issue("g_disable_cheats");
    EXPECT_FALSE(Console().IsEnabled());
    EXPECT_EQ(Vantor::Config::Instance()->GetCommandState("g_disable_cheats"), 1);
    Type("my tiny goat");
    EXPECT_TRUE(Console().IsEnabled());
}

// --- Reports ---

TEST_F(CheatModeTest, UsedVideoMemoryIsPrintedInMegabytesWithTwoDecimals) {
    Vantor::TextureManager* textures = Vantor::ShaderManager::Instance()->GetTextureManager();
    std::vector<Vantor::Texture2D*> all;
    textures->GetTextures(all);
    for (Vantor::Texture2D* texture : all) texture->videoBytes = 0;
    all.front()->videoBytes = 3145728;
    Issue("d_get_used_video_memory_size");
    EXPECT_EQ(Printed(Vantor::MessageKind::Message), std::vector<std::string>{"Video Memory Used: 3.00 Mb"});
}

TEST_F(CheatModeTest, OccupationAndTextureListsFollowTheManagers) {
    Issue("d_get_manages_occupation");
    const std::vector<std::string> lines = Printed(Vantor::MessageKind::Message);
    ASSERT_EQ(lines.size(), 5u);
    const char* prefixes[] = {"Shader users count: ", "Shaders count: ", "Textures count: ", "Models count: ",
                              "Sounds count: "};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(lines[i].rfind(prefixes[i], 0), 0u) << lines[i];
    EXPECT_EQ(lines[2], "Textures count: " +
                            std::to_string(Vantor::ShaderManager::Instance()->GetTextureManager()->GetTextureCount()));

    std::vector<Vantor::Texture2D*> all;
    Vantor::ShaderManager::Instance()->GetTextureManager()->GetTextures(all);
    all.back()->videoBytes = 4096;
    Issue("d_get_loaded_textures");
    const std::vector<std::string> listed = Printed(Vantor::MessageKind::Message);
    ASSERT_EQ(listed.size(), all.size());
    const std::size_t last = all.size() - 1;
    EXPECT_EQ(listed[last], "Texture " + std::to_string(last) + ": " + all.back()->key + " (used memory: 4096)");
}

class CheatModeWithoutSoundTest : public CheatModeTest {
protected:
    void SetUp() override {
        TestGameFixture::SetUp();
        platform::seam::FailNextCalls("DirectSoundCreate", 1);
        MakeGameWithWindows();
        game_->Frame();
    }
};

TEST_F(CheatModeWithoutSoundTest, OccupationCountsNoSoundsWhenTheGameRunsSilent) {
    ASSERT_EQ(game_->GetEngine()->GetSoundManager(), nullptr);
    Issue("d_get_manages_occupation");
    const std::vector<std::string> lines = Printed(Vantor::MessageKind::Message);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], "Sounds count: 0");
}

// --- Levels ---

TEST_F(CheatModeTest, OpenMapOpensEveryLevelAndStartsAgainFromTheFirst) {
    GameFramework::ProfileBase& profile = SelectProfile();
    profile.SetCurrentLevel({0, 1});
    Issue("g_open_map");
    EXPECT_EQ(profile.GetMaxLevel(), (LevelKey{1, 1}));
    EXPECT_EQ(profile.GetCurrentLevel(), (LevelKey{0, 0}));
}

TEST_F(CheatModeTest, OpenMapOnAProfileAtTheLastLevelKeepsItsMaximum) {
    GameFramework::ProfileBase& profile = SelectProfile();
    profile.SetMaxLevel({1, 1}, true);
    profile.SetCurrentLevel({1, 1});
    Issue("g_open_map");
    EXPECT_EQ(profile.GetMaxLevel(), (LevelKey{1, 1}));
    EXPECT_TRUE(profile.IsCompleted());
    EXPECT_EQ(profile.GetCurrentLevel(), (LevelKey{0, 0}));
}

TEST_F(CheatModeTest, OpenMapAndResetMapWithoutAProfileDoNothing) {
    Issue("g_open_map");
    Issue("g_reset_map");
    EXPECT_EQ(game_->GetProfileManager()->GetCurrentProfile(), nullptr);
}

TEST_F(CheatModeTest, ResetMapStartsAgainFromTheFirstLevelAndKeepsTheMaximum) {
    GameFramework::ProfileBase& profile = SelectProfile();
    profile.SetMaxLevel({0, 1}, false);
    profile.SetCurrentLevel({0, 1});
    profile.SetGameInProgress(true);
    profile.AddGameScore(7);
    Issue("g_reset_map");
    EXPECT_EQ(profile.GetCurrentLevel(), (LevelKey{0, 0}));
    EXPECT_EQ(profile.GetMaxLevel(), (LevelKey{0, 1}));
    EXPECT_FALSE(profile.IsGameInProgress());
    EXPECT_EQ(profile.GetGameScore(), 0);
}

class CheatModeEmptyLastStageTest : public CheatModeTest {
protected:
    void SetUp() override {
        TestGameFixture::SetUp();
        home_.folder.WriteFile("data/levels/levels.xml", "<levels><stage><level/><level/></stage><stage/></levels>");
        MakeGameWithWindows();
        game_->Frame();
    }
};

TEST_F(CheatModeEmptyLastStageTest, OpenMapStopsAtTheLastLevelThatExists) {
    GameFramework::ProfileBase& profile = SelectProfile();
    Issue("g_open_map");
    EXPECT_EQ(profile.GetMaxLevel(), (LevelKey{0, 1}));
}

}  // namespace
}  // namespace frameworktest
