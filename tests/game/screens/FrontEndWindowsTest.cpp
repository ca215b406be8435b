// The main menu, welcome and exit windows: the player's name in the menu's title, the
// buttons' fonts and results, clicks before the body has shown or while closing, the
// first profile typed in the welcome window, and where the exit window returns to.

#include <gtest/gtest.h>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "framework/ProfileBase.h"
#include "game/screens/GUIExitWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

class FrontEndWindowsTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        // The body comes into view a quarter of a second after the opening is granted.
        WriteLayout("faders.xml",
                    R"(<faders><fader name="body" show_speed="4" hide_speed="4" show_offset="0.25" />
                       <fader name="frame" show_speed="4" hide_speed="4" /></faders>)");
        std::string menu = R"(<window name="window_main_menu" fader="frame">
            <text_label name="title" font="common" text="'Hello, %PROFILE_NAME%!'" position="100 520" size="600 60" />
            <window name="window" fader="body" position="200 50" size="400 400">)";
        const char* buttons[] = {"start", "high_scores", "options", "change_player", "exit"};
        for (int index = 0; index < 5; ++index)
            menu += ButtonXml(buttons[index], {50.0f, 320.0f - 70.0f * static_cast<float>(index)}, {300, 50},
                              buttons[index]);
        WriteLayout("main_menu.xml", menu + "</window></window>");
        WriteLayout("welcome.xml", R"(<window name="window_welcome" fader="frame">
            <window name="window" fader="body" position="200 150" size="400 300">
              <edit_box name="name" font="common" position="50 150" size="300 40" />)" +
                                       ButtonXml("button_0", {50, 50}, {100, 50}, "Exit") +
                                       ButtonXml("button_1", {250, 50}, {100, 50}, "OK") + "</window></window>");
        WriteLayout("exit.xml", R"(<window name="window_exit" fader="frame">
            <window name="window" fader="body" position="200 150" size="400 300">)" +
                                    ButtonXml("button_0", {50, 50}, {100, 50}, "Stay") +
                                    ButtonXml("button_1", {250, 50}, {100, 50}, "Quit") + "</window></window>");
        MakeGame();
    }

    Morvane::GUIMainMenuWindow& MakeMenu() {
        return MakeWindow<Morvane::GUIMainMenuWindow>(profiles_.get(), audio_.get(), data_.get(), tools_.get(),
                                                      menus_.get(), nullptr);
    }
    Morvane::GUIWelcomeWindow& MakeWelcome() {
        return MakeWindow<Morvane::GUIWelcomeWindow>(profiles_.get(), audio_.get(), data_.get(), tools_.get(),
                                                     menus_.get(), nullptr);
    }
    Morvane::GUIExitWindow& MakeExit() {
        return MakeWindow<Morvane::GUIExitWindow>(audio_.get(), data_.get(), tools_.get(), menus_.get(), nullptr);
    }

    // Clicks the element and answers the result of that frame.
    template <class Window>
    WindowResult Click(Window& window, const std::string& path) {
        ClickOn(*window.GetButton(window.GetLayoutName() + path));
        Frame();
        return window.GetResult();
    }
    static const GUITools::GUITextControl& Title(const Morvane::GUIMainMenuWindow& menu, const std::string& button) {
        return *menu.GetTextControl("window_main_menu/window/" + button + "/title");
    }
};

TEST_F(FrontEndWindowsTest, TheMainMenuGreetsTheCurrentPlayerAtEachOpening) {
    MakeProfiles({L"Ann", L"Bob"});
    Morvane::GUIMainMenuWindow& menu = MakeMenu();
    menu.Open(WindowId::Logos);
    RunFor(1.0f);
    EXPECT_EQ(ShownText(*menu.GetTextControl("window_main_menu/title")), L"Hello, Ann!");

    profiles_->RenameProfile(L"Ann", L"Anna");
    menu.Close();
    RunFor(1.0f);
    menu.Open(WindowId::Options);
    RunFor(1.0f);
    EXPECT_EQ(ShownText(*menu.GetTextControl("window_main_menu/title")), L"Hello, Anna!");
}

TEST_F(FrontEndWindowsTest, EachMainMenuButtonReportsItsResult) {
    MakeProfiles({L"Ann"});
    Morvane::GUIMainMenuWindow& menu = MakeMenu();
    menu.Open(WindowId::Logos);
    RunFor(1.0f);
    const std::pair<const char*, WindowResult> cases[] = {
        {"/window/start", WindowResult::Play},          {"/window/high_scores", WindowResult::GoToHighScores},
        {"/window/options", WindowResult::GoToOptions}, {"/window/change_player", WindowResult::GoToProfiles},
        {"/window/exit", WindowResult::GoToExit},
    };
    for (const auto& [path, result] : cases) EXPECT_EQ(Click(menu, path), result) << path;
}

TEST_F(FrontEndWindowsTest, AMainMenuTitleTakesTheFontOfItsButtonsState) {
    MakeProfiles({L"Ann"});
    Morvane::GUIMainMenuWindow& menu = MakeMenu();
    menu.Open(WindowId::Logos);
    RunFor(1.0f);
    const Vantor::GUIWindow& start = *menu.GetButton("window_main_menu/window/start");
    MoveMouseTo(start.GetAbsolutePosition() + start.GetPosition() + start.GetSize() * 0.5f);
    Frame();
    EXPECT_EQ(Title(menu, "start").fontName, "main_menu_1");
    EXPECT_EQ(Title(menu, "options").fontName, "main_menu_0");

    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
    Frame();
    EXPECT_EQ(Title(menu, "start").fontName, "main_menu_2");
    MoveMouseTo({10, 10});
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    Frame();
    EXPECT_EQ(Title(menu, "start").fontName, "main_menu_0");
}

