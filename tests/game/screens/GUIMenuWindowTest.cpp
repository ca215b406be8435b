// The menu windows' animation lock: openings granted one window at a time, closings that
// wait for the window's animations, the appear sound, the additional logos, and a
// window closed before its opening was granted.

#include "game/screens/GUIMenuWindow.h"

#include <gtest/gtest.h>

#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ShaderUser.h"
#include "game/screens/GUIMenuWindowManager.h"
#include "gui_tools/GUIWindowControl.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using Morvane::GUIMenuWindow;

// A layout whose "/window" fades in and out over half a second, below a top control
// that fades as slowly, so that the body stays in view while it fades out.
std::string FadingLayout(const std::string& name) {
    return "<window name=\"window_" + name + "\" fader=\"half_second\">"
           "<window name=\"window\" fader=\"half_second\" position=\"200 150\" size=\"400 300\" />"
           "</window>";
}

class GUIMenuWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        WriteLayout("faders.xml", R"(<faders><fader name="half_second" show_speed="2" hide_speed="2" /></faders>)");
        for (const char* name : {"a", "b", "c"}) WriteLayout(std::string(name) + ".xml", FadingLayout(name));
    }

    GUIMenuWindow& Make(const std::string& name) {
        return MakeWindow<GUIMenuWindow>(audio_.get(), data_.get(), tools_.get(), menus_.get(), nullptr,
                                         "window_" + name);
    }
    // Opened, with its opening played to the end.
    GUIMenuWindow& MakeOpen(const std::string& name) {
        GUIMenuWindow& window = Make(name);
        window.Show(true);
        RunFor(1.0f);
        return window;
    }
    bool Holds(const GUIMenuWindow& window) const { return menus_->GetLockHolder() == &window; }
};

TEST_F(GUIMenuWindowTest, AWindowWithoutAnimatedControlsFinishesClosingInTheUpdateThatSeesTheClose) {
    WriteLayout("plain.xml", R"(<window name="window_plain"><button name="ok" size="50 50" /></window>)");
    MakeGame();
    GUIMenuWindow& plain = Make("plain");
    plain.Show(true);
    Frame();
    ASSERT_TRUE(plain.IsShown());
    ASSERT_TRUE(Holds(plain));

    plain.Show(false);
    EXPECT_FALSE(plain.IsShown()) << "from the moment of the close";
    menus_->Update();
    EXPECT_TRUE(menus_->IsLockFree());
    EXPECT_FALSE(plain.GetRoot()->IsVisible());
    EXPECT_FALSE(plain.IsOpen());
}

TEST_F(GUIMenuWindowTest, TheAppearSoundPlaysOncePerGrantedOpeningOnceTheBodyShows) {
    WriteLayout("plain.xml", R"(<window name="window_plain"><button name="ok" size="50 50" /></window>)");
    MakeGame();
    GUIMenuWindow& a = Make("a");
    GUIMenuWindow& plain = Make("plain");

    a.Show(true);
    RunFor(1.0f);
    EXPECT_EQ(TakePlayedEffects(), std::vector<std::string>{"09"});
    a.Show(false);
    ASSERT_TRUE(RunUntil([&] { return menus_->IsLockFree(); }));
    a.Show(true);
    RunFor(1.0f);
    EXPECT_EQ(TakePlayedEffects(), std::vector<std::string>{"09"}) << "again at the next opening";

    a.Show(false);
    plain.Show(true);
    ASSERT_TRUE(RunUntil([&] { return plain.IsShown(); }));
    RunFor(1.0f);
    EXPECT_TRUE(TakePlayedEffects().empty()) << "a window without \"/window\" is silent";
}

TEST_F(GUIMenuWindowTest, AWindowAskedToOpenWaitsForTheOpenOneAndComesUpInTheFrameItsClosingEnds) {
    MakeGame();
    // Registered first, so that only the closed windows' pass going first lets it in at once.
    GUIMenuWindow& waiting = Make("a");
    GUIMenuWindow& open = MakeOpen("b");

    waiting.Show(true);
    RunFor(1.0f);
    EXPECT_FALSE(waiting.IsShown());
    EXPECT_FALSE(waiting.GetRoot()->IsVisible());
    EXPECT_TRUE(Holds(open));

    open.Show(false);
    int framesClosing = 0;
    while (Holds(open) && framesClosing < 100) {
        EXPECT_FALSE(waiting.GetRoot()->IsVisible()) << "while the other closes";
        Frame();
        ++framesClosing;
    }
    EXPECT_GT(framesClosing, 10) << "the body fades out over half a second";
    EXPECT_TRUE(Holds(waiting)) << "taken in the frame the other let go";
    EXPECT_TRUE(waiting.IsShown());
    EXPECT_FALSE(open.GetRoot()->IsVisible());
}

TEST_F(GUIMenuWindowTest, AWindowReopenedWhileClosingComesUpAtOnceBeforeAWaitingOne) {
    MakeGame();
    GUIMenuWindow& a = MakeOpen("a");
    GUIMenuWindow& b = Make("b");
    a.Show(false);
    Frame();
    b.Show(true);
    a.Show(true);
    Frame();
    EXPECT_TRUE(a.IsShown());
    EXPECT_TRUE(Holds(a));
    EXPECT_FALSE(b.IsShown());
}

