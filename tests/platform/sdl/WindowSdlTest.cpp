// Windows on the sdl backend under Xvfb, where no window manager runs: the SDL window
// follows the window record, and SDL's own events do not undo what the program did.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include <SDL.h>

#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "platform/WinWindowSdl.h"

namespace {

using platform::seam::InspectSdlWindow;
using platform::seam::InspectWindow;

std::vector<MSG> received;

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back(MSG{window, message, wParam, lParam, 0, {}, 0});
    return DefWindowProcW(window, message, wParam, lParam);
}

class WindowSdlTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        platform::seam::ResetWindowing();
        received.clear();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = L"sdl test window";
        ASSERT_NE(RegisterClassW(&windowClass), 0);
    }

    void TearDown() override { platform::seam::ResetWindowing(); }

    static HWND Create(DWORD style, RECT rect, LPCWSTR title = L"Test") {
        return CreateWindowExW(0, L"sdl test window", title, style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    static void Show(HWND window) {
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }

    // Runs the message loop for a while of real time, so that the X server's answers arrive.
    static void PumpFor(std::chrono::milliseconds duration) {
        auto end = std::chrono::steady_clock::now() + duration;
        do {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (std::chrono::steady_clock::now() < end);
    }

    static bool Received(UINT message, WPARAM wParam) {
        for (const MSG& m : received)
            if (m.message == message && m.wParam == wParam) return true;
        return false;
    }
};

constexpr DWORD WindowedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

TEST_F(WindowSdlTest, AShownWindowCarriesItsTitle) {
    HWND window = Create(WindowedStyle, {100, 100, 746, 606}, L"Caf\u00e9 1.02");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(InspectSdlWindow(window).exists);
    EXPECT_FALSE(InspectSdlWindow(window).shown);

    Show(window);
    PumpFor(std::chrono::milliseconds(100));
    auto presented = InspectSdlWindow(window);
    EXPECT_TRUE(presented.shown);
    EXPECT_EQ(presented.title, L"Caf\u00e9 1.02");
    EXPECT_EQ(presented.width, 640);
    EXPECT_EQ(presented.height, 477);

    SetWindowTextW(window, L"Morvane");
    EXPECT_EQ(InspectSdlWindow(window).title, L"Morvane");
}

TEST_F(WindowSdlTest, TheProgramsIconOfTheClassIsSetOnTheSdlWindow) {
    platform::DefineIconResource(101, platform::IconPicture{16, 16, std::vector<uint32_t>(16 * 16, 0xFFC08040)});
    WNDCLASSW iconClass{};
    iconClass.lpfnWndProc = Procedure;
    iconClass.lpszClassName = L"sdl icon window";
    iconClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101));
    ASSERT_NE(RegisterClassW(&iconClass), 0);
    HWND withIcon = CreateWindowExW(0, L"sdl icon window", L"Icon", WindowedStyle, 0, 0, 200, 100, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(withIcon, nullptr);
    EXPECT_EQ(InspectSdlWindow(withIcon).iconWidth, 16);
    EXPECT_EQ(InspectSdlWindow(Create(WindowedStyle, {0, 0, 200, 100})).iconWidth, 0);
}

TEST_F(WindowSdlTest, TheWindowCountsAsFocusedOnceShown) {
    HWND window = Create(WindowedStyle, {100, 100, 746, 606});
    SetForegroundWindow(window);
    SetFocus(window);
    EXPECT_EQ(GetFocus(), nullptr);

    Show(window);
    SetForegroundWindow(window);
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(GetFocus(), window);
    EXPECT_TRUE(Received(WM_ACTIVATEAPP, TRUE));
    EXPECT_FALSE(Received(WM_ACTIVATEAPP, FALSE));
}

TEST_F(WindowSdlTest, MinimiseAndRestoreGiveTheirSizeMessages) {
    HWND window = Create(WindowedStyle, {100, 100, 746, 606});
    Show(window);
    PumpFor(std::chrono::milliseconds(100));

    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_TRUE(Received(WM_SIZE, SIZE_MINIMIZED));
    EXPECT_TRUE(InspectWindow(window).minimized);
    EXPECT_EQ(GetFocus(), nullptr);

    received.clear();
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_TRUE(Received(WM_SIZE, SIZE_RESTORED));
    EXPECT_FALSE(InspectWindow(window).minimized);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_TRUE(InspectSdlWindow(window).shown);
}

TEST_F(WindowSdlTest, APopupCoveringTheModeIsDesktopFullScreen) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    mode.dmPelsWidth = 800;
    mode.dmPelsHeight = 600;
    mode.dmBitsPerPel = 32;
    ASSERT_EQ(ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);

    HWND window = Create(WS_POPUP | WS_SYSMENU, {0, 0, 800, 600});
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 800, 600, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    // The X server may take a while under load: wait until the change shows, a few seconds at most.
    for (int i = 0; i < 50 && InspectSdlWindow(window).width != width; ++i) PumpFor(std::chrono::milliseconds(100));
    auto presented = InspectSdlWindow(window);
    EXPECT_TRUE(presented.fullScreen);
    EXPECT_EQ(presented.width, width);  // the desktop, with the mode's picture scaled into it
    EXPECT_EQ(presented.height, height);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(GetFocus(), window);

    ChangeDisplaySettingsW(nullptr, 0);
    for (int i = 0; i < 50 && InspectSdlWindow(window).fullScreen; ++i) PumpFor(std::chrono::milliseconds(100));
    EXPECT_FALSE(InspectSdlWindow(window).fullScreen);
}

// Many test programs share one display: a window opening under its pointer reports
// that pointer. Once a test injects pointer input, only injected input moves the cursor.
TEST_F(WindowSdlTest, TheSystemPointerCountsUntilATestInjectsPointerInput) {
    // In a corner, away from the display's own pointer (its middle, where the server
    // starts it and where no test moves it from), whose events would mix with these.
    HWND window = Create(WindowedStyle, {0, 0, 320, 240});
    Show(window);
    PumpFor(std::chrono::milliseconds(100));
    SDL_Window* sdlWindow = platform::SdlWindowOf(window);
    ASSERT_NE(sdlWindow, nullptr);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);

    auto systemPointerAt = [&](int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = SDL_GetWindowID(sdlWindow);
        event.motion.x = x;
        event.motion.y = y;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
        SDL_Event button{};
        button.type = SDL_MOUSEBUTTONDOWN;
        button.button.windowID = event.motion.windowID;
        button.button.button = SDL_BUTTON_LEFT;
        ASSERT_EQ(SDL_PushEvent(&button), 1);
        PumpFor(std::chrono::milliseconds(20));
    };
    auto cursor = [] {
        POINT point{};
        GetCursorPos(&point);
        return point;
    };

    systemPointerAt(10, 20);
    EXPECT_EQ(cursor().x, origin.x + 10);
    EXPECT_EQ(cursor().y, origin.y + 20);
    EXPECT_NE(GetAsyncKeyState(VK_LBUTTON), 0);
    platform::seam::InjectMouseButton(platform::seam::MouseButton::Left, false);

    platform::seam::InjectMouseMove(origin.x + 300, origin.y + 200);
    systemPointerAt(40, 50);
    EXPECT_EQ(cursor().x, origin.x + 300);
    EXPECT_EQ(cursor().y, origin.y + 200);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
}

}  // namespace
