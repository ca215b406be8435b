// The loading screen's step-wise loading behind its progress bar (when a step is made
// and when not, the bar's frame and percentage, the result with the finishing step),
// and the windows the flow passes straight through.

#include <gtest/gtest.h>

#include <string>

#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/LevelKey.h"
#include "game/screens/GUIGameCompleteWindow.h"
#include "game/screens/GUIGameLoadingWindow.h"
#include "game/screens/GUIGameLogicLoadingWindow.h"
#include "game/screens/GUIGameOverWindow.h"
#include "game/screens/GUIHelpWindow.h"
#include "game/screens/GUIStageCompleteWindow.h"
#include "gui_tools/GUIWindowControl.h"
#include "tests/game/screens/ResultScreens.h"
#include "tests/game/screens/ScreenTestBench.h"
#include "tools/DataKeeper.h"

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

constexpr unsigned kBarFrames = 11;

// A keeper with a few queued materials and its own loading work of the given steps.
class FixtureKeeper : public GameTools::DataKeeper {
public:
    explicit FixtureKeeper(int extraSteps) {
        SetExtraStepCount(extraSteps);
        for (int k = 0; k < 5; ++k)
            RequestShader("fixture/" + std::to_string(k), Vantor::ShaderDescriptor(), false, false, false);
    }
    bool LoadExtraStep(int step) override {
        return step == kAllExtraSteps || (step > kResourceSteps && step <= kResourceSteps + GetExtraStepCount());
    }
    bool IsComplete() const { return GetStep() == GetExtraStepCount() + kResourceSteps + 1; }
};

class LoadingWindowsTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", resultscreens::Faders());
        WriteLayout("game_loading.xml", resultscreens::LoadingLayout());
        WriteLayout("other.xml", R"(<window name="window_other"><button name="ok" size="50 50" /></window>)");
        MakeGame();
        AddFramesModel("frame", 10);
        AddFramesModel("bar", kBarFrames);
    }

    Morvane::GUIGameLoadingWindow& MakeLoading() {
        return MakeWindow<Morvane::GUIGameLoadingWindow>(audio_.get(), data_.get(), tools_.get(), menus_.get(),
                                                         nullptr);
    }
    static std::wstring Percentage(const Morvane::GUIGameLoadingWindow& window) {
        return ShownText(*window.GetTextControl("window_game_loading/loading_progress/text"));
    }
    static const GUITools::GUITextControl& Title(const Morvane::GUIGameLoadingWindow& window) {
        return *window.GetTextControl("window_game_loading/title");
    }
};

TEST_F(LoadingWindowsTest, AFreshKeeperShowsTheEmptyBarAndNoStepIsMadeWhileTheTitlePrints) {
    Morvane::GUIGameLoadingWindow& loading = MakeLoading();
    FixtureKeeper keeper(1);
    loading.OpenWith(WindowId::Logos, &keeper);
    Frame();
    ASSERT_TRUE(loading.IsShown());
    EXPECT_EQ(loading.GetProgressAnimation()->GetPosition(), 0.0f);
    EXPECT_FALSE(loading.GetProgressAnimation()->IsPlaying());
    EXPECT_EQ(Percentage(loading), L"0");
    EXPECT_FALSE(loading.IsControlEnabled("window_game_loading/window_animated")) << "away while loading";

    int printingFrames = 0;
    for (; !Title(loading).IsPrintingFinished() && printingFrames < 100; ++printingFrames) {
        Frame();
        EXPECT_EQ(keeper.GetStep(), 0) << "printing, frame " << printingFrames;
    }
    EXPECT_GT(printingFrames, 10);
    Frame();
    EXPECT_EQ(keeper.GetStep(), 0) << "the frame the title has finished readies the step";
    Frame();
    EXPECT_EQ(keeper.GetStep(), 1);
}

TEST_F(LoadingWindowsTest, NoStepIsMadeWhileTheWindowWaitsForTheLockOrCloses) {
    Morvane::GUIMenuWindow& other =
        MakeWindow<Morvane::GUIMenuWindow>(audio_.get(), data_.get(), tools_.get(), menus_.get(), nullptr, "window_other");
    Morvane::GUIGameLoadingWindow& loading = MakeLoading();
    other.Show(true);
    Frame();
    FixtureKeeper keeper(1);
    loading.OpenWith(WindowId::Logos, &keeper);
    RunFor(1.0f);
    EXPECT_FALSE(loading.IsShown());
    EXPECT_EQ(keeper.GetStep(), 0) << "waiting for the lock";

    other.Show(false);
    ASSERT_TRUE(RunUntil([&] { return keeper.GetStep() > 3; }));
    loading.Close();
    const int step = keeper.GetStep();
    RunFor(0.5f);
    EXPECT_EQ(keeper.GetStep(), step) << "closing";
    EXPECT_TRUE(loading.GetControl("window_game_loading/window_animated")->IsTargetShown())
        << "the animated frame plays its show animation for the next window";
    EXPECT_TRUE(RunUntil([&] { return menus_->IsLockFree(); })) << "and the next window gets the lock";
}