TEST_F(FrontEndWindowsTest, TheMainMenuIgnoresClicksBeforeItsBodyHasShownAndWhileClosing) {
    MakeProfiles({L"Ann"});
    Morvane::GUIMainMenuWindow& menu = MakeMenu();
    menu.Open(WindowId::Logos);
    EXPECT_EQ(menu.GetButton("window_main_menu/window/start")->state, Vantor::GUIButton::kDisabled);
    Frame();
    ASSERT_TRUE(menu.IsShown());
    EXPECT_EQ(Click(menu, "/window/start"), WindowResult::None) << "the body is not in view yet";
    RunFor(1.0f);
    menu.Close();
    EXPECT_EQ(Click(menu, "/window/start"), WindowResult::None) << "closing";
}

TEST_F(FrontEndWindowsTest, TheWelcomeWindowCreatesTheTrimmedNameOrSelectsTheOneThatExists) {
    Morvane::GUIWelcomeWindow& welcome = MakeWelcome();
    Vantor::GUIEditBox& entry = *welcome.GetEditBox("window_welcome/window/name");
    const Vantor::GUIButton& ok = *welcome.GetButton("window_welcome/window/button_1");
    entry.SetText(L"left over");
    welcome.Open(WindowId::Logos);
    RunFor(1.0f);
    EXPECT_EQ(entry.GetText(), L"");

    entry.SetText(L"   ");
    Frame();
    EXPECT_EQ(ok.state, Vantor::GUIButton::kDisabled) << "blanks only";
    PressKey(VK_RETURN);
    Frame();
    EXPECT_EQ(welcome.GetResult(), WindowResult::None);
    EXPECT_TRUE(profiles_->GetProfiles().empty());

    entry.SetText(L"  Ann Lee ");
    Frame();
    EXPECT_EQ(Click(welcome, "/window/button_1"), WindowResult::GoToMainMenu);
    ASSERT_EQ(profiles_->GetProfiles().size(), 1u);
    EXPECT_EQ(profiles_->GetCurrentProfile()->GetName(), L"Ann Lee");

    // Another name, then the first one again in other letters, confirmed with ENTER.
    profiles_->CreateProfileIfMissing(L"Bob");
    profiles_->SelectProfile(profiles_->FindProfile(L"Bob"), true);
    entry.SetText(L"ANN LEE");
    PressKey(VK_RETURN);
    Frame();
    EXPECT_EQ(welcome.GetResult(), WindowResult::GoToMainMenu);
    EXPECT_EQ(profiles_->GetProfiles().size(), 2u);
    EXPECT_EQ(profiles_->GetCurrentProfile()->GetName(), L"Ann Lee");

    EXPECT_EQ(Click(welcome, "/window/button_0"), WindowResult::GoToExit);
}

TEST_F(FrontEndWindowsTest, TheExitWindowQuitsFromAnywhereAndReturnsToTheWindowItCameFrom) {
    Morvane::GUIExitWindow& exit = MakeExit();
    const std::pair<WindowId, WindowResult> cases[] = {
        {WindowId::Welcome, WindowResult::GoToWelcome},
        {WindowId::MainMenu, WindowResult::GoToMainMenu},
        {WindowId::NewProfile, WindowResult::GoToNewProfile},
        {WindowId::Options, WindowResult::None},
    };
    for (const auto& [source, stay] : cases) {
        exit.Open(source);
        RunFor(1.0f);
        EXPECT_EQ(Click(exit, "/window/button_0"), stay) << static_cast<int>(source);
        EXPECT_EQ(Click(exit, "/window/button_1"), WindowResult::QuitProgram) << static_cast<int>(source);
        exit.Close();
        RunFor(1.0f);
    }
}

TEST_F(FrontEndWindowsTest, TypedMarkUpCharactersAreLeftOutOfTheNameAndANameOfOnlyThemIsEmpty) {
    Morvane::GUIWelcomeWindow& welcome = MakeWelcome();
    Vantor::GUIEditBox& entry = *welcome.GetEditBox("window_welcome/window/name");
    welcome.Open(WindowId::Logos);
    RunFor(1.0f);
    entry.SetText(L" {|}% ");
    Frame();
    EXPECT_EQ(welcome.GetButton("window_welcome/window/button_1")->state, Vantor::GUIButton::kDisabled);

    for (const wchar_t* typed : {L"A{nn", L"A}nn", L"A|nn", L"A%nn"}) {
        entry.SetText(typed);
        PressKey(VK_RETURN);
        Frame();
        EXPECT_EQ(welcome.GetResult(), WindowResult::GoToMainMenu);
        ASSERT_EQ(profiles_->GetProfiles().size(), 1u) << typed;
        EXPECT_EQ(profiles_->GetCurrentProfile()->GetName(), L"Ann");
    }
}

TEST_F(FrontEndWindowsTest, TheMainMenuShowsAStoredNameWithMarkUpCharactersPlainly) {
    MakeProfiles({L"{A}n|n%"});
    ReloadPlayerFiles();
    Morvane::GUIMainMenuWindow& menu = MakeMenu();
    menu.Open(WindowId::Logos);
    RunFor(1.0f);
    EXPECT_EQ(ShownText(*menu.GetTextControl("window_main_menu/title")), L"Hello, Ann!");
}

}  // namespace
