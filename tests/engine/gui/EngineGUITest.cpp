// The GUI in whole engine frames on the headless backend: the letterbox bars by the
// desktop's shape and the display mode, the cursor mapped from the client's pixels,
// clicks from injected mouse input, and the GUI manager's place between the sound pair
// and the engine's end.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/WavWriter.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/FailureInjection.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/gui/GUITestSupport.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using guitest::ExpectVector;
using Vantor::Engine;
using Vantor::GUIButton;
using Vantor::GUIManager;
using Vantor::GUIWindow;
using Vantor::Vector2;

class EngineGUITest : public enginetest::EngineObjectTest {
protected:
    void TearDown() override {
        engine_.reset();
        platform::seam::ResetDesktop();
        EngineObjectTest::TearDown();
    }

    // The engine on the desktop, in the display mode, windowed or full screen, with the
    // game's 800 x 600 virtual screen.
    GUIManager& Start(int desktopWidth, int desktopHeight, bool fullScreen = false,
                      const std::string& mode = "800x600x32") {
        platform::seam::SetDesktop(desktopWidth, desktopHeight);
        home_.WriteIni(fullScreen ? "v_fullscreen 1\n" : "v_fullscreen 0\n");
        auto settings = home_.Settings();
        settings.displayMode = mode;
        engine_ = std::make_unique<Engine>(settings);
        GUIManager& gui = *GUIManager::Instance();
        gui.SetScreenSize(800, 600);
        return gui;
    }

    void Frame() {
        platform::seam::AdvanceVirtualTime(16667);
        engine_->BeginFrame();
        engine_->EndFrame();
    }

    // The mouse over a pixel of the window's client area.
    static void MoveMouseToPixel(int x, int y) {
        POINT pixel{x, y};
        ClientToScreen(static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle(), &pixel);
        platform::seam::InjectMouseMove(pixel.x, pixel.y);
    }

    static void Mouse(bool down) { platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, down); }

    std::unique_ptr<Engine> engine_;
    const Vantor::ShaderDescriptor plain_;
};

// ---- Letterbox bars ---------------------------------------------------------------

struct DesktopCase {
    int width;
    int height;
    bool bars;
};

TEST_F(EngineGUITest, BarsAreMadeOnlyForDesktopsWiderOrTallerThanFourToThree) {
    const DesktopCase cases[] = {{1024, 768, false}, {1327, 1000, false}, {1340, 1000, false}, {1600, 1200, false},
                                 {1341, 1000, true}, {1326, 1000, true},  {1920, 1080, true},  {1280, 1024, true}};
    for (const DesktopCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        GUIManager& gui = Start(c.width, c.height);
        EXPECT_EQ(gui.GetBorderWindows().size(), c.bars ? 2u : 0u);
        EXPECT_EQ(gui.GetScreenWidth(), 800.0f);
        EXPECT_EQ(gui.GetScreenHeight(), 600.0f);
        engine_.reset();
    }
}

struct BarCase {
    int desktopWidth;
    int desktopHeight;
    // Each bar's corners in GUI units: left, bottom, right, top.
    float first[4];
    float second[4];
};

