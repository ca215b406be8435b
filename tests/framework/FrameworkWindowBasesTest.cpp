// The framework window bases in the test game: profile names in other letter case, the
// loading window's step count, the level menu's Apply and Close, and the tutorial
// window following its hints.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/gui/GUIManager.h"
#include "engine/kernel/Config.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/Tutorial.h"
#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/GUINewProfileWindowBase.h"
#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "framework/windows/GUITutorialWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "tests/framework/TestGameFixture.h"
#include "tools/DataKeeper.h"

namespace {

using GameFramework::WindowId;

class FrameworkWindowBasesTest : public frameworktest::TestGameFixture {
protected:
    template <class Base>
    Base& Window(const std::string& name) {
        return dynamic_cast<Base&>(*game_->FindWindow(name));
    }

    std::vector<std::wstring> ProfileNames() const {
        std::vector<std::wstring> names;
        for (const GameFramework::ProfileBase* profile : game_->GetProfileManager()->GetProfiles())
            names.push_back(profile->GetName());
        return names;
    }

    std::filesystem::path IniPath() const { return home_.folder.Path() / kGameFolder / "Test Game.ini"; }

    static std::vector<Vantor::GUIWindow*>& ExclusiveInput() {
        return Vantor::GUIManager::Instance()->GetExclusiveInputList();
    }
};

TEST_F(FrameworkWindowBasesTest, ANewProfileInOtherLetterCaseIsRefused) {
    MakeGameWithWindows();
    Window<GameFramework::GUIWelcomeWindowBase>("welcome").CreateProfile(L"Anna");
    EXPECT_EQ(L"Anna", game_->GetProfileManager()->GetCurrentProfile()->GetName());
    auto& newProfile = Window<GameFramework::GUINewProfileWindowBase>("new_profile");
    EXPECT_FALSE(newProfile.CreateProfile(L"ANNA"));
    EXPECT_EQ(std::vector<std::wstring>{L"Anna"}, ProfileNames());
    EXPECT_TRUE(newProfile.CreateProfile(L"Bert"));
    EXPECT_EQ(L"Bert", game_->GetProfileManager()->GetCurrentProfile()->GetName());
}

TEST_F(FrameworkWindowBasesTest, RenamingToTheOwnNameInOtherCaseChangesNothing) {
    MakeGameWithWindows();
    Window<GameFramework::GUIWelcomeWindowBase>("welcome").CreateProfile(L"Anna");
    Window<GameFramework::GUIWelcomeWindowBase>("welcome").CreateProfile(L"Bert");
    auto& rename = Window<GameFramework::GUIRenameProfileWindowBase>("rename_profile");
    rename.OpenWith(WindowId::Profiles, true, L"Anna");
    EXPECT_TRUE(rename.RenameProfile(L"aNNA"));
    EXPECT_EQ((std::vector<std::wstring>{L"Anna", L"Bert"}), ProfileNames());
    EXPECT_FALSE(rename.RenameProfile(L"bert")) << "another profile's name";
    rename.OpenWith(WindowId::ProfileNameConflict, false, L"ignored");
    EXPECT_EQ(L"Anna", rename.GetProfileName()) << "opened without set, the name stays";
    EXPECT_TRUE(rename.RenameProfile(L"Carla"));
    EXPECT_EQ((std::vector<std::wstring>{L"Bert", L"Carla"}), ProfileNames());
}

TEST_F(FrameworkWindowBasesTest, LoadStepFinishesAtTheStepPastTheExtraSteps) {
    MakeGameWithWindows();
    // An empty queue and one extra step, done at once.
    struct OneExtraStep : GameTools::DataKeeper {
        bool LoadExtraStep(int step) override { return step == kResourceSteps + 1; }
    } keeper;
    auto& loading = Window<GameFramework::GUILoadingWindowBase>("game_loading");
    loading.OpenWith(WindowId::Logos, &keeper);
    int calls = 0;
    while (!loading.IsFinished() && calls < 1000) {
        loading.LoadStep();
        ++calls;
        if (!loading.IsFinished()) {
            EXPECT_LT(keeper.GetStep(), 102);
        }
    }
    EXPECT_EQ(102, keeper.GetStep());
    EXPECT_TRUE(loading.IsStepDone());
    loading.Close();
    EXPECT_EQ(nullptr, loading.GetDataKeeper());
    EXPECT_FALSE(loading.IsFinished());
}

TEST_F(FrameworkWindowBasesTest, TheLevelMenusApplySwitchesOnlyAChangedChoiceAndCloseAlwaysSaves) {
    MakeGameWithWindows();
    Vantor::Config& config = *Vantor::Config::Instance();
    auto& menu = Window<GameFramework::GUIGameLogicMenuWindowBase>("level_menu");
    menu.Open(WindowId::GameLogic);
    std::filesystem::remove(IniPath());
    menu.Apply();
    EXPECT_FALSE(std::filesystem::exists(IniPath())) << "an unchanged choice saves nothing";
    EXPECT_EQ(1, config.GetCommandState("v_window_change_mode"));

    menu.fullscreenChoice.value = !config.values.fullscreen;
    menu.Apply();
    EXPECT_EQ(menu.fullscreenChoice.value, config.values.fullscreen);
    EXPECT_TRUE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(0, config.GetCommandState("v_window_change_mode"));

    std::filesystem::remove(IniPath());
    menu.Close();
    EXPECT_TRUE(std::filesystem::exists(IniPath()));
}

TEST_F(FrameworkWindowBasesTest, AHintWithoutDelayOpensTheTutorialWindowAtOnce) {
    MakeGameWithWindows();
    game_->GetTutorial()->StartHint(1, 0.0f);
    game_->UpdateWindows();
    EXPECT_TRUE(game_->GetTutorialWindow()->IsShowing());
    EXPECT_TRUE(ExclusiveInput().empty()) << "no blocking entry before it opens";
    game_->GetTutorial()->EndHint();
    game_->UpdateWindows();
    EXPECT_FALSE(game_->GetTutorialWindow()->IsShowing());
    EXPECT_TRUE(game_->GetTutorial()->IsReady());
}

TEST_F(FrameworkWindowBasesTest, AHintEndedBeforeItsDelayReleasesTheInputWithoutOpening) {
    MakeGameWithWindows();
    game_->GetTutorial()->StartHint(1, 5.0f);
    game_->UpdateWindows();
    EXPECT_EQ(std::vector<Vantor::GUIWindow*>{nullptr}, ExclusiveInput()) << "input blocked while it waits";
    game_->UpdateWindows();
    EXPECT_EQ(1u, ExclusiveInput().size()) << "blocked once";
    game_->GetTutorial()->EndHint();
    game_->UpdateWindows();
    EXPECT_FALSE(game_->GetTutorialWindow()->IsShowing());
    EXPECT_TRUE(game_->GetTutorial()->IsReady());
    EXPECT_TRUE(ExclusiveInput().empty());
}

}  // namespace
