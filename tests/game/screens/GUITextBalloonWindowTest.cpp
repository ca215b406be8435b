// A speech balloon: its delay and appear sound, the fade, what closes it (a click past
// half alpha, an answer, its owner under keepOpen, its leader), its prompt, answers in
// one size, and the emptying at the end of the fade-out.

#include "game/screens/GUITextBalloonWindow.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextPrint.h"
#include "gui_tools/GUITextControl.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using Morvane::BalloonKind;
using Morvane::GUITextBalloonWindow;

constexpr const wchar_t* kHint = L"Click to go on";

class GUITextBalloonWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteTexts(R"(<common><hit_mouse_button text="Click to go on" /></common>
                      <talk><hello text="Hello there" /></talk>)");
        MakeGame();
        dialogueart::AddQuad(*data_, "characters/test_balloon_right_small", {480.0f, 330.0f}, {260.0f, 160.0f});
        dialogueart::AddQuad(*data_, "characters/test_balloon_left_small", {60.0f, 350.0f}, {260.0f, 160.0f});
        frameStep = [this] {
            for (GUITextBalloonWindow* balloon : updated_) {
                balloon->Update();
                hintPrints_[balloon] = balloon->GetHintWindow()->GetPrintCount();
            }
        };
    }
    void TearDown() override {
        frameStep = nullptr;
        updated_.clear();
        balloons_.clear();
        ScreenTestBench::TearDown();
    }

    // A balloon updated in every frame, after those made before it.
    GUITextBalloonWindow& Make(BalloonKind kind = BalloonKind::RightSmall, bool useHintControl = false,
                               const std::string& character = "test") {
        balloons_.push_back(std::make_unique<GUITextBalloonWindow>(audio_.get(), data_.get(), tools_.get(), nullptr,
                                                                   character, kind, useHintControl));
        updated_.push_back(balloons_.back().get());
        return *balloons_.back();
    }
    static void Say(GUITextBalloonWindow& balloon, const std::wstring& text, int choice = 0,
                    const Vantor::Vector2& position = {0.0f, 0.0f}, const Vantor::Vector2& relativeSize = {1.0f, 1.0f}) {
        balloon.SetText("center", "center", false, position, relativeSize, text, choice);
    }
    static float Alpha(const GUITextBalloonWindow& balloon) { return balloon.GetBalloonWindow()->GetAlpha(); }
    // A click in the middle of the screen, away from any answer: the balloons see it in
    // the frame that takes the press.
    void Click() { ClickOn(*balloons_.front()->GetHintWindow()); }
    // Frames until the balloon's alpha is above the value.
    void FadeInPast(const GUITextBalloonWindow& balloon, float alpha) {
        ASSERT_TRUE(RunUntil([&] { return Alpha(balloon) > alpha; }, 2.0f));
    }
    // The prompt printed in the last frame, or "".
    std::wstring PrintedHint(const GUITextBalloonWindow& balloon) {
        if (hintPrints_[&balloon] == 0) return L"";
        return balloon.GetHintWindow()->GetTextPrint(0).text;
    }

    std::vector<std::unique_ptr<GUITextBalloonWindow>> balloons_;
    std::vector<GUITextBalloonWindow*> updated_;
    std::map<const GUITextBalloonWindow*, int> hintPrints_;
};

