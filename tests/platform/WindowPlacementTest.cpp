// Window geometry, styles, display settings and full screen on the headless backend.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/Desktop.h"
#include "platform/FailureInjection.h"
#include "platform/WinDisplay.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"

namespace {

using platform::seam::InspectWindow;

constexpr DWORD WindowedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WindowedExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
constexpr DWORD FullScreenStyle = WS_POPUP | WS_SYSMENU;

class WindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::seam::ResetWindowing();
        platform::seam::ResetDesktop();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"plain";
        ASSERT_NE(RegisterClassW(&windowClass), 0);
    }

    void TearDown() override {
        platform::seam::ResetWindowing();
        platform::seam::ResetDesktop();
        platform::seam::ClearInjectedFailures();
    }

    HWND Create(DWORD style, RECT rect, HWND parent = nullptr) {
        return CreateWindowExW(0, L"plain", L"", style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    static void Show(HWND window) {
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }

    static LONG ChangeMode(DWORD width, DWORD height, DWORD bits, DWORD flags = CDS_FULLSCREEN) {
        DEVMODEW mode{};
        mode.dmSize = sizeof(mode);
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        mode.dmBitsPerPel = bits;
        return ChangeDisplaySettingsW(&mode, flags);
    }
};

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(WindowPlacementTest, AdjustWindowRectExAddsTheFrameOfTheStyles) {
    struct Case {
        DWORD style;
        DWORD exStyle;
        BOOL menu;
        RECT expected;
    };
    const Case cases[] = {
        {WindowedStyle, WindowedExStyle, FALSE, {97, 74, 903, 603}},
        {FullScreenStyle, WS_EX_APPWINDOW, FALSE, {100, 100, 900, 600}},
        {WS_OVERLAPPEDWINDOW, 0, FALSE, {92, 69, 908, 608}},
        {WindowedStyle, WS_EX_CLIENTEDGE, TRUE, {95, 53, 905, 605}},
        {WS_CHILD, WS_EX_TOOLWINDOW, FALSE, {100, 100, 900, 600}},
    };
    for (const Case& c : cases) {
        RECT rect{100, 100, 900, 600};
        ASSERT_TRUE(AdjustWindowRectEx(&rect, c.style, c.menu, c.exStyle));
        EXPECT_TRUE(rect == c.expected) << std::hex << c.style << ": " << std::dec << rect.left << ',' << rect.top
                                        << ',' << rect.right << ',' << rect.bottom;
    }
}

TEST_F(WindowPlacementTest, ClientAreaLiesInsideTheFrame) {
    RECT outer{112, 69, 912, 669};
    AdjustWindowRectEx(&outer, WindowedStyle, FALSE, WindowedExStyle);
    HWND window = Create(WindowedStyle, outer);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_TRUE(client == (RECT{0, 0, 800, 600}));
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    EXPECT_EQ(corner.x, 112);
    EXPECT_EQ(corner.y, 69);
    POINT back{500, 400};
    ScreenToClient(window, &back);
    EXPECT_EQ(back.x, 388);
    EXPECT_EQ(back.y, 331);
}

TEST_F(WindowPlacementTest, RestylingTakesEffectWithTheFrameChange) {
    HWND window = Create(WindowedStyle, {0, 0, 806, 629});
    Show(window);
    LONG previous = SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(FullScreenStyle | WS_CLIPSIBLINGS));
    EXPECT_EQ(static_cast<DWORD>(previous), WindowedStyle | WS_VISIBLE);
    SetWindowLongW(window, GWL_EXSTYLE, WS_EX_APPWINDOW);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 1024, 768, SWP_SHOWWINDOW | SWP_FRAMECHANGED);

    auto state = InspectWindow(window);
    EXPECT_EQ(state.style, FullScreenStyle | WS_CLIPSIBLINGS | WS_VISIBLE);
    EXPECT_EQ(state.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_TOPMOST));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_TRUE(client == (RECT{0, 0, 1024, 768}));
}

