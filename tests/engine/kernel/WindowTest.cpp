// The engine's window on the headless backend: creation and placement, the desktop's
// shape, the window procedure's answers, the mode toggle, cursors, focus and typing.

#include "engine/kernel/Window_WinOS.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/kernel/Config.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "platform/Desktop.h"
#include "platform/FailureInjection.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using platform::seam::InspectWindow;
using Vantor::Window_WinOS;

struct WindowArgs {
    uint32_t width = 800;
    uint32_t height = 600;
    bool fullScreen = false;
    bool centre = true;
    Vantor::Vector2i position{0, 0};
    HWND host = nullptr;
    uint32_t restoreMessageId = 0;
};

// The kernel managers that the window works with, and one window at a time.
class WindowTest : public enginetest::KernelManagersTest {
protected:
    void TearDown() override {
        window_.reset();
        KernelManagersTest::TearDown();
    }

    Window_WinOS& Make(const WindowArgs& args = {}) {
        window_.reset();
        window_ = std::make_unique<Window_WinOS>(L"Test 1.02", args.host, 0, args.width, args.height, args.fullScreen,
                                                 args.centre, args.position, args.restoreMessageId);
        Vantor::Window::Instance(window_.get());
        return *window_;
    }

    // Made and shown as the renderer would show it.
    Window_WinOS& MakeShown(const WindowArgs& args = {}) {
        Window_WinOS& window = Make(args);
        window.ChangeMode(args.width, args.height, args.fullScreen);
        window.Update();
        return window;
    }

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        MSG msg{window_->GetWindowHandle(), message, wParam, lParam, 0, {0, 0}, 0};
        return DispatchMessageW(&msg);
    }

    POINT ClientCorner() const {
        POINT corner{0, 0};
        ClientToScreen(window_->GetWindowHandle(), &corner);
        return corner;
    }

    bool Issued(const std::string& command) const { return config_->GetCommandState(command) == 0; }

    bool LoggedFatal(const std::string& text) const {
        for (const auto* message : log_->GetMessages())
            if (message->text == "PROGRAM ABORTING: " + text + "\n") return true;
        return false;
    }

    std::unique_ptr<Window_WinOS> window_;
};

// --- Creation and placement ---

TEST_F(WindowTest, CreationRegistersTheClassAndLeavesTheWindowHiddenWithItsTitle) {
    Window_WinOS& window = Make();
    const HWND handle = window.GetWindowHandle();
    ASSERT_TRUE(IsWindow(handle));
    const auto state = InspectWindow(handle);
    EXPECT_FALSE(state.shown);
    EXPECT_EQ(state.title, L"Test 1.02");
    EXPECT_EQ(state.style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPSIBLINGS),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPSIBLINGS);
    EXPECT_EQ(state.exStyle & WS_EX_TOPMOST, 0u);
    EXPECT_FALSE(window.IsKeyTyped());

    // Another window of the class cannot be registered while this one lives.
    WNDCLASSW again{};
    again.lpfnWndProc = DefWindowProcW;
    again.lpszClassName = Window_WinOS::kClassName;
    EXPECT_EQ(RegisterClassW(&again), 0);

    window_.reset();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_NE(RegisterClassW(&again), 0) << "the class is unregistered with the window";
}

struct PlacementCase {
    RECT workArea;
    WindowArgs args;
    POINT clientCorner;
};