TEST_F(GUITextBalloonWindowTest, TwoLinesShowUntilAClickPastHalfAlphaThenTheBalloonFadesOutAndEmpties) {
    GUITextBalloonWindow& balloon = Make();
    Say(balloon, L"First line", 0, {0.0f, 42.0f}, {1.0f, 0.5f});
    balloon.SetTextKey("center", "center", false, {0.0f, 0.0f}, {1.0f, 0.5f}, "talk/hello", 0);
    ASSERT_EQ(balloon.GetLines().size(), 2u);
    EXPECT_EQ(balloon.GetLines()[1]->text, L"Hello there");
    EXPECT_EQ(balloon.GetTextArea()->GetPosition().x, 508.0f);
    EXPECT_EQ(balloon.GetTextArea()->GetSize().y, 84.0f);

    balloon.Show(0.0f);
    EXPECT_TRUE(balloon.active);
    EXPECT_TRUE(balloon.GetBalloonWindow()->IsVisible());
    EXPECT_FLOAT_EQ(Alpha(balloon), 0.0f);
    Frame();
    EXPECT_NEAR(Alpha(balloon), 0.02f * 2.2f, 0.001f);
    EXPECT_EQ(PrintedHint(balloon), kHint);
    EXPECT_NEAR(balloon.GetHintWindow()->GetTextPrint(0).colour.w, Alpha(balloon), 1.0f / 255.0f)
        << "the prompt fades with it";

    FadeInPast(balloon, 0.3f);
    Click();
    ASSERT_LE(Alpha(balloon), 0.5f);
    EXPECT_TRUE(balloon.shown) << "too early";
    FadeInPast(balloon, 0.5f);
    Frames(5);
    EXPECT_TRUE(balloon.shown) << "the early click is not kept";
    for (const auto& line : balloon.GetLines()) EXPECT_TRUE(line->GetWindow()->IsVisible());

    Click();
    const float alphaAtClose = Alpha(balloon);
    EXPECT_FALSE(balloon.shown);
    EXPECT_TRUE(balloon.active) << "fading out";
    EXPECT_EQ(balloon.result, 0);
    for (const auto& line : balloon.GetLines()) EXPECT_FALSE(line->IsTargetShown());
    int frames = 0;
    while (balloon.active && frames < 100) Frame(), ++frames;
    EXPECT_NEAR(frames * kFrameSeconds, alphaAtClose / 2.2f, 0.03f);
    EXPECT_TRUE(balloon.GetLines().empty());
    EXPECT_FALSE(balloon.GetBalloonWindow()->IsVisible());
}

TEST_F(GUITextBalloonWindowTest, ADelayedBalloonStaysInvisibleAndSilentThenPlaysItsSoundOnce) {
    GUITextBalloonWindow& balloon = Make();
    Say(balloon, L"Later");
    balloon.Show(1.5f);
    Frames(74);
    EXPECT_FLOAT_EQ(Alpha(balloon), 0.0f);
    EXPECT_FALSE(balloon.GetLines()[0]->GetWindow()->IsVisible());
    EXPECT_TRUE(TakePlayedEffects().empty());
    EXPECT_EQ(PrintedHint(balloon), L"");

    Frames(2);
    EXPECT_EQ(TakePlayedEffects(), std::vector<std::string>{"20"});
    EXPECT_GT(Alpha(balloon), 0.0f);
    RunFor(1.0f);
    EXPECT_TRUE(TakePlayedEffects().empty()) << "once per showing";
    EXPECT_FLOAT_EQ(Alpha(balloon), 1.0f);
}

TEST_F(GUITextBalloonWindowTest, AnswersShareTheirSmallestSizeIgnorePlainClicksAndCloseWithTheClickedValue) {
    GUITextBalloonWindow& balloon = Make();
    const Vantor::Vector2 third{1.0f, 1.0f / 3.0f};
    Say(balloon, L"Yes", 4, {0.0f, 56.0f}, third);
    Say(balloon, L"Perhaps, when it rains", 7, {0.0f, 28.0f}, third);
    Say(balloon, L"No, thank you very much indeed", 9, {0.0f, 0.0f}, third);
    std::vector<float> fitted;
    for (const auto& line : balloon.GetLines()) fitted.push_back(line->currentFontSize);
    ASSERT_GT(fitted[0], fitted[1]);
    ASSERT_GT(fitted[1], fitted[2]);

    balloon.Show(0.0f);
    for (const auto& line : balloon.GetLines()) EXPECT_FLOAT_EQ(line->currentFontSize, fitted[2]);
    FadeInPast(balloon, 0.6f);
    EXPECT_EQ(PrintedHint(balloon), L"") << "answers show no prompt";
    Click();
    Frames(3);
    EXPECT_TRUE(balloon.shown) << "a plain click does not answer";

    MoveMouseTo(balloon.GetChoiceButtons()[2]->GetAbsolutePosition() + balloon.GetChoiceButtons()[2]->GetPosition() +
                Vantor::Vector2{20.0f, 10.0f});
    Frame();
    EXPECT_EQ(balloon.GetLines()[2]->fontName, "common_0") << "hovered";
    EXPECT_EQ(balloon.GetLines()[0]->fontName, "common_1");

    ClickOn(*balloon.GetChoiceButtons()[1]);
    Frame();
    EXPECT_FALSE(balloon.shown);
    EXPECT_EQ(balloon.result, 7);
    ASSERT_TRUE(RunUntil([&] { return !balloon.active; }, 1.0f));
    EXPECT_TRUE(balloon.GetChoiceButtons().empty());
    EXPECT_EQ(balloon.result, 7) << "kept for the caller";
}

