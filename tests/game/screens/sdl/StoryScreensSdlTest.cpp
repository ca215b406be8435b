// The story's screens drawn by the whole engine through OpenGL under an X server: a
// splash picture half faded in over black, the comic's first balloon over its page with
// the prompt below, and the credits rising over the final background. This backend runs
// on the real clock, so each picture is checked against the state of the frame it shows.
// The captures are kept as PNGs to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "content/Picture.h"
#include "content/PictureEncoder.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/FinalBackground.h"
#include "game/GUIGameCursor.h"
#include "game/screens/GUIFinalWindow.h"
#include "game/screens/GUIIntroductionWindow.h"
#include "game/screens/GUILogosWindow.h"
#include "gui_tools/GUITextControl.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/GameDataFolder.h"
#include "tests/game/screens/ComicLayout.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/ScreenTestBench.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

constexpr Rgb kSplash{230, 140, 40};
constexpr Rgb kDisc{250, 240, 210};
constexpr Rgb kPaper{235, 225, 200};
constexpr Rgb kBalloon{255, 255, 255};
constexpr Rgb kNight{40, 30, 90};

bool Near(const Rgb& seen, const Rgb& expected, float share = 1.0f) {
    const auto near = [share](int value, int full) { return std::abs(value - full * share) < 25.0f; };
    return near(seen.red, expected.red) && near(seen.green, expected.green) && near(seen.blue, expected.blue);
}

// Pixels of the rectangle (x, y from the bottom left) whose channels sum below 200.
int DarkPixels(const Vantor::Image& picture, int left, int bottom, int width, int height) {
    int count = 0;
    for (int y = bottom; y < bottom + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const Rgb pixel = PixelAt(picture, x, y);
            if (pixel.red + pixel.green + pixel.blue < 200) ++count;
        }
    return count;
}

int BrightPixels(const Vantor::Image& picture, int left, int bottom, int width, int height) {
    int count = 0;
    for (int y = bottom; y < bottom + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const Rgb pixel = PixelAt(picture, x, y);
            if (pixel.red > 200 && pixel.green > 200 && pixel.blue > 200) ++count;
        }
    return count;
}

class StoryScreensSdlTest : public screenstest::ScreenTestBench {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ScreenTestBench::SetUp();
    }
    void TearDown() override {
        frameStep = nullptr;
        logos_.reset();
        comic_.reset();
        Vantor::GUIManager::Instance()->DestroyWindow(top_);
        final_.reset();
        cursor_.reset();
        ScreenTestBench::TearDown();
    }

    void Capture(Vantor::Image& picture, const char* name) const {
        Vantor::RenderSystem::Instance()->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    std::unique_ptr<Morvane::GUILogosWindow> logos_;
    std::unique_ptr<Morvane::GUIIntroductionWindow> comic_;
    Vantor::GUIWindow* top_ = nullptr;
    std::unique_ptr<Morvane::GUIGameCursor> cursor_;
    std::unique_ptr<Morvane::GUIFinalWindow> final_;
};

TEST_F(StoryScreensSdlTest, ASplashPictureFadesInOverBlack) {
    dialogueart::WritePicture("common\\empty.tga", {255, 255, 255});
    // An 800 x 600 card in the lower left of the texture, a pale disc in its middle.
    Content::Picture splash(1024, 1024);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            const bool disc = (x - 400) * (x - 400) + (y - 724) * (y - 724) < 150 * 150;
            const Rgb colour = disc ? kDisc : kSplash;
            std::uint8_t* pixel = splash.Pixel(x, y);
            pixel[0] = static_cast<std::uint8_t>(colour.red);
            pixel[1] = static_cast<std::uint8_t>(colour.green);
            pixel[2] = static_cast<std::uint8_t>(colour.blue);
            pixel[3] = 255;
        }
    const std::vector<std::uint8_t> jpeg = Content::PictureEncoder::Jpeg(splash);
    home_.folder.WriteFile("data/splash2.jpg", std::string(jpeg.begin(), jpeg.end()));
    MakeGame();
    logos_ = std::make_unique<Morvane::GUILogosWindow>();
    frameStep = [this] { logos_->Update(); };
    Frame();
    Vantor::Image before;
    Capture(before, "splash_before_open");
    EXPECT_TRUE(Near(PixelAt(before, 400, 300), {0, 0, 0})) << scenes::Describe(PixelAt(before, 400, 300));

    logos_->Open(GameFramework::WindowId::Game);
    const Vantor::GUIWindow& picture = *logos_->GetFirstPicture();
    ASSERT_TRUE(RunUntil([&] { return picture.GetAlpha() >= 0.45f; }, 100.0f));
    Vantor::Image half;
    Capture(half, "splash_half_faded_in");
    const float alpha = picture.GetAlpha();
    for (const auto& [x, y] : {std::pair{20, 20}, std::pair{780, 580}})
        EXPECT_TRUE(Near(PixelAt(half, x, y), kSplash, alpha)) << scenes::Describe(PixelAt(half, x, y)) << " at "
                                                              << alpha;
    EXPECT_TRUE(Near(PixelAt(half, 400, 300), kDisc, alpha)) << "the disc in the middle of the screen";
}