TEST_F(WindowTest, ClientCornerIsCentredOnTheWorkAreaOrTakenFromThePosition) {
    const PlacementCase cases[] = {
        {{0, 0, 1024, 738}, {800, 600, false, true}, {112, 69}},
        {{0, 0, 1024, 738}, {1024, 768, false, true}, {0, -15}},
        // An odd negative difference rounds down, as a signed shift does.
        {{0, 0, 1024, 737}, {1024, 768, false, true}, {0, -16}},
        {{100, 30, 1124, 798}, {800, 600, false, true}, {212, 114}},
        {{0, 0, 1024, 738}, {640, 480, false, false, {30, 40}}, {30, 40}},
        {{0, 0, 1024, 738}, {1024, 768, true, true}, {0, 0}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.args.width << "x" << c.args.height << " full screen "
                                        << c.args.fullScreen << " centred " << c.args.centre);
        platform::seam::SetWorkArea(c.workArea);
        Window_WinOS& window = Make(c.args);
        const POINT corner = ClientCorner();
        EXPECT_EQ(corner.x, c.clientCorner.x);
        EXPECT_EQ(corner.y, c.clientCorner.y);
        // The outer rectangle holds the client area and the frame of the styles.
        RECT rect{};
        GetClientRect(window.GetWindowHandle(), &rect);
        EXPECT_EQ(static_cast<uint32_t>(rect.right), c.args.width);
        EXPECT_EQ(static_cast<uint32_t>(rect.bottom), c.args.height);
    }
}