// Each bar covers the strip a full-screen GUI camera shows beyond the 4:3 picture, one
// unit more, in front of everything; in a window it stays hidden.
TEST_F(EngineGUITest, BarsCoverTheStripsBesideThePictureInFullScreenOnly) {
    const BarCase cases[] = {{1920, 1080, {-134.333f, 0, 0, 600}, {800, 0, 934.333f, 600}},
                             {1280, 1024, {0, -19.75f, 800, 0}, {0, 600, 800, 619.75f}}};
    for (const BarCase& c : cases) {
        for (bool fullScreen : {false, true}) {
            SCOPED_TRACE(std::to_string(c.desktopWidth) + (fullScreen ? " full screen" : " windowed"));
            GUIManager& gui = Start(c.desktopWidth, c.desktopHeight, fullScreen);
            Frame();
            ASSERT_EQ(gui.GetBorderWindows().size(), 2u);
            for (int bar = 0; bar < 2; ++bar) {
                const GUIWindow& window = *gui.GetBorderWindows()[bar];
                const float* corners = bar == 0 ? c.first : c.second;
                ExpectVector(Vector2(corners[0], corners[1]), window.GetPosition());
                ExpectVector(Vector2(corners[2] - corners[0], corners[3] - corners[1]), window.GetSize());
                EXPECT_EQ(window.IsVisible(), fullScreen);
                EXPECT_FLOAT_EQ(window.GetModel()->GetDepth(), -401.0f);
                const Vantor::Color colour = window.GetColor();
                EXPECT_EQ(colour.x + colour.y + colour.z, 0.0f) << "black";
                EXPECT_EQ(colour.w, 1.0f) << "opaque";
                if (!fullScreen) continue;
                const Vantor::BoundingBox& box = window.GetModel()->GetBoundingBox();
                ExpectVector(Vector2(corners[0], corners[1]), Vector2(box.worldMin.x, box.worldMin.y));
                ExpectVector(Vector2(corners[2], corners[3]), Vector2(box.worldMax.x, box.worldMax.y));
            }
            engine_.reset();
        }
    }
}

// ---- The cursor --------------------------------------------------------------------

struct PixelCase {
    int x;
    int y;
    Vector2 expected;
};

TEST_F(EngineGUITest, TheCursorMapsTheClientsPixelsOntoTheVirtualScreen) {
    GUIManager& gui = Start(1280, 1024, false, "1024x768x32");
    ASSERT_EQ(Vantor::Window::Instance()->GetWidth(), 1024u);
    const PixelCase cases[] = {{0, 767, {0, 0}}, {0, 0, {0, 599.21875f}}, {1023, 0, {799.21875f, 599.21875f}}};
    for (const PixelCase& c : cases) {
        MoveMouseToPixel(c.x, c.y);
        Frame();
        ExpectVector(c.expected, gui.GetCursorPosition(), 1e-4f);
    }
}

// ---- Clicks through whole frames -----------------------------------------------------

