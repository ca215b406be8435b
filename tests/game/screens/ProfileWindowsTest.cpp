// The profile windows: the list with the current player first, scrolling and choosing a
// player; creating, renaming and deleting profiles with their name conflicts; and the
// reset of the current player's game.

#include <gtest/gtest.h>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/ProfileBase.h"
#include "game/Profile.h"
#include "game/screens/GUIDeleteProfileWindow.h"
#include "game/screens/GUINewProfileWindow.h"
#include "game/screens/GUIProfileNameConflictWindow.h"
#include "game/screens/GUIProfilesWindow.h"
#include "game/screens/GUIRenameProfileWindow.h"
#include "game/screens/GUIResetProfileWindow.h"
#include "platform/WinUser.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

class ProfileWindowsTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteTexts(R"(<common><exit text="Exit" /><cancel text="Cancel" /></common>
                      <question text="Delete %PROFILE_NAME%?" />)");
        std::string list = R"(<window name="window_profiles"><window name="window" position="100 50" size="600 500">
            <window name="text_area" position="0 100" size="400 400">)";
        for (int row = 0; row < 8; ++row)
            list += ButtonXml("button_profile_" + std::to_string(row), {0.0f, 40.0f * static_cast<float>(row)},
                              {400, 35}, "");
        list += R"(</window><scroll name="scroll" position="420 100" size="20 320" orientation="vertical" />)";
        const char* buttons[] = {"create", "rename", "delete", "done"};
        for (int index = 0; index < 4; ++index)
            list += ButtonXml(buttons[index], {110.0f * static_cast<float>(index), 20.0f}, {100, 40}, buttons[index]);
        WriteLayout("profiles.xml", list + "</window></window>");
        const std::string nameField = R"(<edit_box name="name" font="common" position="50 150" size="300 40" />)";
        WriteLayout("new_profile.xml", DialogLayout("new_profile", nameField));
        WriteLayout("rename_profile.xml", DialogLayout("rename_profile", nameField));
        WriteLayout("delete_profile.xml",
                    DialogLayout("delete_profile", R"(<text_label name="text" font="common" text="question"
                                                         position="0 150" size="400 100" />)"));
        WriteLayout("conflict.xml", DialogLayout("profile_name_conflict", ""));
        WriteLayout("reset_profile.xml", DialogLayout("reset_profile", ""));
        MakeGame();
        // Away from every row, so that none is hovered.
        MoveMouseTo({1, 1});
    }

    // A window body of two buttons below a name field or a text.
    static std::string DialogLayout(const std::string& name, const std::string& inside) {
        return "<window name=\"window_" + name + "\"><window name=\"window\" position=\"200 150\" size=\"400 300\">" +
               inside + ButtonXml("button_0", {50, 50}, {100, 50}, "No") +
               ButtonXml("button_1", {250, 50}, {100, 50}, "Yes") + "</window></window>";
    }

    Morvane::GUIProfilesWindow& MakeList() {
        return MakeWindow<Morvane::GUIProfilesWindow>(audio_.get(), profiles_.get(), data_.get(), tools_.get(),
                                                      menus_.get(), nullptr);
    }
    template <class Window>
    Window& MakeNamed() {
        return MakeWindow<Window>(profiles_.get(), audio_.get(), data_.get(), tools_.get(), menus_.get(), nullptr);
    }

    template <class Window>
    WindowResult Click(Window& window, const std::string& path) {
        ClickOn(*window.GetButton(window.GetLayoutName() + path));
        Frame();
        return window.GetResult();
    }
    // Closes the window and lets its closing end.
    template <class Window>
    void CloseAndSettle(Window& window) {
        window.Close();
        RunFor(0.5f);
    }
    static std::string Row(int k) { return "/window/text_area/button_profile_" + std::to_string(7 - k); }
    std::vector<std::wstring> ProfileNames() const {
        std::vector<std::wstring> names;
        for (const GameFramework::ProfileBase* profile : profiles_->GetProfiles()) names.push_back(profile->GetName());
        return names;
    }
};