TEST_F(GUITextBalloonWindowTest, AFollowerClosesInTheFrameItsLeaderClosesWithResultZero) {
    GUITextBalloonWindow& leader = Make(BalloonKind::LeftSmall);
    GUITextBalloonWindow& follower = Make(BalloonKind::RightSmall);
    Say(leader, L"Me first");
    Say(follower, L"Me too", 3);
    leader.keepOpen = true;
    follower.leader = &leader;
    leader.Show(0.0f);
    follower.Show(0.0f);
    FadeInPast(follower, 0.6f);
    EXPECT_EQ(PrintedHint(follower), L"") << "a follower shows no prompt";

    ClickOn(*follower.GetChoiceButtons()[0]);
    Frame();
    EXPECT_TRUE(follower.shown) << "a follower's own answers do not close it";

    leader.closeRequested = true;
    Frame();
    EXPECT_FALSE(leader.shown);
    EXPECT_FALSE(follower.shown) << "in the same frame";
    EXPECT_EQ(follower.result, 0);
    EXPECT_EQ(follower.leader, nullptr);
}

TEST_F(GUITextBalloonWindowTest, KeepOpenStaysUpThroughClicksUntilItsOwnerAsksItToClose) {
    GUITextBalloonWindow& balloon = Make();
    Say(balloon, L"Hold on");
    balloon.keepOpen = true;
    balloon.Show(0.0f);
    for (int i = 0; i < 10; ++i) {
        Click();
        RunFor(0.2f);
        EXPECT_EQ(PrintedHint(balloon), L"");
    }
    EXPECT_TRUE(balloon.shown);

    balloon.closeRequested = true;
    Frame();
    EXPECT_FALSE(balloon.shown);
    EXPECT_EQ(balloon.result, 0);
    ASSERT_TRUE(RunUntil([&] { return !balloon.active; }, 1.0f));
    EXPECT_FALSE(balloon.keepOpen);
    EXPECT_FALSE(balloon.closeRequested);
}

TEST_F(GUITextBalloonWindowTest, LinesAddedWhileTheBalloonIsActiveAreNeverShown) {
    GUITextBalloonWindow& balloon = Make();
    Say(balloon, L"Now");
    balloon.Show(0.0f);
    FadeInPast(balloon, 0.6f);
    Say(balloon, L"Too soon");
    Frame();
    EXPECT_FALSE(balloon.GetLines()[1]->GetWindow()->IsVisible());
    Click();
    Say(balloon, L"Too late");
    ASSERT_TRUE(RunUntil([&] { return !balloon.active; }, 1.0f));
    EXPECT_TRUE(balloon.GetLines().empty());

    Say(balloon, L"Next");
    balloon.Show(0.0f);
    Frames(3);
    ASSERT_EQ(balloon.GetLines().size(), 1u);
    EXPECT_TRUE(balloon.GetLines()[0]->GetWindow()->IsVisible());
}

TEST_F(GUITextBalloonWindowTest, TheHintControlFadesInWithAPlainBalloonAndOutWhenItCloses) {
    GUITextBalloonWindow& plain = Make(BalloonKind::RightSmall, true);
    Say(plain, L"Plain");
    plain.Show(0.0f);
    EXPECT_TRUE(plain.GetHintControl()->IsTargetShown());
    FadeInPast(plain, 0.6f);
    EXPECT_EQ(PrintedHint(plain), L"") << "the control shows it";
    EXPECT_TRUE(plain.GetHintControl()->GetWindow()->IsVisible());
    Click();
    EXPECT_FALSE(plain.GetHintControl()->IsTargetShown());
    ASSERT_TRUE(RunUntil([&] { return !plain.active; }, 1.0f));

    Say(plain, L"Answer", 1);
    plain.Show(0.0f);
    EXPECT_FALSE(plain.GetHintControl()->IsTargetShown()) << "not with answers";
}

TEST_F(GUITextBalloonWindowTest, AMissingBalloonModelFallsBackToTheDefaultWithItsErrorLine) {
    TakeErrors();
    GUITextBalloonWindow& balloon = Make(BalloonKind::RightVeryBig, false, "nobody");
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("ui/characters/nobody_balloon_right_very_big"), std::string::npos) << errors[0];
    EXPECT_EQ(balloon.GetTextArea()->GetPosition().x, 414.0f);
    Say(balloon, L"Still here");
    balloon.Show(0.0f);
    FadeInPast(balloon, 0.6f);
    Click();
    EXPECT_FALSE(balloon.shown);
}

}  // namespace