TEST_F(StoryScreensSdlTest, TheComicsFirstBalloonWaitsOverItsPageWithThePrompt) {
    WriteFont("common", 0x302010);
    WriteLayout("faders.xml", comiclayout::Faders());
    const auto look = [](const std::string& name) -> std::string {
        if (name == "comics_background_0") return R"(shader="night" height="1" size="800 600")";
        if (name == "comics_background_1") return R"(shader="paper" height="2" size="800 600")";
        if (name == "comics_balloon_160") return R"(shader="balloon" height="6" position="170 370" size="280 130")";
        if (name == "comics_mouse") return R"(shader="mouse" height="7" size="24 24")";
        for (int panel = 0; panel < 4; ++panel) {
            if (name != "comics_frame_1_" + std::to_string(panel) + "_anim_0") continue;
            const int x = 40 + (panel % 2) * 370;
            const int y = 310 - (panel / 2) * 250;
            return "shader=\"panel_" + std::to_string(panel) + "\" height=\"3\" position=\"" + std::to_string(x) +
                   " " + std::to_string(y) + "\" size=\"350 230\"";
        }
        return R"(size="800 600")";
    };
    WriteLayout("introduction.xml", comiclayout::Layout(look));
    WriteTexts(comiclayout::Texts());
    MakeGame();
    AddColourShader("night", {kNight.red, kNight.green, kNight.blue, 255});
    AddColourShader("paper", {kPaper.red, kPaper.green, kPaper.blue, 255});
    AddColourShader("balloon", {kBalloon.red, kBalloon.green, kBalloon.blue, 255});
    AddColourShader("mouse", {60, 60, 60, 255});
    const std::uint8_t panels[4][3] = {{120, 170, 220}, {200, 120, 120}, {130, 200, 130}, {210, 190, 110}};
    for (int panel = 0; panel < 4; ++panel)
        AddColourShader("panel_" + std::to_string(panel), {panels[panel][0], panels[panel][1], panels[panel][2], 255});

    // The game's top container: the prompt's window lies in front of the comic's root in it.
    top_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, nullptr);
    comic_ = std::make_unique<Morvane::GUIIntroductionWindow>(audio_.get(), data_.get(), tools_.get(), top_);
    frameStep = [this] { comic_->Update(); };
    comic_->Open(GameFramework::WindowId::Logos);
    Frame();
    comic_->Start();
    // The story runs on the real clock up to its first balloon, the prompt page taken by
    // a press.
    ASSERT_TRUE(RunUntil(
        [&] {
            if (comic_->GetStep() == 7) {
                platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, true);
                platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);
            }
            return comic_->GetStep() == 12;
        },
        1000.0f));
    ASSERT_TRUE(RunUntil([&] { return comic_->GetBalloonText().GetFadeValue() == 1.0f; }, 100.0f));
    Frame();
    Vantor::Image page;
    Capture(page, "comic_balloon_with_prompt");
    EXPECT_TRUE(Near(PixelAt(page, 180, 480), kBalloon)) << scenes::Describe(PixelAt(page, 180, 480));
    EXPECT_TRUE(Near(PixelAt(page, 600, 150), {210, 190, 110})) << "panel 3 beside the balloon";
    EXPECT_TRUE(Near(PixelAt(page, 600, 400), kPaper)) << "panel 1 has faded away";
    EXPECT_GT(DarkPixels(page, 209, 401, 207, 85), 50) << "the balloon's text";
    EXPECT_GT(DarkPixels(page, 300, 2, 200, 30), 30) << "the prompt at the bottom";
    EXPECT_EQ(DarkPixels(page, 0, 2, 250, 30), 0) << "centred";
}

TEST_F(StoryScreensSdlTest, TheCreditsRiseOverTheFinalBackground) {
    WriteFont("tip", 0xFFFFF0);
    std::string texts = R"(<credits><title text="Our Little Cafe" /><game_design text="Game design" />)"
                        R"(<programming text="Programming" /></credits>)";
    texts += R"(<final><game_design_0 text="A. Baker" /><game_design_1 text="C. Dough" />)"
             R"(<game_design_2 text="E. Flour" /><programming_0 text="G. Hopper" /></final>)";
    WriteTexts(texts);
    gametest::GameDataFolder::WriteText(Morvane::FinalBackground::kDescriptionFile,
                                        R"(<background resources_prefix="ui/final"><model name="sky"/></background>)");
    MakeGame();
    dialogueart::AddQuad(*data_, "final/sky", {0.0f, 0.0f}, {800.0f, 600.0f}, {kNight.red, kNight.green, kNight.blue});
    cursor_ = std::make_unique<Morvane::GUIGameCursor>();
    final_ = std::make_unique<Morvane::GUIFinalWindow>(profiles_.get(), data_.get(), tools_.get(), nullptr,
                                                       cursor_.get());
    float titleY = 0.0f;
    frameStep = [&] {
        final_->Update();
        const Vantor::GUIWindow& text = *final_->GetTextWindow();
        for (int index = 0; index < text.GetPrintCount(); ++index)
            if (text.GetTextPrint(index).text == L"Our Little Cafe") titleY = text.GetTextPrint(index).position.y;
    };
    final_->Open(GameFramework::WindowId::StartGameLogic);
    // The title about 10 s after Open, the rows below it 20 units apart.
    ASSERT_TRUE(RunUntil([&] { return titleY >= 210.0f; }, 1000.0f));
    Vantor::Image credits;
    Capture(credits, "credits_over_final_background");
    EXPECT_TRUE(Near(PixelAt(credits, 40, 300), kNight)) << scenes::Describe(PixelAt(credits, 40, 300));
    EXPECT_GT(BrightPixels(credits, 250, 60, 300, 200), 100) << "rows of text in the middle";
    EXPECT_EQ(BrightPixels(credits, 0, 60, 200, 200), 0) << "centred";
}

}  // namespace