TEST_F(ProfileWindowsTest, ThreeProfilesFillTheTopRowsWithTheCurrentPlayerFirstAndDisabled) {
    MakeProfiles({L"Cid", L"ann", L"Bob"});
    Morvane::GUIProfilesWindow& list = MakeList();
    list.Open(WindowId::MainMenu);
    RunFor(0.5f);
    EXPECT_EQ(list.GetNames(), (std::vector<std::wstring>{L"Cid", L"ann", L"Bob"}));
    for (int k = 0; k < 8; ++k) {
        const std::string row = "window_profiles" + Row(k);
        EXPECT_EQ(list.IsControlEnabled(row), k < 3) << k;
        EXPECT_EQ(list.GetButton(row)->IsVisible(), k < 3) << k;
    }
    EXPECT_EQ(ShownText(*list.GetTextControl("window_profiles" + Row(1) + "/title")), L"ann");
    EXPECT_EQ(list.GetButton("window_profiles" + Row(0))->state, Vantor::GUIButton::kDisabled);
    EXPECT_EQ(list.GetTextControl("window_profiles" + Row(0) + "/title")->fontName, "common_1");
    EXPECT_EQ(list.GetTextControl("window_profiles" + Row(2) + "/title")->fontName, "common_0");
    const Vantor::GUIScroll& scroll = *list.GetScroll("window_profiles/window/scroll");
    EXPECT_FALSE(scroll.IsEnabled());
    EXPECT_TRUE(scroll.inverted);

    // A click on another row makes that player current in the same frame.
    EXPECT_EQ(Click(list, Row(2)), WindowResult::None);
    EXPECT_EQ(profiles_->GetCurrentProfile()->GetName(), L"Bob");
    EXPECT_EQ(list.GetButton("window_profiles" + Row(2))->state, Vantor::GUIButton::kDisabled);
}

TEST_F(ProfileWindowsTest, TenProfilesScrollInThreeSteps) {
    std::vector<std::wstring> names;
    for (wchar_t letter = L'a'; letter < L'a' + 10; ++letter) names.push_back(std::wstring(1, letter));
    MakeProfiles(names);
    Morvane::GUIProfilesWindow& list = MakeList();
    list.Open(WindowId::MainMenu);
    RunFor(0.5f);
    Vantor::GUIScroll& scroll = *list.GetScroll("window_profiles/window/scroll");
    EXPECT_EQ(scroll.GetStepCount(), 3u);
    EXPECT_TRUE(scroll.IsEnabled());
    scroll.SetValue(2);
    Frame();
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(ShownText(*list.GetTextControl("window_profiles" + Row(k) + "/title")), names[2 + k]) << k;
}

TEST_F(ProfileWindowsTest, TheListsButtonsLeadOnAndNameTheCurrentPlayer) {
    MakeProfiles({L"Ann", L"Bob"});
    Morvane::GUIProfilesWindow& list = MakeList();
    list.Open(WindowId::MainMenu);
    RunFor(0.5f);
    EXPECT_EQ(Click(list, "/window/create"), WindowResult::GoToNewProfile);
    EXPECT_EQ(list.GetProfileName(), L"");
    EXPECT_EQ(Click(list, "/window/rename"), WindowResult::GoToRenameProfile);
    EXPECT_EQ(list.GetProfileName(), L"Ann");
    EXPECT_EQ(Click(list, "/window/delete"), WindowResult::GoToDeleteProfile);
    EXPECT_EQ(Click(list, "/window/done"), WindowResult::GoToMainMenu);
}

TEST_F(ProfileWindowsTest, ARowWhosePlayerHasGoneSelectsNobody) {
    MakeProfiles({L"Ann", L"Bob"});
    Morvane::GUIProfilesWindow& list = MakeList();
    list.Open(WindowId::MainMenu);
    RunFor(0.5f);
    profiles_->DeleteProfile(L"Bob");
    EXPECT_EQ(Click(list, Row(1)), WindowResult::None);
    EXPECT_EQ(profiles_->GetCurrentProfile()->GetName(), L"Ann");
}

