// The credits: rows rising from the bottom at their pace and fading in and out, blank
// rows keeping their places, the last row resting in the middle, the prompt after it and
// the press that reports GoToHighScores, the cursor's trail, and the closing fades.

#include "game/screens/GUIFinalWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "game/FinalBackground.h"
#include "game/GUIGameCursor.h"
#include "platform/WinUserSeams.h"
#include "tests/game/GameDataFolder.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using GameFramework::WindowResult;
using Morvane::GUIFinalWindow;

constexpr const char* kTheEnd = "final/the_end";
constexpr const char* kPrompt = "common/hit_mouse_button";
constexpr const char* kLastPerson = "final/sound_1";

class GUIFinalWindowTest : public screenstest::ScreenTestBench {
protected:
    static constexpr float kLongFrameSeconds = 0.1f;
    static constexpr std::uint64_t kLongFrameExtra = 80000;

    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteFont("tip");
        // Each text reads as its own key.
        std::map<std::string, std::map<std::string, std::string>> groups;
        for (const GUIFinalWindow::CreditRow& row : GUIFinalWindow::Credits())
            if (!row.key.empty()) groups[row.key.substr(0, row.key.find('/'))][row.key.substr(row.key.find('/') + 1)];
        groups["common"]["hit_mouse_button"];
        std::string texts;
        for (const auto& [group, keys] : groups) {
            texts += "<" + group + ">";
            for (const auto& entry : keys)
                texts += "<" + entry.first + " text=\"" + group + "/" + entry.first + "\" />";
            texts += "</" + group + ">";
        }
        WriteTexts(texts);
        gametest::GameDataFolder::WriteText(Morvane::FinalBackground::kDescriptionFile,
                                            R"(<background resources_prefix="ui/final"><model name="sky"/></background>)");
        MakeGame();
        dialogueart::AddQuad(*data_, "final/sky", {0.0f, 0.0f}, {800.0f, 600.0f}, {60, 40, 90});
        cursor_ = std::make_unique<Morvane::GUIGameCursor>();
        final_ = std::make_unique<GUIFinalWindow>(profiles_.get(), data_.get(), tools_.get(), nullptr, cursor_.get());
        frameStep = [this] {
            final_->Update();
            printed_.clear();
            const Vantor::GUIWindow& text = *final_->GetTextWindow();
            for (int index = 0; index < text.GetPrintCount(); ++index)
                printed_[Vantor::ToNarrow(text.GetTextPrint(index).text)] = text.GetTextPrint(index);
        };
    }
    void TearDown() override {
        frameStep = nullptr;
        final_.reset();
        cursor_.reset();
        ScreenTestBench::TearDown();
    }

    // The frame's print of the key, or null.
    const Vantor::TextPrint* Printed(const std::string& key) const {
        const auto found = printed_.find(key);
        return found == printed_.end() ? nullptr : &found->second;
    }
    // Seconds since Open until the condition first holds after a frame, in frames of
    // 0.1 s (the longest the clock gives) across the long roll, or of the bench's length.
    template <class Condition>
    float OpenUntil(Condition condition, bool longFrames = true) {
        const float frameSeconds = longFrames ? kLongFrameSeconds : kFrameSeconds;
        for (int frame = 0; frame * frameSeconds < 60.0f; ++frame) {
            if (condition()) return elapsed_;
            if (longFrames) platform::seam::AdvanceVirtualTime(kLongFrameExtra);
            Frame();
            elapsed_ += frameSeconds;
        }
        ADD_FAILURE() << "never held";
        return elapsed_;
    }
    // One frame of the bench's length, counted.
    void Tick() {
        Frame();
        elapsed_ += kFrameSeconds;
    }
    static void Press() {
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
        platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
    }

    std::unique_ptr<Morvane::GUIGameCursor> cursor_;
    std::unique_ptr<GUIFinalWindow> final_;
    std::map<std::string, Vantor::TextPrint> printed_;
    float elapsed_ = 0.0f;
};

TEST_F(GUIFinalWindowTest, TheRollKeepsItsTimings) {
    EXPECT_FALSE(final_->GetRoot()->IsVisible());
    final_->Open(GameFramework::WindowId::StartGameLogic);
    EXPECT_TRUE(final_->GetRoot()->IsVisible());
    EXPECT_NEAR(3.0f, OpenUntil([&] { return Printed("credits/title") != nullptr; }), 0.11f);
    const Vantor::TextPrint& title = *Printed("credits/title");
    EXPECT_EQ(Vantor::TextAlignment::kCentreHorizontally, title.alignment);
    EXPECT_EQ(0.0f, title.colour.w) << "below 50 units";

    EXPECT_NEAR(31.67f, OpenUntil([&] { return Printed(kTheEnd) != nullptr; }), 0.11f);
    EXPECT_NEAR(41.33f, OpenUntil([&] { return Printed(kTheEnd)->position.y == 290.0f; }), 0.11f);
    EXPECT_TRUE(cursor_->IsTrailEnabled()) << "on until the prompt shows";
    EXPECT_NEAR(43.33f, OpenUntil([&] { return Printed(kPrompt) != nullptr; }), 0.15f);
    EXPECT_FALSE(cursor_->IsTrailEnabled());
    EXPECT_NEAR(5.0f, Printed(kPrompt)->position.y, 0.0f);
    EXPECT_NEAR(44.18f, OpenUntil([&] { return Printed(kPrompt)->colour.w == 1.0f; }), 0.15f);

    // Long after: the last row rests at full strength while the window is open.
    OpenUntil([&] { return elapsed_ > 60.0f; });
    ASSERT_NE(nullptr, Printed(kTheEnd));
    EXPECT_EQ(290.0f, Printed(kTheEnd)->position.y);
    EXPECT_EQ(1.0f, Printed(kTheEnd)->colour.w);
    EXPECT_EQ(WindowResult::None, final_->GetResult());
}

