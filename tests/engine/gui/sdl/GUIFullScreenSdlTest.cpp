// The GUI of a whole engine in full screen under an X server whose 1280 x 1024 screen is
// taller than 4:3: black bars hide what lies beyond the 4:3 picture above and below it,
// the cursor image is drawn over a top-layer window and under the bars, and a button
// with a four-frame image shows its hovered frame once the mouse is over it. Each
// picture is also kept as "captures/<name>.png" for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "content/Picture.h"
#include "content/PictureEncoder.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStage.h"
#include "platform/Desktop.h"
#include "platform/DirectDrawGLSeams.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/gui/CellSheet.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using Vantor::GUIManager;
using Vantor::GUIWindow;
using Vantor::Vector2;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
// The button's frames: normal, hovered, pressed, disabled.
const std::vector<Vantor::Color> kButtonFrames = {
    {0, 0, 1, 1}, {0, 1, 0, 1}, {1, 0.5f, 0, 1}, {0.5f, 0.5f, 0.5f, 1}};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

Rgb Drawn(const Vantor::Color& colour) {
    const std::uint32_t packed = Vantor::PackColor(colour);
    return {int(packed >> 16 & 0xFF), int(packed >> 8 & 0xFF), int(packed & 0xFF)};
}

void WriteSheet(enginetest::EngineFolder& home, const std::string& name, const std::vector<Vantor::Color>& cells) {
    const Content::PictureEncoder::Bytes tga = guitest::CellSheetTga(cells);
    home.folder.WriteFile("data/" + name + ".tga", std::string(tga.begin(), tga.end()));
}

class GUIFullScreenSdlTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        EngineObjectTest::SetUp();
        const platform::DesktopMode desktop = platform::Desktop();
        ASSERT_EQ(desktop.width, kScreenWidth) << "the X server's screen";
        ASSERT_EQ(desktop.height, kScreenHeight) << "the X server's screen";
        WriteSheet(home_, "ui/button", kButtonFrames);
        WriteSheet(home_, "ui/cursor", {Vantor::Color(1, 1, 0, 1)});
        home_.WriteIni("v_fullscreen 1\nv_vsync 0\n");
        platform::seam::KeepPresentedPictures(true);
        engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
        gui_ = GUIManager::Instance();
        gui_->SetScreenSize(800, 600);
        // The mouse is placed only once the window covers the screen.
        PresentFullScreenFrames();
    }

    void TearDown() override {
        engine_.reset();
        platform::seam::KeepPresentedPictures(false);
        EngineObjectTest::TearDown();
    }

    static HWND WindowHandle() {
        return static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle();
    }

    // Whole frames until a full-screen picture was presented (the X server may take a
    // while to give the window its size).
    void PresentFullScreenFrames() {
        for (int frame = 0; frame < 200; ++frame) {
            engine_->BeginFrame();
            engine_->EndFrame();
            picture_ = platform::seam::PresentedPicture(WindowHandle(), width_, height_);
            if (frame >= 2 && width_ == kScreenWidth && height_ == kScreenHeight) break;
        }
        ASSERT_EQ(width_, kScreenWidth);
        ASSERT_EQ(height_, kScreenHeight);
    }

    // The next full-screen picture, kept under the name.
    void DrawFrames(const std::string& name) {
        PresentFullScreenFrames();
        Keep(name);
    }

    // The colour drawn at the point of the virtual screen: 1.6 pixels a unit across; the
    // full-screen GUI camera shows y from -18.75 to 618.75 over the screen's rows.
    Rgb At(const Vector2& point) const {
        const int x = static_cast<int>(point.x * 1.6f);
        const int rowFromBottom = static_cast<int>((point.y + 18.75f) / 637.5f * kScreenHeight);
        return Pixel(x, kScreenHeight - 1 - rowFromBottom);
    }

    Rgb Pixel(int x, int rowFromTop) const {
        const DWORD pixel = picture_[static_cast<std::size_t>(rowFromTop) * kScreenWidth + x];
        return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
    }

    void Keep(const std::string& name) const {
        Content::Picture kept(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const Rgb c = Pixel(x, y);
                std::uint8_t* out = kept.Pixel(x, y);
                out[0] = static_cast<std::uint8_t>(c.red);
                out[1] = static_cast<std::uint8_t>(c.green);
                out[2] = static_cast<std::uint8_t>(c.blue);
                out[3] = 255;
            }
        std::filesystem::create_directories("captures");
        const Content::PictureEncoder::Bytes png = Content::PictureEncoder::Png(kept);
        std::ofstream("captures/" + name + ".png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    }

    // The mouse where the GUI then sees it near the point; the GUI's own position is
    // returned (the screen's rows do not map one to one onto the picture's).
    Vector2 MoveMouseNear(const Vector2& point) {
        // The inverse of the controls' mapping of a tall full screen into the 4:3 rows
        // and of the cursor's mapping of those rows onto the virtual screen.
        const float row = kScreenHeight - 1 - point.y * kScreenHeight / 600.0f;
        const float ratio = 1.25f / (4.0f / 3.0f);
        const float screenRow = (row + (1.0f - ratio) * kScreenHeight / 2.0f) / ((4.0f / 3.0f) / 1.25f);
        platform::seam::InjectMouseMove(static_cast<int>(point.x * 1.6f), static_cast<int>(screenRow));
        engine_->BeginFrame();
        engine_->EndFrame();
        return gui_->GetCursorPosition();
    }

    std::unique_ptr<Vantor::Engine> engine_;
    GUIManager* gui_ = nullptr;
    std::vector<DWORD> picture_;
    int width_ = 0;
    int height_ = 0;
    const Vantor::ShaderDescriptor plain_;
};

TEST_F(GUIFullScreenSdlTest, BarsCoverTheStripsAndTheCursorLiesBetweenTopWindowsAndBars) {
    ASSERT_TRUE(Vantor::Window::Instance()->IsFullScreen());
    // A window reaching below the picture, a top-layer window along its bottom edge and
    // the cursor image hanging from a hot spot just above that edge.
    GUIWindow* low = gui_->CreateWindow(GUIWindow::kShown | GUIWindow::kBackLayer, Vector2(300, -40),
                                        Vector2(100, 100), nullptr, &plain_, nullptr);
    low->SetColor(Vantor::Color(1, 0, 0, 1));
    GUIWindow* top = gui_->CreateWindow(GUIWindow::kShown | GUIWindow::kTopLayer, Vector2(40, 0), Vector2(200, 150),
                                        nullptr, &plain_, nullptr);
    top->SetColor(Vantor::Color(1, 0, 1, 1));
    const Vantor::ShaderDescriptor cursorImage(true, false, "ui/cursor", true);
    Vantor::GUICursor* cursor = gui_->CreateCursor(nullptr, &cursorImage, 60.0f);
    cursor->visible = true;
    const Vector2 hotSpot = MoveMouseNear(Vector2(100, 30));
    ASSERT_NEAR(hotSpot.y, 30.0f, 2.0f);
    DrawFrames("gui_full_screen_bars_and_cursor");

    // Every row of both strips is black across the screen, the low window included.
    for (int x = 0; x < kScreenWidth; x += 20)
        for (int row : {0, 15, 29, 994, 1008, 1023}) ASSERT_EQ(Pixel(x, row), kBlack) << x << ", " << row;
    EXPECT_EQ(At(Vector2(350, 30)), kRed) << "the low window inside the picture";
    EXPECT_EQ(At(Vector2(350, -10)), kBlack) << "the low window in the strip";
    EXPECT_EQ(At(Vector2(200, 100)), kMagenta) << "the top window beside the cursor";
    EXPECT_EQ(At(hotSpot + Vector2(30, -15)), kYellow) << "the cursor over the top window";
    EXPECT_EQ(At(hotSpot + Vector2(30, -40)), kBlack) << "the cursor under the bar";
}

TEST_F(GUIFullScreenSdlTest, AButtonShowsItsHoveredFrameOnceTheMouseIsOverIt) {
    const Vantor::ShaderDescriptor frames(true, false, Vantor::ShaderStage::kGridSheet, 4, 1, 4, 0.0f, "ui/button",
                                          true);
    Vantor::GUIButton* button = gui_->CreateButton(GUIWindow::kShown, Vector2(500, 250), Vector2(200, 100), nullptr,
                                                   &frames, nullptr);
    MoveMouseNear(Vector2(100, 100));
    DrawFrames("gui_full_screen_button_normal");
    EXPECT_EQ(At(Vector2(600, 300)), Drawn(kButtonFrames[0]));

    MoveMouseNear(Vector2(600, 300));
    DrawFrames("gui_full_screen_button_hovered");
    EXPECT_EQ(button->state, Vantor::GUIButton::kHovered);
    EXPECT_EQ(At(Vector2(600, 300)), Drawn(kButtonFrames[1]));
}

}  // namespace
