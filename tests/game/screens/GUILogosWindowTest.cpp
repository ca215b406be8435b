// The splash pictures: which of the optional files shows when, each fading in, holding
// and fading out in front of the black backdrop that goes once the last picture is
// opaque, the result at the end, long frames ending a phase, and nothing moving before
// Open.

#include "game/screens/GUILogosWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "content/Picture.h"
#include "content/PictureEncoder.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "platform/Clock.h"
#include "platform/WinUserSeams.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

std::pair<float, float> XY(const Vantor::Vector2& point) { return {point.x, point.y}; }

using GameFramework::WindowResult;
using Morvane::GUILogosWindow;
using Phase = Morvane::GUILogosWindow::Phase;

class GUILogosWindowTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        ScreenTestBench::SetUp();
        dialogueart::WritePicture("common\\empty.tga", {255, 255, 255});
        MakeGame();
    }
    void TearDown() override {
        frameStep = nullptr;
        logos_.reset();
        ScreenTestBench::TearDown();
    }

    // "data\<name>.jpg", one colour.
    void WriteSplash(const std::string& name) const {
        Content::Picture picture(16, 16);
        for (int pixel = 0; pixel < 16 * 16; ++pixel) picture.rgba[pixel * 4 + 3] = 255;
        const std::vector<std::uint8_t> bytes = Content::PictureEncoder::Jpeg(picture);
        home_.folder.WriteFile("data/" + name + ".jpg", std::string(bytes.begin(), bytes.end()));
    }
    GUILogosWindow& MakeLogos() {
        logos_ = std::make_unique<GUILogosWindow>();
        frameStep = [this] { logos_->Update(); };
        return *logos_;
    }
    // Runs frames until the condition holds; the seconds that took.
    template <class Condition>
    float SecondsUntil(Condition condition) {
        int frames = 0;
        while (!condition() && frames < 1000) {
            Frame();
            ++frames;
        }
        EXPECT_TRUE(condition());
        return static_cast<float>(frames) * kFrameSeconds;
    }
    static std::string Texture(const Vantor::GUIWindow& picture) {
        return picture.GetShaderUser()->GetStage(0).textureName;
    }
    static bool Shown(const Vantor::GUIWindow* window) { return window && window->IsVisible(); }

    std::unique_ptr<GUILogosWindow> logos_;
};