TEST_F(WindowPlacementTest, APopupCoveringTheModesScreenIsFullScreen) {
    HWND window = Create(FullScreenStyle, {0, 0, 1024, 768});
    Show(window);
    EXPECT_FALSE(InspectWindow(window).fullScreen);  // the desktop is still 1280x1024

    ASSERT_EQ(ChangeMode(1024, 768, 32), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(InspectWindow(window).fullScreen);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_FALSE(InspectWindow(window).fullScreen);
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(InspectWindow(window).fullScreen);

    ASSERT_EQ(ChangeDisplaySettingsW(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_FALSE(InspectWindow(window).fullScreen);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
}

TEST_F(WindowPlacementTest, AWindowWithACaptionIsNeverFullScreen) {
    HWND window = Create(WindowedStyle, {-3, -26, 1283, 1027});
    Show(window);
    EXPECT_FALSE(InspectWindow(window).fullScreen);
}

TEST_F(WindowPlacementTest, TheCursorIsReportedInTheModesCoordinates) {
    HWND window = Create(FullScreenStyle, {0, 0, 800, 600});
    Show(window);
    ChangeMode(800, 600, 16);
    platform::seam::InjectMouseMove(5000, 300);
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 799);
    EXPECT_EQ(cursor.y, 300);
    ScreenToClient(window, &cursor);
    EXPECT_EQ(cursor.x, 799);
}

TEST_F(WindowPlacementTest, DisplayModesAreTheFixedSizesAndTheDesktopAtTwoDepths) {
    std::vector<std::pair<DWORD, DWORD>> sizes;
    std::vector<DWORD> depths;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    DWORD index = 0;
    for (; EnumDisplaySettingsW(nullptr, index, &mode); ++index) {
        sizes.emplace_back(mode.dmPelsWidth, mode.dmPelsHeight);
        depths.push_back(mode.dmBitsPerPel);
    }
    ASSERT_EQ(index, 8u);
    std::vector<std::pair<DWORD, DWORD>> expected = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    EXPECT_EQ(std::vector(sizes.begin(), sizes.begin() + 4), expected);
    EXPECT_EQ(std::vector(sizes.begin() + 4, sizes.end()), expected);
    EXPECT_EQ(depths, (std::vector<DWORD>{16, 16, 16, 16, 32, 32, 32, 32}));

    platform::seam::SetDesktop(1024, 768);
    EXPECT_EQ(platform::DisplayModes().size(), 6u);
}

TEST_F(WindowPlacementTest, ChangeDisplaySettingsSwitchesOnlyToListedModes) {
    DEVMODEW current{};
    EXPECT_EQ(ChangeMode(1000, 700, 32), DISP_CHANGE_BADMODE);
    EXPECT_EQ(ChangeMode(800, 600, 32, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeMode(800, 600, 32, CDS_UPDATEREGISTRY), DISP_CHANGE_BADFLAGS);
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &current);
    EXPECT_EQ(current.dmPelsWidth, 1280u);

    platform::seam::FailNextCalls("ChangeDisplaySettingsW", 1);
    EXPECT_EQ(ChangeMode(800, 600, 32), DISP_CHANGE_FAILED);
    EXPECT_EQ(ChangeMode(800, 600, 32), DISP_CHANGE_SUCCESSFUL);
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &current);
    EXPECT_EQ(current.dmPelsWidth, 800u);
    EXPECT_EQ(current.dmBitsPerPel, 32u);
    DEVMODEW desktop{};
    EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &desktop);
    EXPECT_EQ(desktop.dmPelsWidth, 1280u);
    EXPECT_EQ(desktop.dmPelsHeight, 1024u);
}

TEST_F(WindowPlacementTest, TheWorkAreaIsTheDesktopsOrTheWholeScreenOfAnotherMode) {
    platform::seam::SetWorkArea(RECT{0, 0, 1280, 994});
    RECT area;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_TRUE(area == (RECT{0, 0, 1280, 994}));
    ChangeMode(1024, 768, 32);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_TRUE(area == (RECT{0, 0, 1024, 768}));
}

TEST_F(WindowPlacementTest, AHostedChildSitsInItsHostsClientArea) {
    HWND host = Create(WindowedStyle, {50, 40, 696, 546});
    Show(host);
    RECT hostClient;
    GetClientRect(host, &hostClient);
    HWND child = Create(WS_CHILD | WS_CLIPSIBLINGS, {0, 0, hostClient.right, hostClient.bottom}, host);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), host);
    POINT corner{0, 0};
    ClientToScreen(child, &corner);
    EXPECT_EQ(corner.x, 53);
    EXPECT_EQ(corner.y, 66);

    ShowWindow(child, SW_SHOW);
    SetForegroundWindow(child);
    SetFocus(child);
    EXPECT_EQ(GetFocus(), child);
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowPlacementTest, TheDesktopWindowIsTheScreen) {
    HWND desktop = GetDesktopWindow();
    EXPECT_TRUE(IsWindow(desktop));
    RECT rect;
    GetWindowRect(desktop, &rect);
    EXPECT_TRUE(rect == (RECT{0, 0, 1280, 1024}));
}

}  // namespace
