// The game cursor in the engine's window under an X server: the drawn cursor hangs from
// the mouse position in the presented frame, and once the system cursor is chosen no
// drawn cursor is left in the frame. The frames are kept as "captures/<name>.png" for a
// person to look at.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "content/Picture.h"
#include "content/PictureEncoder.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Config.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/GUIGameCursorBase.h"
#include "platform/DirectDrawGLSeams.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/gui/CellSheet.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using Vantor::Vector2;

constexpr DWORD kYellow = 0xFFFF00;

class GUIGameCursorSdlTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video; say there is none.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        EngineObjectTest::SetUp();
        const Content::PictureEncoder::Bytes tga = guitest::CellSheetTga({Vantor::Color(1, 1, 0, 1)});
        home_.folder.WriteFile("data/ui/cursor.tga", std::string(tga.begin(), tga.end()));
        home_.WriteIni("v_vsync 0\n");
        platform::seam::KeepPresentedPictures(true);
        engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
        Vantor::GUIManager::Instance()->SetScreenSize(800, 600);
        cursor_ = std::make_unique<GameFramework::GUIGameCursorBase>();
        const Vantor::ShaderDescriptor image(true, false, "ui/cursor", true);
        cursor_->AddKind(1, 0, Vantor::GUIManager::Instance()->CreateCursor(nullptr, &image, 40.0f));
    }

    void TearDown() override {
        cursor_.reset();
        engine_.reset();
        platform::seam::KeepPresentedPictures(false);
        EngineObjectTest::TearDown();
    }

    static HWND WindowHandle() {
        return static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle();
    }

    void MoveMouseToPixel(int x, int y) {
        POINT pixel{x, y};
        ClientToScreen(WindowHandle(), &pixel);
        platform::seam::InjectMouseMove(pixel.x, pixel.y);
    }

    // A few frames with the cursor's update; the last presented picture, kept under the name.
    void DrawFrames(const std::string& name) {
        for (int frame = 0; frame < 3; ++frame) {
            engine_->BeginFrame();
            cursor_->Update();
            engine_->EndFrame();
        }
        picture_ = platform::seam::PresentedPicture(WindowHandle(), width_, height_);
        ASSERT_EQ(width_, 800);
        ASSERT_EQ(height_, 600);
        Keep(name);
    }

    // The colour at a point of the virtual screen (one unit a pixel, y upwards).
    DWORD At(const Vector2& point) const {
        const int x = static_cast<int>(point.x);
        const int row = height_ - 1 - static_cast<int>(point.y);
        return picture_[static_cast<std::size_t>(row) * width_ + x] & 0xFFFFFF;
    }

    bool AnyYellow() const {
        for (const DWORD pixel : picture_)
            if ((pixel & 0xFFFFFF) == kYellow) return true;
        return false;
    }

    void Keep(const std::string& name) const {
        Content::Picture kept(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const DWORD pixel = picture_[static_cast<std::size_t>(y) * width_ + x];
                std::uint8_t* out = kept.Pixel(x, y);
                out[0] = static_cast<std::uint8_t>(pixel >> 16), out[1] = static_cast<std::uint8_t>(pixel >> 8);
                out[2] = static_cast<std::uint8_t>(pixel), out[3] = 255;
            }
        std::filesystem::create_directories("captures");
        const Content::PictureEncoder::Bytes png = Content::PictureEncoder::Png(kept);
        std::ofstream("captures/" + name + ".png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    }

    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<GameFramework::GUIGameCursorBase> cursor_;
    std::vector<DWORD> picture_;
    int width_ = 0;
    int height_ = 0;
};

TEST_F(GUIGameCursorSdlTest, DrawnCursorHangsFromTheMouseUntilTheSystemCursorIsChosen) {
    cursor_->SetKind(1);
    cursor_->Show(true);
    // The window first takes its place on the screen.
    DrawFrames("game_cursor_start");
    MoveMouseToPixel(300, 200);
    DrawFrames("game_cursor_drawn");
    const Vector2 hotSpot = Vantor::GUIManager::Instance()->GetCursorPosition();
    ASSERT_NEAR(hotSpot.x, 300.0f, 1.5f);
    ASSERT_NEAR(hotSpot.y, 399.0f, 1.5f);
    EXPECT_EQ(At(hotSpot + Vector2(20, -20)), kYellow) << "the cursor below and right of the hot spot";
    EXPECT_EQ(At(hotSpot + Vector2(36, -36)), kYellow);
    EXPECT_NE(At(hotSpot + Vector2(-10, 10)), kYellow) << "nothing above and left of it";
    EXPECT_NE(At(hotSpot + Vector2(60, -20)), kYellow) << "nothing beyond its size";

    ASSERT_EQ(Vantor::Config::Instance()->ExecuteLine("ui_custom_cursor 0"), Vantor::ConfigResult::Done);
    DrawFrames("game_cursor_system");
    EXPECT_FALSE(AnyYellow());
    EXPECT_TRUE(Vantor::Controls::Instance()->IsCursorVisible());
}

}  // namespace