TEST_F(GUIMenuWindowTest, AWindowClosedBeforeItsOpeningWasGrantedNeverShowsAndTheNextOneOpens) {
    MakeGame();
    GUIMenuWindow& a = Make("a");
    GUIMenuWindow& b = Make("b");
    GUIMenuWindow& c = Make("c");

    // Opened and closed in one frame while nobody holds the lock.
    b.Show(true);
    b.Show(false);
    Frame();
    EXPECT_TRUE(menus_->IsLockFree());
    EXPECT_FALSE(b.GetRoot()->IsVisible());

    // And while another window holds it.
    a.Show(true);
    RunFor(1.0f);
    b.Show(true);
    Frame();
    b.Show(false);
    c.Show(true);
    a.Show(false);
    ASSERT_TRUE(RunUntil([&] {
        EXPECT_FALSE(b.GetRoot()->IsVisible());
        return !Holds(a);
    }));
    RunFor(1.0f);
    EXPECT_TRUE(Holds(c));
    EXPECT_TRUE(c.IsShown());
    EXPECT_FALSE(b.GetRoot()->IsVisible());
}

TEST_F(GUIMenuWindowTest, ATopControlWithoutAFaderTakesTheFadingBodyOutOfViewAndEndsTheClosingAtOnce) {
    WriteLayout("bare_top.xml", R"(<window name="window_bare_top">
        <window name="window" fader="half_second" position="200 150" size="400 300" />
      </window>)");
    MakeGame();
    GUIMenuWindow& window = Make("bare_top");
    window.Show(true);
    RunFor(1.0f);
    window.Show(false);
    Frames(2);
    EXPECT_TRUE(menus_->IsLockFree());
    EXPECT_FALSE(window.GetWindow("window_bare_top/window")->IsVisible());
}

TEST_F(GUIMenuWindowTest, AWindowThatGoesAwayFreesTheLockItHolds) {
    MakeGame();
    Make("a").Show(true);
    Frame();
    ASSERT_FALSE(menus_->IsLockFree());
    windows_.clear();
    EXPECT_TRUE(menus_->IsLockFree());
    EXPECT_TRUE(menus_->GetWindows().empty());
}

TEST_F(GUIMenuWindowTest, TheAnimatedFrameKeepsTheLockUntilItsAnimationHasPlayed) {
    WriteLayout("animated.xml", R"(<window name="window_animated_test" fader="half_second">
        <window name="window_animated" model="frames" size="100 100" />
      </window>)");
    MakeGame();
    AddFramesModel("frames", 11);
    GUIMenuWindow& window = Make("animated_test");
    window.Show(true);
    RunFor(2.0f);
    // The top control fades out in half a second; the frame's hide plays a second.
    window.Show(false);
    RunFor(0.6f);
    EXPECT_TRUE(Holds(window));
    RunFor(0.6f);
    EXPECT_TRUE(menus_->IsLockFree());
}

TEST_F(GUIMenuWindowTest, TheBodyIsDrawnFromBothSidesAndOneWithoutAModelIsReported) {
    WriteLayout("modelled.xml", R"(<window name="window_modelled"><window name="window" model="frames" /></window>)");
    WriteLayout("bare.xml", R"(<window name="window_bare"><window name="window" /></window>)");
    MakeGame();
    AddFramesModel("frames", 1);
    const GUIMenuWindow& modelled = Make("modelled");
    const std::uint32_t flags = modelled.GetWindow("window_modelled/window")->GetModel()->GetFlags();
    EXPECT_EQ(flags & (Vantor::ModelFlags::kCullClockwise | Vantor::ModelFlags::kCullCounterClockwise), 0u);
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{});

    Make("bare");
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"Control \"window_bare/window\" has no model"});
}

TEST_F(GUIMenuWindowTest, AnAdditionalLogoWithoutItsPictureIsDisabledAndTheOtherShowsItsLogo) {
    WriteLogo(0);
    WriteLayout("logos.xml", R"(<window name="window_logos">
        <window name="logo_additional_0" model="frames" />
        <window name="logo_additional_1" model="frames" />
      </window>)");
    MakeGame();
    AddFramesModel("frames", 1);
    GUIMenuWindow& window = Make("logos");
    window.Show(true);
    RunFor(0.5f);
    EXPECT_FALSE(window.IsControlEnabled("window_logos/logo_additional_1"));
    EXPECT_FALSE(window.GetWindow("window_logos/logo_additional_1")->IsVisible());
    EXPECT_TRUE(window.GetWindow("window_logos/logo_additional_0")->IsVisible());
    EXPECT_EQ(window.GetWindow("window_logos/logo_additional_0")->GetShaderUser()->GetStage(0).textureName,
              "ui\\textures\\publishers\\0_logo_small_alpha.jpg");
}

}  // namespace