TEST_F(GUIFinalWindowTest, RowsFadeInAboveFiftyAndOutAboveFiveHundredAndBlankRowsKeepTheirPlaces) {
    final_->Open(GameFramework::WindowId::StartGameLogic);
    // The title (row 0) and the heading below it two rows later, 40 units apart.
    OpenUntil([&] { return Printed("credits/game_design") && Printed("credits/game_design")->position.y > 75.0f; });
    const Vantor::TextPrint& heading = *Printed("credits/game_design");
    EXPECT_NEAR(40.0f, Printed("credits/title")->position.y - heading.position.y, 0.01f);
    EXPECT_NEAR((heading.position.y - 50.0f) / 50.0f, heading.colour.w, 0.001f);
    EXPECT_EQ(1.0f, heading.colour.x);
    EXPECT_NEAR(0.68f, heading.colour.y, 1e-6f) << "headings are orange";

    OpenUntil([&] { return Printed("credits/title")->position.y > 520.0f; });
    const Vantor::TextPrint& leaving = *Printed("credits/title");
    EXPECT_NEAR(1.0f - (leaving.position.y - 500.0f) / 50.0f, leaving.colour.w, 0.001f);
    EXPECT_GT(leaving.colour.w, 0.0f);
    OpenUntil([&] { return Printed("credits/title")->position.y > 560.0f; });
    EXPECT_EQ(0.0f, Printed("credits/title")->colour.w) << "printed, but gone";

    // Twenty-four blank rows: the end follows the last person 25 row places later.
    OpenUntil([&] { return Printed(kTheEnd) != nullptr; });
    ASSERT_NE(nullptr, Printed(kLastPerson));
    EXPECT_NEAR(500.0f, Printed(kLastPerson)->position.y - Printed(kTheEnd)->position.y, 0.01f);
    EXPECT_EQ(44u, GUIFinalWindow::Credits().size());
}

TEST_F(GUIFinalWindowTest, OnlyAPressOnceThePromptShowsReportsGoToHighScores) {
    final_->Open(GameFramework::WindowId::StartGameLogic);
    for (float at : {5.0f, 30.0f, 42.0f}) {
        OpenUntil([&] { return elapsed_ >= at; });
        Press();
        Tick();
        EXPECT_EQ(WindowResult::None, final_->GetResult()) << "at " << at << " s";
    }
    OpenUntil([&] { return Printed(kPrompt) != nullptr; });
    Press();
    Frame();
    EXPECT_EQ(WindowResult::GoToHighScores, final_->GetResult());
}

TEST_F(GUIFinalWindowTest, ClosingFadesTheRollAndThePromptThenTheBackgroundThenHidesTheRoot) {
    final_->Open(GameFramework::WindowId::StartGameLogic);
    OpenUntil([&] { return final_->GetPromptFade() == GUIFinalWindow::kPromptTop; });
    final_->Close();
    const float closed = elapsed_;
    // The roll takes the prompt's strength of the frame before.
    float promptBefore = 1.0f;
    for (int frame = 0; frame < 10; ++frame) {
        Tick();
        EXPECT_NEAR(promptBefore, Printed(kTheEnd)->colour.w, 1e-5f);
        promptBefore = Printed(kPrompt)->colour.w;
    }
    EXPECT_LT(promptBefore, 0.9f);
    EXPECT_TRUE(final_->GetBackground().IsVisible());
    EXPECT_FALSE(cursor_->IsTrailEnabled());

    EXPECT_NEAR(0.85f, OpenUntil([&] { return Printed(kPrompt) == nullptr; }, false) - closed, 0.05f);
    Tick();
    EXPECT_EQ(0.0f, Printed(kTheEnd)->colour.w);
    EXPECT_TRUE(cursor_->IsTrailEnabled()) << "back on for the menus";
    EXPECT_NEAR(0.85f + 1.0f, OpenUntil([&] { return !final_->GetRoot()->IsVisible(); }, false) - closed, 0.1f);
    EXPECT_FALSE(final_->GetBackground().IsVisible());
    EXPECT_TRUE(TakeErrors().empty());
}

}  // namespace