TEST_F(ProfileWindowsTest, DeletingTheLastProfileLeadsToANewProfileWhoseCancelExits) {
    MakeProfiles({L"Ann"});
    auto& remove = MakeNamed<Morvane::GUIDeleteProfileWindow>();
    auto& create = MakeNamed<Morvane::GUINewProfileWindow>();
    remove.OpenWith(WindowId::Profiles, L"Ann");
    RunFor(0.5f);
    EXPECT_EQ(ShownText(*remove.GetTextControl("window_delete_profile/window/text")), L"Delete \"Ann\"?");
    EXPECT_EQ(Click(remove, "/window/button_0"), WindowResult::GoToProfiles);
    EXPECT_EQ(profiles_->GetProfiles().size(), 1u);
    EXPECT_EQ(Click(remove, "/window/button_1"), WindowResult::GoToNewProfile);
    EXPECT_TRUE(profiles_->GetProfiles().empty());
    CloseAndSettle(remove);

    create.OpenWith(WindowId::DeleteProfile, true);
    RunFor(0.5f);
    EXPECT_EQ(ShownText(*create.GetTextControl("window_new_profile/window/button_0/title")), L"Exit");
    EXPECT_EQ(Click(create, "/window/button_0"), WindowResult::GoToExit);
}

TEST_F(ProfileWindowsTest, ANewProfileIsCreatedUnlessItsNameIsTakenInAnyLetterCase) {
    MakeProfiles({L"Ann"});
    auto& create = MakeNamed<Morvane::GUINewProfileWindow>();
    create.OpenWith(WindowId::Profiles, true);
    RunFor(0.5f);
    EXPECT_EQ(ShownText(*create.GetTextControl("window_new_profile/window/button_0/title")), L"Cancel");
    EXPECT_EQ(Click(create, "/window/button_0"), WindowResult::GoToProfiles);

    Vantor::GUIEditBox& entry = *create.GetEditBox("window_new_profile/window/name");
    entry.SetText(L"aNN");
    Frame();
    EXPECT_EQ(Click(create, "/window/button_1"), WindowResult::NameAlreadyUsed);
    EXPECT_EQ(ProfileNames(), std::vector<std::wstring>{L"Ann"});

    entry.SetText(L" Bob ");
    Frame();
    PressKey(VK_RETURN);
    Frame();
    EXPECT_EQ(create.GetResult(), WindowResult::GoToProfiles);
    EXPECT_EQ(ProfileNames(), (std::vector<std::wstring>{L"Ann", L"Bob"}));
    EXPECT_EQ(profiles_->GetCurrentProfile()->GetName(), L"Bob");
}

TEST_F(ProfileWindowsTest, ARenameToATakenNameGoesThroughTheConflictAndBackWithTheTypedNameKept) {
    MakeProfiles({L"Ann", L"Bob"});
    auto& rename = MakeNamed<Morvane::GUIRenameProfileWindow>();
    auto& conflict = MakeWindow<Morvane::GUIProfileNameConflictWindow>(audio_.get(), data_.get(), tools_.get(),
                                                                      menus_.get(), nullptr);
    Vantor::GUIEditBox& entry = *rename.GetEditBox("window_rename_profile/window/name");
    rename.OpenWith(WindowId::Profiles, true, L"Ann");
    RunFor(0.5f);
    EXPECT_EQ(entry.GetText(), L"Ann");

    entry.SetText(L"ANN");
    Frame();
    EXPECT_EQ(Click(rename, "/window/button_1"), WindowResult::GoToProfiles) << "its own name";
    EXPECT_EQ(ProfileNames(), (std::vector<std::wstring>{L"Ann", L"Bob"}));

    entry.SetText(L"bob");
    Frame();
    EXPECT_EQ(Click(rename, "/window/button_1"), WindowResult::NameAlreadyUsed);
    CloseAndSettle(rename);
    conflict.Open(WindowId::RenameProfile);
    RunFor(0.5f);
    PressKey(VK_RETURN);
    Frame();
    EXPECT_EQ(conflict.GetResult(), WindowResult::GoToRenameProfile);
    CloseAndSettle(conflict);

    rename.OpenWith(WindowId::ProfileNameConflict, false, L"");
    RunFor(0.5f);
    EXPECT_EQ(entry.GetText(), L"bob");
    entry.SetText(L"Cid");
    Frame();
    EXPECT_EQ(Click(rename, "/window/button_1"), WindowResult::GoToProfiles);
    EXPECT_EQ(ProfileNames(), (std::vector<std::wstring>{L"Bob", L"Cid"}));
    EXPECT_EQ(Click(rename, "/window/button_0"), WindowResult::GoToProfiles);
}