TEST_F(EngineGUITest, APressAndReleaseInOneFrameClicksOnceAndTogglesACheckBoxOnce) {
    GUIManager& gui = Start(1024, 768);
    GUIButton* button = gui.CreateButton(GUIWindow::kShown, Vector2(100, 100), Vector2(200, 100), nullptr, &plain_,
                                         nullptr);
    Vantor::GUICheckBox* checkBox =
        gui.CreateCheckBox(GUIWindow::kShown, Vector2(100, 100), Vector2(200, 100), nullptr, &plain_, nullptr);
    MoveMouseToPixel(200, 449);  // GUI (200, 150)
    Frame();
    Mouse(true);
    Mouse(false);
    int clicks = 0;
    for (int frame = 0; frame < 4; ++frame) {
        Frame();
        clicks += button->clicked ? 1 : 0;
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(checkBox->checked);
}

TEST_F(EngineGUITest, APressHeldOverFramesClicksOnTheFrameOfItsRelease) {
    GUIManager& gui = Start(1024, 768);
    GUIButton* button = gui.CreateButton(GUIWindow::kShown, Vector2(100, 100), Vector2(200, 100), nullptr, &plain_,
                                         nullptr);
    MoveMouseToPixel(200, 449);
    Frame();
    Mouse(true);
    std::vector<bool> clicked;
    for (int frame = 0; frame < 3; ++frame) {
        Frame();
        clicked.push_back(button->clicked);
    }
    EXPECT_EQ(button->state, GUIButton::kPressed);
    Mouse(false);
    Frame();
    clicked.push_back(button->clicked);
    Frame();
    clicked.push_back(button->clicked);
    EXPECT_EQ(clicked, (std::vector<bool>{false, false, false, true, false}));
}

// ---- The manager's place in the engine --------------------------------------------------

// The GUI's sounds go through the engine's sound manager, so the GUI manager is made
// after it and must be gone before it: a click sound left registered is given back to
// a live sound manager when the engine ends (a deleted one would be used after free).
TEST_F(EngineGUITest, TheGUIPlaysThroughTheSoundManagerMadeBeforeItAndGoesBeforeIt) {
    const Content::WavWriter::Bytes wave = Content::WavWriter::Write({1, 2, 22050, 16}, Content::WavWriter::Bytes(64));
    home_.folder.WriteFile("data/audio/click.wav", std::string(wave.begin(), wave.end()));
    GUIManager& gui = Start(1024, 768);
    gui.GetSoundManager()->AddSound("gui_default_button_click", L"audio\\click.wav", true);
    GUIButton* button = gui.CreateButton(GUIWindow::kShown, Vector2(100, 100), Vector2(200, 100), nullptr, &plain_,
                                         nullptr);
    MoveMouseToPixel(200, 449);
    Frame();
    Mouse(true);
    Frame();
    Mouse(false);
    ASSERT_TRUE(button->IsPressing());
    EXPECT_EQ(gui.GetSoundManager()->GetSounds()[0]->sound->GetState(), Vantor::Sound::kPlaying);
    engine_.reset();
    EXPECT_EQ(home_.ReadLog().find("Error"), std::string::npos);
}

TEST_F(EngineGUITest, WithoutSoundTheGUIRunsSilent) {
    platform::seam::FailNextCalls("DirectSoundCreate", 1);
    GUIManager& gui = Start(1024, 768);
    gui.GetSoundManager()->AddSound("gui_default_button_click", L"audio\\click.wav", true);
    EXPECT_TRUE(gui.GetSoundManager()->GetSounds().empty());
    GUIButton* button = gui.CreateButton(GUIWindow::kShown, Vector2(100, 100), Vector2(200, 100), nullptr, &plain_,
                                         nullptr);
    MoveMouseToPixel(200, 449);
    Mouse(true);
    Mouse(false);
    Frame();
    Frame();
    EXPECT_TRUE(button->clicked);
}

// Elements of every kind left for the manager, nested and captured, go with the engine
// (the leak check sees any that stays).
TEST_F(EngineGUITest, ElementsLeftOverGoWithTheEngine) {
    GUIManager& gui = Start(1920, 1080, true);
    GUIWindow* parent = gui.CreateWindow(GUIWindow::kShown | GUIWindow::kFrontLayer, Vector2(10, 10),
                                         Vector2(300, 300), nullptr, &plain_, nullptr);
    GUIButton* button = gui.CreateButton(GUIWindow::kShown, Vector2(0, 0), Vector2(50, 20), nullptr, &plain_, parent);
    gui.CreateCheckBox(GUIWindow::kShown, Vector2(0, 30), Vector2(20, 20), nullptr, &plain_, button);
    gui.CreateEditBox(GUIWindow::kShown, Vector2(0, 60), Vector2(200, 20), nullptr, &plain_, -1,
                      Vantor::Color(1, 1, 1, 1), Vector2(0, 0), 10, 100.0f, 100.0f, std::uint16_t{u'|'}, parent);
    gui.CreateSlider(GUIWindow::kShown, Vector2(0, 90), Vector2(200, 20), nullptr, &plain_, 0, Vector2(0, 0),
                     Vector2(180, 0), 4, parent);
    gui.CreateScroll(GUIWindow::kShown, Vector2(0, 120), Vector2(20, 100), nullptr, &plain_, 1, Vector2(0, 0),
                     Vector2(0, 80), 4, parent);
    gui.CreateCursor(nullptr, &plain_, 24.0f)->visible = true;
    gui.GetExclusiveInputList().push_back(button);
    Frame();
    Frame();
    engine_.reset();
    EXPECT_EQ(home_.ReadLog().find("Error"), std::string::npos);
}

}  // namespace
