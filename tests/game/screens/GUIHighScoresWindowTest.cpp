// The high-score window: the rows of mode 0 with their places, names and days, the new
// entry highlighted, the notice for an empty table and the button's caption by source.

#include "game/screens/GUIHighScoresWindow.h"

#include <gtest/gtest.h>

#include "framework/HighScoreEntry.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

class GUIHighScoresWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteTexts(R"(<common><back text="Back" /><continue text="Continue" /></common>
                      <days text="%DAY% days" />)");
        std::string layout = R"(<window name="window_high_scores"><window name="window" position="100 50" size="600 500">
            <text_label name="no_records" font="common" text="'No records yet'" position="0 250" size="600 40" />)";
        for (int row = 0; row < 10; ++row) {
            const std::string y = std::to_string(450 - 40 * row);
            layout += "<window name=\"record_" + std::to_string(row) + "\" position=\"0 " + y + "\" size=\"600 35\">" +
                      R"(<text_label name="place" font="common" size="60 35" />
                         <text_label name="name" font="common" position="70 0" size="300 35" />
                         <text_label name="score" font="common" text="days" position="400 0" size="200 35" />
                      </window>)";
        }
        WriteLayout("high_scores.xml",
                    layout + ButtonXml("button_0", {250, 10}, {100, 40}, "") + "</window></window>");
        MakeGame();
    }

    const GUITools::GUITextControl& Text(const std::string& path) const {
        return *window_->GetTextControl("window_high_scores/window/" + path);
    }
    std::wstring Shown(const std::string& path) const { return ShownText(Text(path)); }
    bool RowEnabled(int row) const {
        const std::string path = "window_high_scores/window/record_" + std::to_string(row);
        const bool place = window_->IsControlEnabled(path + "/place");
        EXPECT_EQ(window_->IsControlEnabled(path + "/name"), place);
        EXPECT_EQ(window_->IsControlEnabled(path + "/score"), place);
        return place;
    }
    // Makes the window at the first opening, over the table as it is then.
    void OpenAndShow(WindowId source, GameFramework::HighScoreEntry* entry = nullptr) {
        if (!window_)
            window_ = &MakeWindow<Morvane::GUIHighScoresWindow>(audio_.get(), highScores_.get(), data_.get(),
                                                                tools_.get(), menus_.get(), nullptr);
        window_->OpenWith(source, entry);
        RunFor(0.5f);
    }

    Morvane::GUIHighScoresWindow* window_ = nullptr;
};

TEST_F(GUIHighScoresWindowTest, AnEmptyTableShowsOnlyTheNotice) {
    highScores_->Insert(L"Other mode", 1, 30);
    OpenAndShow(WindowId::MainMenu);
    EXPECT_TRUE(window_->IsControlEnabled("window_high_scores/window/no_records"));
    EXPECT_TRUE(Text("no_records").GetWindow()->IsVisible());
    for (int row = 0; row < 10; ++row) EXPECT_FALSE(RowEnabled(row)) << row;
}

TEST_F(GUIHighScoresWindowTest, TheRowsShowPlaceNameAndDaysOfModeZeroOnly) {
    highScores_->Insert(L"Ann", 0, 12);
    highScores_->Insert(L"Bob", 0, 20);
    highScores_->Insert(L"Other mode", 3, 99);
    highScores_->Insert(L"Cid", 0, 5);
    OpenAndShow(WindowId::MainMenu);
    EXPECT_FALSE(window_->IsControlEnabled("window_high_scores/window/no_records"));
    EXPECT_FALSE(Text("no_records").GetWindow()->IsVisible());
    const wchar_t* names[] = {L"Bob", L"Ann", L"Cid"};
    const wchar_t* days[] = {L"20 days", L"12 days", L"5 days"};
    for (int row = 0; row < 3; ++row) {
        const std::string path = "record_" + std::to_string(row);
        EXPECT_TRUE(RowEnabled(row));
        EXPECT_EQ(Shown(path + "/place"), std::to_wstring(row + 1) + L".");
        EXPECT_EQ(Shown(path + "/name"), names[row]);
        EXPECT_EQ(Shown(path + "/score"), days[row]);
        EXPECT_EQ(Text(path + "/name").fontName, "common");
    }
    for (int row = 3; row < 10; ++row) EXPECT_FALSE(RowEnabled(row)) << row;
}

TEST_F(GUIHighScoresWindowTest, TheNewEntryIsHighlightedWhereverItRanks) {
    for (int score : {40, 30, 20, 5}) highScores_->Insert(L"P" + std::to_wstring(score), 0, score);
    GameFramework::HighScoreEntry* fresh = highScores_->Insert(L"New", 0, 10);
    OpenAndShow(WindowId::GameComplete, fresh);
    for (int row = 0; row < 5; ++row) {
        const std::string path = "record_" + std::to_string(row);
        const char* font = row == 3 ? "common_1" : "common";
        for (const char* part : {"/place", "/name", "/score"}) EXPECT_EQ(Text(path + part).fontName, font) << row;
    }
}

TEST_F(GUIHighScoresWindowTest, TheButtonReadsBackFromTheMainMenuAndContinueElseAndBothGoToTheMenu) {
    OpenAndShow(WindowId::MainMenu);
    EXPECT_EQ(Shown("button_0/title"), L"Back");
    ClickOn(*window_->GetButton("window_high_scores/window/button_0"));
    Frame();
    EXPECT_EQ(window_->GetResult(), WindowResult::GoToMainMenu);
    window_->Close();
    RunFor(0.5f);

    OpenAndShow(WindowId::GameComplete);
    EXPECT_EQ(Shown("button_0/title"), L"Continue");
    ClickOn(*window_->GetButton("window_high_scores/window/button_0"));
    Frame();
    EXPECT_EQ(window_->GetResult(), WindowResult::GoToMainMenu);
}

TEST_F(GUIHighScoresWindowTest, ANameWithMarkUpCharactersIsShownPlainly) {
    highScores_->Insert(L"{A}n|n%", 0, 3);
    ReloadPlayerFiles();
    OpenAndShow(WindowId::MainMenu);
    EXPECT_EQ(Shown("record_0/name"), L"Ann");
}

}  // namespace