TEST_F(ProfileWindowsTest, TheConflictWindowReturnsToTheNewProfileWindowItCameFrom) {
    auto& conflict = MakeWindow<Morvane::GUIProfileNameConflictWindow>(audio_.get(), data_.get(), tools_.get(),
                                                                      menus_.get(), nullptr);
    conflict.Open(WindowId::NewProfile);
    RunFor(0.5f);
    EXPECT_EQ(Click(conflict, "/window/button_0"), WindowResult::GoToNewProfile);
}

TEST_F(ProfileWindowsTest, OnlyTheResetButtonStartsTheGameOverAndBothGoToTheDay) {
    MakeProfiles({L"Ann"});
    Morvane::Profile& ann = *profiles_->GetCurrent();
    ann.SetDay(7);
    ann.SetMoney(500);
    ann.Save();
    auto& reset = MakeWindow<Morvane::GUIResetProfileWindow>(audio_.get(), profiles_.get(), data_.get(),
                                                             tools_.get(), menus_.get(), nullptr);
    reset.Open(WindowId::StartGameLogic);
    RunFor(0.5f);
    EXPECT_EQ(Click(reset, "/window/button_0"), WindowResult::GoToStart);
    EXPECT_EQ(ann.GetDay(), 7);
    EXPECT_EQ(Click(reset, "/window/button_1"), WindowResult::GoToStart);
    EXPECT_EQ(ann.GetMoney(), 0);

    // The file says so too.
    windows_.clear();
    profiles_ = std::make_unique<Morvane::ProfileManager>(audio_.get(), home_.root + L"\\user");
    EXPECT_EQ(profiles_->GetCurrent()->GetMoney(), 0);
    EXPECT_EQ(profiles_->GetCurrent()->GetDay(), 0);
}

TEST_F(ProfileWindowsTest, StoredNamesWithMarkUpCharactersShowPlainlyAndStillSelectTheirProfile) {
    MakeProfiles({L"Ann", L"{B}o|b%"});
    Morvane::GUIProfilesWindow& list = MakeList();
    list.Open(WindowId::MainMenu);
    RunFor(0.5f);
    EXPECT_EQ(ShownText(*list.GetTextControl("window_profiles" + Row(1) + "/title")), L"Bob");
    Click(list, Row(1));
    EXPECT_EQ(profiles_->GetCurrentProfile()->GetName(), L"{B}o|b%");
    CloseAndSettle(list);

    auto& remove = MakeNamed<Morvane::GUIDeleteProfileWindow>();
    remove.OpenWith(WindowId::Profiles, L"{B}o|b%");
    RunFor(0.5f);
    EXPECT_EQ(ShownText(*remove.GetTextControl("window_delete_profile/window/text")), L"Delete \"Bob\"?");
    Click(remove, "/window/button_1");
    EXPECT_EQ(ProfileNames(), std::vector<std::wstring>{L"Ann"});
}

}  // namespace
