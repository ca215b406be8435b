// The engine and its window on the sdl backend under Xvfb: the real SDL window, its
// title, the frame loop until "exit", typing and the switch to full screen and back.

#include "engine/kernel/Engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "engine/kernel/Config.h"
#include "engine/kernel/Window_WinOS.h"
#include "engine/render/RenderSystem.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using enginetest::Logged;
using platform::seam::InspectSdlWindow;
using Vantor::Engine;

class EngineSdlTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        EngineObjectTest::SetUp();
    }

    static Vantor::Window_WinOS& TheWindow() {
        return *static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance());
    }

    // Whole frames for a while of real time, so that the X server's answers arrive.
    static void RunFramesFor(Engine& engine, std::chrono::milliseconds duration) {
        const auto end = std::chrono::steady_clock::now() + duration;
        while (std::chrono::steady_clock::now() < end && !engine.IsExitRequested()) {
            engine.BeginFrame();
            engine.EndFrame();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    // Whole frames until the window shows what is awaited; a loaded X server may take a
    // while, so the wait is bounded by seconds, not by a fixed short time.
    template <typename Awaited>
    static void RunFramesUntil(Engine& engine, Awaited awaited) {
        for (int i = 0; i < 50 && !awaited(); ++i) RunFramesFor(engine, std::chrono::milliseconds(100));
    }
};

TEST_F(EngineSdlTest, WindowShowsTheTitleWithVersionOnceShown) {
    Engine engine(home_.Settings(L"Caf\u00e9 Test", 102));
    const HWND window = TheWindow().GetWindowHandle();
    ASSERT_TRUE(InspectSdlWindow(window).exists);

    // The renderer showed it in the mode it chose.
    RunFramesFor(engine, std::chrono::milliseconds(100));
    const auto presented = InspectSdlWindow(window);
    EXPECT_TRUE(presented.shown);
    EXPECT_EQ(presented.title, L"Caf\u00e9 Test 1.02");
    EXPECT_EQ(presented.width, 800);
    EXPECT_EQ(presented.height, 600);
    EXPECT_FALSE(presented.fullScreen);
}

TEST_F(EngineSdlTest, FramesRunUntilTheWindowIsClosed) {
    Engine engine(home_.Settings());
    TheWindow().ChangeMode(800, 600, false);
    RunFramesFor(engine, std::chrono::milliseconds(100));
    ASSERT_FALSE(engine.IsExitRequested());

    platform::seam::InjectCloseRequest(TheWindow().GetWindowHandle());
    int frames = 0;
    while (!engine.IsExitRequested() && frames < 100) {
        engine.BeginFrame();
        engine.EndFrame();
        ++frames;
    }
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(Logged("\nExiting...\n\n"));
    EXPECT_TRUE(InspectSdlWindow(TheWindow().GetWindowHandle()).exists);
}

TEST_F(EngineSdlTest, FramesRunUntilExitIsRequested) {
    Engine engine(home_.Settings());
    TheWindow().ChangeMode(800, 600, false);
    int frames = 0;
    while (!engine.IsExitRequested() && frames < 100) {
        engine.BeginFrame();
        if (++frames == 5) engine.RequestExit();
        engine.EndFrame();
    }
    EXPECT_EQ(frames, 5);
    EXPECT_TRUE(Logged("\nExiting...\n\n"));
}

TEST_F(EngineSdlTest, LogShowsCreationAndDestructionInReverseOrderWithTheLogLast) {
    const std::string ini = "v_mode 800x600x32\r\n";
    home_.WriteIni(ini);
    auto settings = home_.Settings();
    settings.usePacks = true;  // the file manager then logs its start
    {
        Engine engine(settings);
        TheWindow().ChangeMode(800, 600, false);
        RunFramesFor(engine, std::chrono::milliseconds(50));
        engine.RequestExit();
        engine.BeginFrame();
        engine.EndFrame();
    }
    const std::string log = home_.ReadLog();
    const size_t files = log.find("Initialization of File Manager...");
    const size_t windowMade = log.find("Window creation:");
    const size_t exiting = log.find("Exiting...");
    const size_t windowGone = log.find("Window destroying:");
    const size_t logEnd = log.find("Log end");
    ASSERT_NE(logEnd, std::string::npos);
    EXPECT_LT(files, windowMade);
    EXPECT_LT(windowMade, exiting);
    EXPECT_LT(exiting, windowGone);
    EXPECT_LT(windowGone, logEnd);
    EXPECT_EQ(log.substr(log.size() - 7), "</HTML>");
    EXPECT_EQ(home_.ReadIni(), ini) << "the settings do not ask to save the configuration";
}

TEST_F(EngineSdlTest, TypedLetterAndEnterReachTheWindowProcedure) {
    Engine engine(home_.Settings());
    Vantor::Window_WinOS& window = TheWindow();
    window.ChangeMode(800, 600, false);
    RunFramesFor(engine, std::chrono::milliseconds(200));
    ASSERT_TRUE(window.HasFocus());

    // WM_KEYDOWN 0x41 and then WM_CHAR 'a' in one pump: the character is stored last.
    window.ClearKeyTyped();
    platform::seam::InjectKeyDown('A');
    platform::seam::InjectText(L"a");
    platform::seam::InjectKeyUp('A');
    engine.BeginFrame();
    EXPECT_TRUE(window.IsKeyTyped());
    EXPECT_EQ(window.GetTypedKey(), u'a');
    engine.EndFrame();

    window.ClearKeyTyped();
    platform::seam::InjectKeyDown(VK_RETURN);
    platform::seam::InjectKeyUp(VK_RETURN);
    engine.BeginFrame();
    EXPECT_TRUE(window.IsKeyTyped());
    EXPECT_EQ(window.GetTypedKey(), 13);
    engine.EndFrame();
}

TEST_F(EngineSdlTest, ChangeModeSwitchesToFullScreenAndBack) {
    Engine engine(home_.Settings());
    Vantor::Window_WinOS& window = TheWindow();
    const int desktopWidth = GetSystemMetrics(SM_CXSCREEN);
    // The renderer changes the window's mode, as the framework has it do.
    auto switchTo = [](bool fullScreen) {
        Vantor::Config::Instance()->values.fullscreen = fullScreen;
        Vantor::RenderSystem::Instance()->CheckVideoMode();
        Vantor::RenderSystem::Instance()->ResetDevice(Vantor::RenderSystem::kResetDevice);
    };

    switchTo(true);
    RunFramesUntil(engine, [&] { return InspectSdlWindow(window.GetWindowHandle()).width == desktopWidth; });
    auto presented = InspectSdlWindow(window.GetWindowHandle());
    EXPECT_TRUE(presented.shown);
    EXPECT_TRUE(presented.fullScreen);
    EXPECT_EQ(presented.width, desktopWidth);
    EXPECT_TRUE(window.HasFocus());

    switchTo(false);
    RunFramesUntil(engine, [&] { return InspectSdlWindow(window.GetWindowHandle()).width == 800; });
    presented = InspectSdlWindow(window.GetWindowHandle());
    EXPECT_FALSE(presented.fullScreen);
    EXPECT_EQ(presented.width, 800);
    EXPECT_EQ(presented.height, 600);
    EXPECT_EQ(presented.title, L"Test 1.02");
    EXPECT_FALSE(engine.IsExitRequested());
}

}  // namespace
