// The dialogue decorations drawn by the whole engine under an X server: a balloon with
// its text beside a portrait, fading in, up with the printed prompt at the bottom of
// the screen and fading out; and sparkles that follow their path across the frames.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/RenderSystem.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUIParticlesEffect.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"
#include "tests/game/screens/sdl/PictureChecks.h"

namespace {

using picturechecks::Shows;
using scenes::PixelAt;

constexpr scenes::Rgb kBalloon{40, 60, 160};
constexpr scenes::Rgb kPortrait{230, 120, 40};

class DialogueSdlTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ScreenTestBench::SetUp();
        WriteTexts(R"(<common><hit_mouse_button text="Click to go on" /></common>)");
        MakeGame();
    }
    void TearDown() override {
        frameStep = nullptr;
        effect_.reset();
        balloon_.reset();
        portrait_.reset();
        ScreenTestBench::TearDown();
    }

    // The last frame drawn, also kept as "captures/<name>.png".
    const Vantor::Image& Capture(const std::string& name) {
        captures_.push_back(std::make_unique<Vantor::Image>());
        Vantor::RenderSystem::Instance()->CaptureScreen(*captures_.back());
        scenes::KeepCapture(*captures_.back(), name);
        return *captures_.back();
    }
    // Pixels of the rectangle whose every channel is above 200.
    static int BrightPixels(const Vantor::Image& picture, int left, int bottom, int width, int height) {
        return picturechecks::CountPixels(picture, left, bottom, width, height, [](const scenes::Rgb& pixel) {
            return pixel.red > 200 && pixel.green > 200 && pixel.blue > 200;
        });
    }

    std::unique_ptr<Morvane::GUICharacterWindow> portrait_;
    std::unique_ptr<Morvane::GUITextBalloonWindow> balloon_;
    std::unique_ptr<Morvane::GUIParticlesEffect> effect_;
    std::vector<std::unique_ptr<Vantor::Image>> captures_;
};

TEST_F(DialogueSdlTest, ABalloonWithItsTextBesideAPortraitFadesInStaysUpWithThePromptAndFadesOut) {
    dialogueart::AddQuad(*data_, "characters/talker", {480.0f, 60.0f}, {240.0f, 320.0f});
    dialogueart::AddPicture(*data_, "characters/talker_hello", {kPortrait.red, kPortrait.green, kPortrait.blue});
    dialogueart::AddQuad(*data_, "characters/talk_balloon_left_small", {60.0f, 350.0f}, {280.0f, 160.0f},
                         {kBalloon.red, kBalloon.green, kBalloon.blue});
    portrait_ = std::make_unique<Morvane::GUICharacterWindow>(data_.get(), nullptr, "talker");
    balloon_ = std::make_unique<Morvane::GUITextBalloonWindow>(audio_.get(), data_.get(), tools_.get(), nullptr,
                                                               "talk", Morvane::BalloonKind::LeftSmall, false);
    frameStep = [this] {
        portrait_->Update();
        balloon_->Update();
    };
    portrait_->SetCharacter("talker_hello");
    balloon_->SetText("center", "center", true, {0.0f, 0.0f}, {1.0f, 1.0f}, L"Welcome to my little cafe!", 0);
    balloon_->Show(0.5f);
    const auto balloonAlpha = [this] { return balloon_->GetBalloonWindow()->GetAlpha(); };
    const auto portraitAlpha = [this] { return portrait_->GetFrontWindow()->GetAlpha(); };

    // This backend runs on the real clock: each picture is checked against the alphas
    // of the frame it shows.
    Frame();
    const Vantor::Image& waiting = Capture("balloon_waiting");
    if (balloonAlpha() == 0.0f) {
        EXPECT_TRUE(Shows(waiting, 70, 360, {0, 0, 0})) << "waiting for its delay";
    }

    ASSERT_TRUE(RunUntil([&] { return balloonAlpha() > 0.3f; }));
    const Vantor::Image& fadingIn = Capture("balloon_fading_in");
    EXPECT_TRUE(Shows(fadingIn, 70, 360, kBalloon, balloonAlpha()));
    EXPECT_TRUE(Shows(fadingIn, 600, 200, kPortrait, portraitAlpha()));

    ASSERT_TRUE(RunUntil([&] { return balloonAlpha() == 1.0f && portraitAlpha() == 1.0f; }));
    const Vantor::Image& up = Capture("balloon_up");
    EXPECT_TRUE(Shows(up, 70, 360, kBalloon));
    EXPECT_TRUE(Shows(up, 600, 200, kPortrait));
    EXPECT_GT(BrightPixels(up, 90, 390, 207, 84), 50) << "the text in the balloon's text area";
    EXPECT_GT(BrightPixels(up, 300, 0, 200, 40), 30) << "the prompt at the bottom";
    EXPECT_EQ(BrightPixels(up, 0, 0, 250, 40), 0) << "centred";

    ClickOn(*balloon_->GetHintWindow());
    ASSERT_FALSE(balloon_->shown);
    ASSERT_TRUE(RunUntil([&] { return balloonAlpha() < 0.7f; }));
    const Vantor::Image& fadingOut = Capture("balloon_fading_out");
    EXPECT_TRUE(Shows(fadingOut, 70, 360, kBalloon, balloonAlpha()));

    ASSERT_TRUE(RunUntil([&] { return !balloon_->active; }));
    Frame();
    const Vantor::Image& gone = Capture("balloon_gone");
    EXPECT_TRUE(Shows(gone, 70, 360, {0, 0, 0}));
    EXPECT_EQ(BrightPixels(gone, 0, 0, 800, 40), 0) << "the prompt goes with it";
    EXPECT_TRUE(Shows(gone, 600, 200, kPortrait)) << "the portrait stays";
}

TEST_F(DialogueSdlTest, SparklesFollowTheirPathAcrossTheFrames) {
    // Along a line across the screen from left to right in one second.
    dialogueart::AddMovingQuad(*data_, "sparkle_path", {80.0f, 290.0f}, {700.0f, 290.0f}, {20.0f, 20.0f}, 10);
    dialogueart::AddSparkles(*data_, "sparkles");
    Vantor::GUIWindow* reference = Vantor::GUIManager::Instance()->CreateWindow(
        Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {1.0f, 1.0f}, nullptr, nullptr, nullptr);
    effect_ = std::make_unique<Morvane::GUIParticlesEffect>(data_.get(), "ui/sparkle_path", "sparkles",
                                                            Vantor::Vector2{0.0f, 0.0f}, 10.0f, *reference, -1.0f);
    frameStep = [this] { effect_->Update(); };
    effect_->Start();
    const auto emitterX = [this] { return static_cast<int>(effect_->GetEmitters().front()->GetPosition().x); };

    ASSERT_TRUE(RunUntil([&] { return emitterX() > 250 && emitterX() < 400; }));
    const int earlyX = emitterX();
    const Vantor::Image& early = Capture("sparkles_early");
    ASSERT_TRUE(RunUntil([&] { return emitterX() > 500 && emitterX() < 650; }));
    const int laterX = emitterX();
    const Vantor::Image& later = Capture("sparkles_later");

    EXPECT_GT(BrightPixels(early, earlyX - 60, 270, 70, 60), 5) << "behind the emitter at " << earlyX;
    EXPECT_EQ(BrightPixels(early, earlyX + 40, 250, 800 - earlyX - 40, 100), 0) << "nothing ahead of it";
    EXPECT_GT(BrightPixels(later, laterX - 60, 270, 70, 60), 5) << "behind the emitter at " << laterX;
}

}  // namespace