TEST_F(LoadingWindowsTest, TheBarFollowsTheProgressAndTheResultComesWithTheFinishingStep) {
    // 1000 steps in all: 999 of them leave the progress at 0.999.
    FixtureKeeper keeper(899);
    while (keeper.GetStep() < 999) keeper.Update();
    ASSERT_FLOAT_EQ(keeper.GetProgress(), 0.999f);
    Morvane::GUIGameLoadingWindow& loading = MakeLoading();
    loading.OpenWith(WindowId::Logos, &keeper);
    Frame();
    EXPECT_EQ(Percentage(loading), L"99") << "rounded down";
    EXPECT_FLOAT_EQ(loading.GetProgressAnimation()->GetPosition(), 0.999f * (kBarFrames - 1));

    ASSERT_TRUE(RunUntil([&] { return keeper.GetStep() == 1000 || loading.GetResult() != WindowResult::None; }));
    EXPECT_TRUE(keeper.IsComplete());
    EXPECT_EQ(loading.GetResult(), WindowResult::Finished) << "in the frame of the finishing step";
    EXPECT_FLOAT_EQ(loading.GetProgressAnimation()->GetPosition(), kBarFrames - 1.0f);
    Frame();
    EXPECT_EQ(Percentage(loading), L"100");
    EXPECT_EQ(loading.GetResult(), WindowResult::None) << "reported once";
}

TEST_F(LoadingWindowsTest, AQueuedKeeperLoadsOneStepPerEngineFrameUntilTheWindowReportsIt) {
    FixtureKeeper keeper(1);
    Morvane::GUIGameLoadingWindow& loading = MakeLoading();
    loading.OpenWith(WindowId::Logos, &keeper);
    ASSERT_TRUE(RunUntil([&] { return keeper.GetStep() == 1; }));
    int frames = 1;
    while (!keeper.IsComplete() && frames < 200) {
        const int before = keeper.GetStep();
        EXPECT_EQ(loading.GetResult(), WindowResult::None) << "step " << before;
        Frame();
        ++frames;
        ASSERT_EQ(keeper.GetStep(), before + 1);
    }
    EXPECT_EQ(frames, 102);
    EXPECT_EQ(loading.GetResult(), WindowResult::Finished);
    keeper.GetShaderUser("fixture/4");
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(LoadingWindowsTest, PassThroughWindowsReportInTheNextDispatchPassAndHelpNever) {
    FixtureKeeper keeper(1);
    Morvane::GUIGameLogicLoadingWindow dayLoading(nullptr);
    Morvane::GUIStageCompleteWindow stageComplete(nullptr);
    Morvane::GUIGameCompleteWindow gameComplete;
    Morvane::GUIGameOverWindow gameOver;
    Morvane::GUIHelpWindow help;
    const std::pair<GameFramework::GUIFrameworkWindow*, WindowResult> cases[] = {
        {&dayLoading, WindowResult::Finished},
        {&stageComplete, WindowResult::GoToStart},
        {&gameComplete, WindowResult::Finished},
        {&gameOver, WindowResult::Finished},
        {&help, WindowResult::None},
    };
    dayLoading.OpenWith(WindowId::StartGameLogic, &keeper);
    EXPECT_EQ(keeper.GetProgress(), 1.0f) << "everything at once";
    EXPECT_TRUE(dayLoading.IsFinished());
    stageComplete.OpenWith(WindowId::LevelComplete, GameFramework::LevelKey{1, 2});
    for (GameFramework::GUIFrameworkWindow* window : {static_cast<GameFramework::GUIFrameworkWindow*>(&gameComplete),
                                                      static_cast<GameFramework::GUIFrameworkWindow*>(&gameOver),
                                                      static_cast<GameFramework::GUIFrameworkWindow*>(&help)})
        window->Open(WindowId::GameLogic);
    for (const auto& [window, result] : cases) {
        window->ResetResult();  // after the pass that opened it
        EXPECT_EQ(window->GetResult(), result) << "handled in the next pass";
        window->ResetResult();
        EXPECT_EQ(window->GetResult(), WindowResult::None);
    }
}

}  // namespace