TEST_F(GUILogosWindowTest, WithoutPicturesTheBackdropCoversTheScreenUntilTheFirstUpdateAfterOpen) {
    GUILogosWindow& logos = MakeLogos();
    EXPECT_EQ(nullptr, logos.GetFirstPicture());
    EXPECT_EQ(nullptr, logos.GetSecondPicture());
    const Vantor::GUIWindow& backdrop = *logos.GetBackdrop();
    EXPECT_EQ(GUILogosWindow::kBackdropOrder, backdrop.GetOrder());
    EXPECT_EQ(0.0f, backdrop.GetColor().x);
    EXPECT_EQ(1.0f, backdrop.GetAlpha());
    Frames(10);
    EXPECT_TRUE(backdrop.IsVisible()) << "nothing moves before Open";
    EXPECT_EQ(WindowResult::None, logos.GetResult());

    logos.Open(GameFramework::WindowId::Game);
    EXPECT_TRUE(backdrop.IsVisible());
    Frame();
    EXPECT_FALSE(backdrop.IsVisible());
    EXPECT_EQ(WindowResult::Finished, logos.GetResult());
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUILogosWindowTest, TheSecondFileAloneShowsAsTheOnlyPictureAndTheBackdropGoesOnceItIsOpaque) {
    WriteSplash("splash2");
    GUILogosWindow& logos = MakeLogos();
    ASSERT_NE(nullptr, logos.GetFirstPicture());
    EXPECT_EQ(nullptr, logos.GetSecondPicture());
    const Vantor::GUIWindow& picture = *logos.GetFirstPicture();
    EXPECT_EQ("splash2", Texture(picture));
    EXPECT_EQ(GUILogosWindow::kFirstOrder, picture.GetOrder());
    EXPECT_EQ(std::pair(800.0f, 600.0f), XY(picture.GetSize()));
    EXPECT_TRUE(picture.IsVisible());
    EXPECT_EQ(0.0f, picture.GetAlpha());

    logos.Open(GameFramework::WindowId::Game);
    RunFor(0.5f);
    EXPECT_NEAR(0.5f, picture.GetAlpha(), 0.03f);
    EXPECT_TRUE(logos.GetBackdrop()->IsVisible());
    EXPECT_NEAR(0.5f, SecondsUntil([&] { return logos.GetPhase() == Phase::Hold; }), 0.03f);
    EXPECT_EQ(1.0f, picture.GetAlpha());
    EXPECT_FALSE(logos.GetBackdrop()->IsVisible()) << "the picture will fade out onto what lies behind";

    EXPECT_NEAR(3.0f, SecondsUntil([&] { return logos.GetResult() == WindowResult::Finished; }), 0.06f);
    EXPECT_FALSE(picture.IsVisible());
    EXPECT_EQ(Phase::Finished, logos.GetPhase());
    Frame();
    EXPECT_EQ(WindowResult::None, logos.GetResult()) << "reported once";
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUILogosWindowTest, BothFilesShowTheSecondThenTheFirstAndReportAtTheEndOfEightSeconds) {
    WriteSplash("splash1");
    WriteSplash("splash2");
    GUILogosWindow& logos = MakeLogos();
    ASSERT_NE(nullptr, logos.GetSecondPicture());
    const Vantor::GUIWindow& first = *logos.GetFirstPicture();
    const Vantor::GUIWindow& second = *logos.GetSecondPicture();
    EXPECT_EQ("splash1", Texture(first));
    EXPECT_EQ("splash2", Texture(second));
    EXPECT_EQ(GUILogosWindow::kSecondOrder, second.GetOrder());
    Frames(10);
    EXPECT_TRUE(second.IsVisible()) << "waiting transparent for Open";
    EXPECT_EQ(0.0f, second.GetAlpha());
    EXPECT_FALSE(first.IsVisible());

    logos.Open(GameFramework::WindowId::Game);
    float seconds = SecondsUntil([&] { return second.GetAlpha() == 1.0f; });
    EXPECT_TRUE(logos.GetBackdrop()->IsVisible()) << "black stays behind the first of two";
    seconds += SecondsUntil([&] { return !second.IsVisible(); });
    EXPECT_NEAR(4.0f, seconds, 0.1f);
    EXPECT_TRUE(first.IsVisible());
    EXPECT_EQ(0.0f, first.GetAlpha());
    EXPECT_TRUE(logos.GetBackdrop()->IsVisible());

    seconds += SecondsUntil([&] { return !logos.GetBackdrop()->IsVisible(); });
    EXPECT_EQ(1.0f, first.GetAlpha());
    EXPECT_NEAR(5.0f, seconds, 0.1f);
    seconds += SecondsUntil([&] { return logos.GetResult() == WindowResult::Finished; });
    EXPECT_NEAR(8.0f, seconds, 0.2f);
    EXPECT_FALSE(first.IsVisible());

    logos.Close();
    EXPECT_EQ(nullptr, logos.GetFirstPicture());
    EXPECT_EQ(nullptr, logos.GetBackdrop());
    EXPECT_NE(nullptr, logos.GetRoot()) << "kept until the window goes";
    Frame();
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(GUILogosWindowTest, ALongFrameEndsItsPhaseAndTheNextPhaseStartsFromNought) {
    WriteSplash("splash1");
    GUILogosWindow& logos = MakeLogos();
    const Vantor::GUIWindow& picture = *logos.GetFirstPicture();
    logos.Open(GameFramework::WindowId::Game);
    RunFor(0.96f);
    ASSERT_EQ(Phase::FadeIn, logos.GetPhase());
    // A frame of 0.1 s: 0.06 s of it lie beyond the second and are dropped.
    platform::seam::AdvanceVirtualTime(80000);
    Frame();
    EXPECT_EQ(Phase::Hold, logos.GetPhase());
    EXPECT_EQ(1.0f, picture.GetAlpha());
    // Two whole seconds of holding from here, then the fade-out.
    RunFor(1.98f);
    EXPECT_EQ(Phase::Hold, logos.GetPhase());
    RunFor(0.06f);
    EXPECT_EQ(Phase::FadeOut, logos.GetPhase());
}

}  // namespace