TEST_F(WindowTest, FullScreenWindowIsATopmostPopupWithoutFrame) {
    Window_WinOS& window = Make({1024, 768, true});
    const auto state = InspectWindow(window.GetWindowHandle());
    EXPECT_TRUE(state.style & WS_POPUP);
    EXPECT_FALSE(state.style & WS_CAPTION);
    EXPECT_TRUE(state.exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(state.rect.left, 0);
    EXPECT_EQ(state.rect.top, 0);
    EXPECT_EQ(state.rect.right, 1024);
    EXPECT_EQ(state.rect.bottom, 768);
}

struct DesktopCase {
    int width;
    int height;
    bool wide;
    bool tall;
};

TEST_F(WindowTest, DesktopShapeSetsTheWideAndTallFlags) {
    const DesktopCase cases[] = {
        {1920, 1080, true, false},
        {1280, 1024, false, true},
        {1024, 768, false, false},
        {1280, 960, false, false},
    };
    for (const DesktopCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        platform::seam::SetDesktop(c.width, c.height);
        Window_WinOS& window = Make();
        EXPECT_EQ(window.IsWideDesktop(), c.wide);
        EXPECT_EQ(window.IsTallDesktop(), c.tall);
        EXPECT_FLOAT_EQ(window.GetDesktopAspect(), static_cast<float>(c.width) / static_cast<float>(c.height));
    }
}

struct FailureCase {
    const char* call;
    const char* text;
};

TEST_F(WindowTest, CreationFailuresAreFatalAndLeaveNothingBehind) {
    const FailureCase cases[] = {
        {"RegisterClassW", "Failed to register the window class"},
        {"CreateWindowExW", "Failed to create window"},
        {"GetDC", "Failed to create a device context"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.call);
        window_.reset();
        log_->ClearMessages();
        platform::seam::FailNextCalls(c.call, 1);
        try {
            Make({1024, 768, true});
            ADD_FAILURE() << "no error";
        } catch (const Vantor::FatalError& error) {
            EXPECT_EQ(error.GetText(), c.text);
        }
        EXPECT_TRUE(LoggedFatal(c.text));
        // The class and the (topmost) window went with the error: a new window can be made.
        EXPECT_NO_THROW(Make());
    }
}

// --- Changing the mode ---

TEST_F(WindowTest, ChangeModeRestylesPlacesAndShowsTheWindow) {
    platform::seam::SetWorkArea({0, 0, 1024, 738});
    Window_WinOS& window = Make({640, 480});
    const HWND handle = window.GetWindowHandle();

    window.ChangeMode(1024, 768, true);
    auto state = InspectWindow(handle);
    EXPECT_TRUE(state.shown);
    EXPECT_TRUE(state.style & WS_POPUP);
    EXPECT_TRUE(state.exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(state.rect.right - state.rect.left, 1024);
    EXPECT_EQ(state.title, L"Test 1.02");
    EXPECT_TRUE(window.IsFullScreen());
    EXPECT_EQ(window.GetWidth(), 1024u);

    window.ChangeMode(800, 600, false);
    state = InspectWindow(handle);
    EXPECT_TRUE(state.shown);
    EXPECT_TRUE(state.style & WS_CAPTION);
    EXPECT_FALSE(state.exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(window.IsFullScreen());
    const POINT corner = ClientCorner();
    EXPECT_EQ(corner.x, 112);
    EXPECT_EQ(corner.y, 69);
    window.Update();
    EXPECT_TRUE(window.HasFocus());
}

TEST_F(WindowTest, WindowKeepsItsSizeWhenSomethingTriesToResizeIt) {
    Window_WinOS& window = MakeShown();
    const HWND handle = window.GetWindowHandle();
    const RECT before = InspectWindow(handle).rect;
    const int width = before.right - before.left;
    const int height = before.bottom - before.top;

    SetWindowPos(handle, nullptr, 5, 5, 300, 200, SWP_NOZORDER);
    RECT after = InspectWindow(handle).rect;
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right - after.left, width);
    EXPECT_EQ(after.bottom - after.top, height);

    // A move that keeps the size is allowed.
    SetWindowPos(handle, nullptr, 50, 60, width, height, SWP_NOZORDER);
    after = InspectWindow(handle).rect;
    EXPECT_EQ(after.left, 50);
    EXPECT_EQ(after.top, 60);
}

// --- The window procedure ---

TEST_F(WindowTest, ClosingInAnyFormIssuesExitAndKeepsTheWindow) {
    const UINT closers[][2] = {{WM_CLOSE, 0}, {WM_QUIT, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& closer : closers) {
        SCOPED_TRACE(closer[0]);
        Window_WinOS& window = MakeShown();
        config_->SetCommandState("exit", 1);
        EXPECT_EQ(Dispatch(closer[0], closer[1]), 0);
        EXPECT_TRUE(Issued("exit"));
        window.Update();
        EXPECT_TRUE(IsWindow(window.GetWindowHandle()));
    }
}

TEST_F(WindowTest, WindowManagerCloseRequestIssuesExitAtThePump) {
    Window_WinOS& window = MakeShown();
    platform::seam::InjectCloseRequest(window.GetWindowHandle());
    EXPECT_FALSE(Issued("exit"));
    window.Update();
    EXPECT_TRUE(Issued("exit"));
    EXPECT_TRUE(IsWindow(window.GetWindowHandle()));
}

TEST_F(WindowTest, MaximisingAWindowedWindowAsksForFullScreenOnce) {
    struct Maximiser {
        UINT message;
        WPARAM wParam;
    };
    const Maximiser maximisers[] = {{WM_SYSCOMMAND, SC_MAXIMIZE}, {WM_SIZE, SIZE_MAXIMIZED}};
    for (const Maximiser& m : maximisers) {
        SCOPED_TRACE(m.message);
        MakeShown();
        config_->values.fullscreen = false;
        config_->SetCommandState("v_window_change_mode", 1);
        home_.folder.WriteFile("game.ini", "");

        EXPECT_EQ(Dispatch(m.message, m.wParam), 0);
        EXPECT_TRUE(config_->values.fullscreen);
        EXPECT_TRUE(Issued("v_window_change_mode"));
        EXPECT_NE(home_.ReadIni().find("v_fullscreen 1"), std::string::npos) << "the configuration was saved";

        // Already full screen: nothing more happens.
        config_->SetCommandState("v_window_change_mode", 1);
        home_.folder.WriteFile("game.ini", "untouched");
        EXPECT_EQ(Dispatch(m.message, m.wParam), 0);
        EXPECT_FALSE(Issued("v_window_change_mode"));
        EXPECT_EQ(home_.ReadIni(), "untouched");
        EXPECT_FALSE(window_->IsMinimized());
    }
}

TEST_F(WindowTest, SizeMessagesFollowMinimiseAndRestore) {
    Window_WinOS& window = MakeShown();
    EXPECT_EQ(Dispatch(WM_SIZE, SIZE_MINIMIZED), 0);
    EXPECT_TRUE(window.IsMinimized());
    EXPECT_EQ(Dispatch(WM_SIZE, SIZE_RESTORED), 0);
    EXPECT_FALSE(window.IsMinimized());
}

TEST_F(WindowTest, WindowManagerMinimiseAndRestoreReachTheMinimisedFlag) {
    Window_WinOS& window = MakeShown();
    const HWND handle = window.GetWindowHandle();
    platform::seam::InjectMinimize(handle);
    window.Update();
    EXPECT_TRUE(window.IsMinimized());
    EXPECT_TRUE(InspectWindow(handle).minimized);
    EXPECT_FALSE(config_->values.fullscreen) << "minimising is no full-screen request";

    platform::seam::InjectRestore(handle);
    window.Update();
    EXPECT_FALSE(window.IsMinimized());
    EXPECT_FALSE(InspectWindow(handle).minimized);
    EXPECT_TRUE(window.HasFocus());
}

TEST_F(WindowTest, MinimizeAndRestoreCallsGoThroughTheWindowsMessages) {
    Window_WinOS& window = MakeShown();
    const HWND handle = window.GetWindowHandle();
    window.Minimize();
    EXPECT_TRUE(window.IsMinimized());
    window.Update();
    EXPECT_TRUE(window.IsMinimized());
    EXPECT_TRUE(InspectWindow(handle).minimized);

    window.Restore();
    window.Update();
    EXPECT_FALSE(window.IsMinimized());
    EXPECT_FALSE(InspectWindow(handle).minimized);
    EXPECT_TRUE(window.HasFocus());
}

TEST_F(WindowTest, MaximiseWhileMinimisedLetsTheSystemMaximiseIntoFullScreen) {
    Window_WinOS& window = MakeShown();
    const HWND handle = window.GetWindowHandle();
    platform::seam::InjectMinimize(handle);
    window.Update();
    ASSERT_TRUE(window.IsMinimized());

    // The command itself only clears the flag; the system's maximise then reports a
    // maximised size, which asks for full screen.
    Dispatch(WM_SYSCOMMAND, SC_MAXIMIZE);
    EXPECT_FALSE(window.IsMinimized());
    EXPECT_FALSE(InspectWindow(handle).minimized);
    EXPECT_TRUE(config_->values.fullscreen);
    EXPECT_TRUE(Issued("v_window_change_mode"));
}

TEST_F(WindowTest, PowerBroadcastsSuspendAndResume) {
    struct PowerCase {
        WPARAM event;
        LRESULT answer;
        bool suspendedAfter;
    };
    const PowerCase cases[] = {
        {PBT_APMSUSPEND, 1, true},
        {PBT_APMPOWERSTATUSCHANGE, 1, true},  // other events change nothing
        {PBT_APMRESUMEAUTOMATIC, 1, false},
        {PBT_APMSUSPEND, 1, true},
        {PBT_APMRESUMESUSPEND, 1, false},
    };
    Window_WinOS& window = MakeShown();
    for (const PowerCase& c : cases) {
        SCOPED_TRACE(c.event);
        EXPECT_EQ(Dispatch(WM_POWERBROADCAST, c.event), c.answer);
        EXPECT_EQ(window.IsSuspended(), c.suspendedAfter);
    }
    // As the system sends it.
    platform::seam::InjectPowerBroadcast(PBT_APMSUSPEND);
    window.Update();
    EXPECT_TRUE(window.IsSuspended());
}

TEST_F(WindowTest, SystemCommandsThatMustNotRunAnswerZeroAndChangeNothing) {
    Window_WinOS& window = MakeShown();
    const HWND handle = window.GetWindowHandle();
    for (WPARAM command : {SC_SIZE, SC_TASKLIST, SC_SCREENSAVE, SC_HOTKEY, SC_MONITORPOWER}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Dispatch(WM_SYSCOMMAND, command), 0);
    }
    EXPECT_EQ(Dispatch(WM_SYSKEYUP, VK_MENU), 0);
    EXPECT_EQ(Dispatch(WM_SETCURSOR, reinterpret_cast<WPARAM>(handle), HTCLIENT), 1);
    EXPECT_FALSE(window.IsMinimized());
    EXPECT_FALSE(Issued("exit"));
    EXPECT_FALSE(InspectWindow(handle).minimized);
}

TEST_F(WindowTest, RestoreMessageRestoresTheWindow) {
    const UINT restoreMessage = RegisterWindowMessageW(L"testRestore");
    Window_WinOS& window = MakeShown({800, 600, false, true, {0, 0}, nullptr, restoreMessage});
    const HWND handle = window.GetWindowHandle();
    platform::seam::InjectMinimize(handle);
    window.Update();
    ASSERT_TRUE(window.IsMinimized());

    PostMessageW(HWND_BROADCAST, restoreMessage, 0, 0);
    window.Update();
    EXPECT_FALSE(window.IsMinimized());
    EXPECT_FALSE(InspectWindow(handle).minimized);
}

// --- The mode toggle ---

TEST_F(WindowTest, RequestedModeChangeInvertsFullScreenSavesAndIssuesTheCommand) {
    Window_WinOS& window = MakeShown();
    home_.folder.WriteFile("game.ini", "");
    window.RequestModeChange();
    window.Update();
    EXPECT_FALSE(window.IsModeChangeRequested());
    EXPECT_TRUE(config_->values.fullscreen);
    EXPECT_TRUE(Issued("v_window_change_mode"));
    EXPECT_NE(home_.ReadIni().find("v_fullscreen 1"), std::string::npos);

    // Without a request the update leaves the setting alone.
    config_->SetCommandState("v_window_change_mode", 1);
    window.Update();
    EXPECT_TRUE(config_->values.fullscreen);
    EXPECT_FALSE(Issued("v_window_change_mode"));

    window.RequestModeChange();
    window.Update();
    EXPECT_FALSE(config_->values.fullscreen);
    EXPECT_NE(home_.ReadIni().find("v_fullscreen 0"), std::string::npos);
}

// --- Typing ---

TEST_F(WindowTest, TypedKeyIsTheLastKeyOrCharacterOfThePump) {
    Window_WinOS& window = MakeShown();
    ASSERT_TRUE(window.HasFocus());

    // WM_KEYDOWN 0x41, then WM_CHAR 'a', in one pump: the character comes last.
    platform::seam::InjectKeyDown('A');
    platform::seam::InjectText(L"a");
    platform::seam::InjectKeyUp('A');
    window.Update();
    EXPECT_TRUE(window.IsKeyTyped());
    EXPECT_EQ(window.GetTypedKey(), u'a');

    window.ClearKeyTyped();
    platform::seam::InjectKeyDown(VK_RETURN);
    platform::seam::InjectKeyUp(VK_RETURN);
    window.Update();
    EXPECT_TRUE(window.IsKeyTyped());
    EXPECT_EQ(window.GetTypedKey(), 13);

    // A key without a character leaves its virtual-key code.
    window.ClearKeyTyped();
    platform::seam::InjectKeyDown(VK_F5);
    platform::seam::InjectKeyUp(VK_F5);
    window.Update();
    EXPECT_TRUE(window.IsKeyTyped());
    EXPECT_EQ(static_cast<UINT>(window.GetTypedKey()), VK_F5);

    window.ClearKeyTyped();
    window.Update();
    EXPECT_FALSE(window.IsKeyTyped());
}

// --- Cursors ---

HCURSOR CurrentCursor() {
    const HCURSOR current = ::SetCursor(nullptr);
    ::SetCursor(current);
    return current;
}

TEST_F(WindowTest, EachCursorResourceIsLoadedOnceEvenWhenMissing) {
    Window_WinOS& window = MakeShown();
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);

    platform::DefineCursorResource(101, IDC_HAND);
    window.SetCursor(101);
    EXPECT_EQ(CurrentCursor(), hand);

    // Redefining the resource changes nothing: the first load is kept.
    platform::DefineCursorResource(101, IDC_CROSS);
    ::SetCursor(nullptr);
    window.SetCursor(101);
    EXPECT_EQ(CurrentCursor(), hand);

    // A missing resource is no cursor, and stays so.
    window.SetCursor(202);
    EXPECT_EQ(CurrentCursor(), nullptr);
    platform::DefineCursorResource(202, IDC_HAND);
    window.SetCursor(202);
    EXPECT_EQ(CurrentCursor(), nullptr);

    // The window puts its cursor back whenever the system asks.
    window.SetCursor(101);
    ::SetCursor(nullptr);
    Dispatch(WM_SETCURSOR, reinterpret_cast<WPARAM>(window.GetWindowHandle()), HTCLIENT);
    EXPECT_EQ(CurrentCursor(), hand);
}

// --- Hosted in another window ---

class HostedWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WNDCLASSW hostClass{};
        hostClass.lpfnWndProc = DefWindowProcW;
        hostClass.lpszClassName = L"host";
        ASSERT_NE(RegisterClassW(&hostClass), 0);
        host_ = CreateWindowExW(0, L"host", L"Host", WS_CAPTION | WS_SYSMENU, 10, 10, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
        ShowWindow(host_, SW_SHOW);
    }

    HWND host_ = nullptr;
};

TEST_F(HostedWindowTest, HostedWindowIsAShownChildOfTheHostsSizeAndNeverFullScreen) {
    Window_WinOS& window = Make({1024, 768, true, true, {0, 0}, host_});
    RECT hostRect{};
    GetWindowRect(host_, &hostRect);
    EXPECT_TRUE(window.IsHosted());
    EXPECT_FALSE(window.IsFullScreen());
    EXPECT_EQ(window.GetWidth(), static_cast<uint32_t>(hostRect.right - hostRect.left));
    EXPECT_EQ(window.GetHeight(), static_cast<uint32_t>(hostRect.bottom - hostRect.top));
    const auto state = InspectWindow(window.GetWindowHandle());
    EXPECT_TRUE(state.shown);
    EXPECT_TRUE(state.style & WS_CHILD);
    EXPECT_EQ(GetParent(window.GetWindowHandle()), host_);

    // The renderer's mode change and the toggle do not apply to it.
    window.ChangeMode(640, 480, true);
    EXPECT_EQ(window.GetWidth(), static_cast<uint32_t>(hostRect.right - hostRect.left));
    window.RequestModeChange();
    window.Update();
    EXPECT_FALSE(config_->values.fullscreen);
    EXPECT_FALSE(Issued("v_window_change_mode"));
    EXPECT_EQ(Dispatch(WM_SYSCOMMAND, SC_MAXIMIZE), 0);
    EXPECT_EQ(Dispatch(WM_SYSCOMMAND, SC_MINIMIZE), 0);
    EXPECT_FALSE(config_->values.fullscreen);
    EXPECT_FALSE(window.IsMinimized());
}

TEST_F(HostedWindowTest, FocusCountsOnTheHostNotOnTheEnginesWindow) {
    Window_WinOS& window = Make({800, 600, false, true, {0, 0}, host_});
    SetFocus(host_);
    EXPECT_TRUE(window.HasFocus());
    SetFocus(window.GetWindowHandle());
    EXPECT_FALSE(window.HasFocus());
}

TEST_F(HostedWindowTest, LosingTheHostIssuesExit) {
    Window_WinOS& window = Make({800, 600, false, true, {0, 0}, host_});
    window.Update();
    EXPECT_FALSE(Issued("exit"));
    DestroyWindow(host_);
    window.Update();
    EXPECT_TRUE(Issued("exit"));
}

}  // namespace
