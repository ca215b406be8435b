// Window messages on the headless backend: what input, the window manager and the
// window calls deliver to a window procedure, and in which order.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "platform/FailureInjection.h"
#include "platform/WinFolders.h"
#include "platform/WinPaths.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/support/TempFolder.h"

namespace {

using platform::seam::InspectWindow;

struct Recorded {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class WindowMessagesTest : public ::testing::Test {
protected:
    static constexpr DWORD WindowedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

    void SetUp() override {
        // Broadcasts stay among the processes of this private folder.
        platform::seam::SetUserDataFolder(platform::ToWindowsPath(folder_.Path().string()));
        platform::seam::ResetWindowing();
        current = this;
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = L"test window";
        ASSERT_NE(RegisterClassW(&windowClass), 0);
    }

    void TearDown() override {
        platform::seam::ResetWindowing();
        platform::seam::ClearInjectedFailures();
        platform::seam::SetUserDataFolder(L"");
        current = nullptr;
    }

    testsupport::TempFolder folder_;

    HWND Create(DWORD style = WindowedStyle, RECT rect = {100, 100, 740, 580}) {
        return CreateWindowExW(0, L"test window", L"Test", style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    HWND CreateShown() {
        HWND window = Create();
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        log.clear();
        return window;
    }

    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    std::vector<Recorded> Only(std::set<UINT> messages) const {
        std::vector<Recorded> found;
        for (const Recorded& r : log)
            if (messages.count(r.message)) found.push_back(r);
        return found;
    }

    std::vector<UINT> MessageIds(std::set<UINT> messages) const {
        std::vector<UINT> ids;
        for (const Recorded& r : Only(messages)) ids.push_back(r.message);
        return ids;
    }

    bool Received(UINT message, WPARAM wParam) const {
        for (const Recorded& r : log)
            if (r.message == message && r.wParam == wParam) return true;
        return false;
    }

    std::vector<Recorded> log;
    // Answers a message instead of the default procedure when it returns a value.
    std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> handler;

private:
    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        current->log.push_back({window, message, wParam, lParam});
        if (current->handler)
            if (auto answer = current->handler(window, message, wParam, lParam)) return *answer;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static inline WindowMessagesTest* current = nullptr;
};

const std::set<UINT> KeyMessages = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR};

// ---- Keys and characters ----

TEST_F(WindowMessagesTest, TypingALetterGivesKeyDownThenItsCharacterInOnePump) {
    CreateShown();
    platform::seam::InjectKeyDown('A');
    platform::seam::InjectText(L"a");
    platform::seam::InjectKeyUp('A');
    Pump();

    auto keys = Only(KeyMessages);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].wParam, 0x41u);
    EXPECT_EQ(keys[1].message, WM_CHAR);
    EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>(L'a'));
    EXPECT_EQ(keys[2].message, WM_KEYUP);
    EXPECT_EQ(keys[2].wParam, 0x41u);
    // Repeat count 1 and the key's scan code; the key-up carries previous state and transition.
    auto bits = [](LPARAM l) { return static_cast<DWORD>(l); };
    EXPECT_EQ(bits(keys[0].lParam), 0x001E0001u);
    EXPECT_EQ(bits(keys[2].lParam), 0xC01E0001u);
}

TEST_F(WindowMessagesTest, KeysWithoutTextTypeTheirControlCharacters) {
    struct Case {
        std::vector<UINT> held;
        UINT key;
        WPARAM character;
    };
    const Case cases[] = {
        {{}, VK_RETURN, 13}, {{}, VK_BACK, 8}, {{}, VK_TAB, 9}, {{}, VK_ESCAPE, 27}, {{VK_CONTROL}, 'C', 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        HWND window = CreateShown();
        for (UINT held : c.held) platform::seam::InjectKeyDown(held);
        platform::seam::InjectKeyDown(c.key);
        Pump();
        auto characters = Only({WM_CHAR});
        ASSERT_EQ(characters.size(), 1u);
        EXPECT_EQ(characters[0].wParam, c.character);
        platform::seam::InjectKeyUp(c.key);
        for (UINT held : c.held) platform::seam::InjectKeyUp(held);
        Pump();
        DestroyWindow(window);
    }
}

TEST_F(WindowMessagesTest, CtrlLetterKeepsItsControlCharacterWhenTextArrivesToo) {
    CreateShown();
    platform::seam::InjectKeyDown(VK_CONTROL);
    platform::seam::InjectKeyDown('V');
    platform::seam::InjectText(L"v");
    Pump();
    auto characters = Only({WM_CHAR});
    ASSERT_EQ(characters.size(), 1u);
    EXPECT_EQ(characters[0].wParam, 22u);
}

TEST_F(WindowMessagesTest, AutoRepeatReachesTheWindowWithThePreviousStateBit) {
    CreateShown();
    platform::seam::InjectKeyDown('B');
    platform::seam::InjectText(L"b");
    platform::seam::InjectKeyDown('B');
    platform::seam::InjectText(L"b");
    Pump();
    auto keys = Only(KeyMessages);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[2].message, WM_KEYDOWN);
    EXPECT_EQ(static_cast<DWORD>(keys[0].lParam) & (1u << 30), 0u);
    EXPECT_NE(static_cast<DWORD>(keys[2].lParam) & (1u << 30), 0u);
    EXPECT_EQ(keys[3].message, WM_CHAR);
}

TEST_F(WindowMessagesTest, TextWithoutAKeyArrivesAsUtf16Units) {
    CreateShown();
    platform::seam::InjectText(L"\u00e9\xD83D\xDE00");  // é and an emoji as a surrogate pair
    Pump();
    auto characters = Only({WM_CHAR});
    ASSERT_EQ(characters.size(), 3u);
    EXPECT_EQ(characters[0].wParam, 0xE9u);
    EXPECT_EQ(characters[1].wParam, 0xD83Du);
    EXPECT_EQ(characters[2].wParam, 0xDE00u);
}

TEST_F(WindowMessagesTest, AltCombinationsAreSystemKeys) {
    CreateShown();
    platform::seam::InjectKeyDown(VK_MENU);
    platform::seam::InjectKeyDown(VK_RETURN);
    platform::seam::InjectKeyUp(VK_RETURN);
    platform::seam::InjectKeyUp(VK_MENU);
    Pump();
    auto keys = Only(KeyMessages);
    ASSERT_GE(keys.size(), 4u);
    EXPECT_EQ(keys[0].message, WM_SYSKEYDOWN);
    EXPECT_EQ(keys[0].wParam, VK_MENU);
    EXPECT_EQ(keys[1].message, WM_SYSKEYDOWN);
    EXPECT_EQ(keys[1].wParam, VK_RETURN);
    EXPECT_NE(static_cast<DWORD>(keys[1].lParam) & (1u << 29), 0u);  // context code: Alt is down
    EXPECT_EQ(keys.back().message, WM_SYSKEYUP);
}

TEST_F(WindowMessagesTest, AltF4ClosesTheWindowThroughTheDefaultProcedure) {
    HWND window = CreateShown();
    platform::seam::InjectKeyDown(VK_MENU);
    platform::seam::InjectKeyDown(VK_F4);
    Pump();
    EXPECT_TRUE(Received(WM_SYSCOMMAND, SC_CLOSE));
    EXPECT_EQ(MessageIds({WM_CLOSE, WM_DESTROY}), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowMessagesTest, KeysGoToTheFocusWindowOnly) {
    HWND window = CreateShown();
    platform::seam::InjectFocusLost(window);
    Pump();
    EXPECT_EQ(GetFocus(), nullptr);
    log.clear();
    platform::seam::InjectKeyDown('A');
    Pump();
    EXPECT_TRUE(Only(KeyMessages).empty());
}

// ---- Window manager and default procedure ----

TEST_F(WindowMessagesTest, SystemCommandsOfTheDefaultProcedure) {
    HWND window = CreateShown();

    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    EXPECT_TRUE(InspectWindow(window).minimized);
    EXPECT_TRUE(Received(WM_SIZE, SIZE_MINIMIZED));
    EXPECT_EQ(GetFocus(), nullptr);

    log.clear();
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump();
    EXPECT_FALSE(InspectWindow(window).minimized);
    EXPECT_TRUE(Received(WM_SIZE, SIZE_RESTORED));
    EXPECT_EQ(GetFocus(), window);

    log.clear();
    PostMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Pump();
    ASSERT_TRUE(Received(WM_SIZE, SIZE_MAXIMIZED));
    RECT client;
    GetClientRect(window, &client);
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(client.right, area.right - area.left);

    log.clear();
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(MessageIds({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowMessagesTest, AProcedureThatAnswersCloseItselfKeepsItsWindow) {
    HWND window = CreateShown();
    handler = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE) return 0;
        return std::nullopt;
    };
    platform::seam::InjectCloseRequest(window);
    Pump();
    EXPECT_TRUE(Received(WM_SYSCOMMAND, SC_CLOSE));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowMessagesTest, ThePumpHookActsBeforeEachPeekTakesItsMessage) {
    HWND window = CreateShown();
    Pump();
    int calls = 0;
    platform::seam::SetMessagePumpHook([&calls, window] {
        if (++calls == 2) platform::seam::InjectCloseRequest(window);
    });
    MSG message{};
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) << "the request made in the hook is taken at once";
    EXPECT_EQ(message.message, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(SC_CLOSE));

    platform::seam::ResetWindowing();
    PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(calls, 2) << "reset ends the hook";
}

TEST_F(WindowMessagesTest, WindowManagerMinimiseAndRestoreArriveAsSystemCommands) {
    HWND window = CreateShown();
    platform::seam::InjectMinimize(window);
    Pump();
    EXPECT_TRUE(Received(WM_SYSCOMMAND, SC_MINIMIZE));
    EXPECT_TRUE(Received(WM_SIZE, SIZE_MINIMIZED));
    platform::seam::InjectRestore(window);
    Pump();
    EXPECT_TRUE(Received(WM_SYSCOMMAND, SC_RESTORE));
    EXPECT_TRUE(Received(WM_SIZE, SIZE_RESTORED));
    EXPECT_EQ(GetFocus(), window);
}

TEST_F(WindowMessagesTest, AMinimisedWindowBroughtToTheFrontTakesTheFocusWhenRestored) {
    HWND window = CreateShown();
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(GetFocus(), nullptr);
    // What a second copy's restore message makes the first one do.
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(SetForegroundWindow(window));
    EXPECT_EQ(GetFocus(), nullptr);
    Pump();
    EXPECT_FALSE(InspectWindow(window).minimized);
    EXPECT_EQ(GetFocus(), window);
}

TEST_F(WindowMessagesTest, FocusLostAndGainedFromTheWindowManager) {
    HWND window = CreateShown();
    platform::seam::InjectFocusLost(window);
    Pump();
    EXPECT_EQ(MessageIds({WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS}),
              (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS}));
    EXPECT_TRUE(Received(WM_ACTIVATE, WA_INACTIVE));
    EXPECT_TRUE(Received(WM_ACTIVATEAPP, FALSE));

    log.clear();
    platform::seam::InjectFocusGained(window);
    Pump();
    EXPECT_EQ(MessageIds({WM_ACTIVATE, WM_ACTIVATEAPP, WM_SETFOCUS}),
              (std::vector<UINT>{WM_ACTIVATEAPP, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(GetFocus(), window);
}

TEST_F(WindowMessagesTest, PowerBroadcastReachesTheProcedureAndItsAnswerIsKept) {
    HWND window = CreateShown();
    platform::seam::InjectPowerBroadcast(PBT_APMSUSPEND);
    Pump();
    ASSERT_TRUE(Received(WM_POWERBROADCAST, PBT_APMSUSPEND));
    EXPECT_EQ(Only({WM_POWERBROADCAST})[0].window, window);
}

// ---- Showing, focus and placement ----

TEST_F(WindowMessagesTest, AWindowStaysHiddenAndUnfocusedUntilShown) {
    HWND window = Create();
    EXPECT_FALSE(InspectWindow(window).shown);
    EXPECT_FALSE(SetForegroundWindow(window));
    EXPECT_EQ(SetFocus(window), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);

    log.clear();
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_TRUE(InspectWindow(window).shown);
    EXPECT_EQ(MessageIds({WM_ACTIVATEAPP, WM_ACTIVATE, WM_SETFOCUS}),
              (std::vector<UINT>{WM_ACTIVATEAPP, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(GetFocus(), window);
}

TEST_F(WindowMessagesTest, CreationReportsSizeBeforeItReturns) {
    HWND window = Create(WindowedStyle, {0, 0, 646, 506});
    EXPECT_EQ(MessageIds({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_SHOWWINDOW}),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE}));
    auto sizes = Only({WM_SIZE});
    EXPECT_EQ(sizes[0].lParam, static_cast<LPARAM>((477 << 16) | 640));  // 646 - 2 * 3 by 506 - 26 - 3
    EXPECT_EQ(sizes[0].window, window);
}

TEST_F(WindowMessagesTest, SetWindowPosAsksTheWindowFirstAndHonoursItsAnswer) {
    HWND window = CreateShown();
    std::optional<WINDOWPOS> asked;
    handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_WINDOWPOSCHANGING) {
            auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
            asked = *position;
            // The window keeps its own size, wherever it is put.
            position->x = 10;
            position->y = 20;
            position->cx = 400;
            position->cy = 300;
        }
        return std::nullopt;
    };
    SetWindowPos(window, nullptr, 50, 60, 800, 600, SWP_NOZORDER);

    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->x, 50);
    EXPECT_EQ(asked->cx, 800);
    auto order = MessageIds({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE});
    EXPECT_EQ(order, (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 410);
    EXPECT_EQ(rect.bottom, 320);
}

TEST_F(WindowMessagesTest, SetWindowPosWithoutMoveOrSizeReportsTheCurrentPlacement) {
    HWND window = CreateShown();
    std::optional<WINDOWPOS> asked;
    handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_WINDOWPOSCHANGING) asked = *reinterpret_cast<WINDOWPOS*>(lParam);
        return std::nullopt;
    };
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->x, 100);
    EXPECT_EQ(asked->cx, 640);
    EXPECT_TRUE(InspectWindow(window).exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(Only({WM_SIZE}).empty());
}

TEST_F(WindowMessagesTest, SetWindowTextChangesTheTitle) {
    HWND window = CreateShown();
    EXPECT_TRUE(SetWindowTextW(window, L"Caf\u00e9 1.02"));
    EXPECT_EQ(InspectWindow(window).title, L"Caf\u00e9 1.02");
}

TEST_F(WindowMessagesTest, MouseMovesOverTheClientAreaAskForTheCursor) {
    HWND window = CreateShown();
    HCURSOR before = SetCursor(nullptr);
    EXPECT_EQ(before, LoadCursorW(nullptr, IDC_ARROW));
    POINT inside{10, 10};
    ClientToScreen(window, &inside);
    platform::seam::InjectMouseMove(inside.x, inside.y);
    Pump();
    ASSERT_EQ(Only({WM_SETCURSOR}).size(), 1u);
    EXPECT_EQ(LOWORD(Only({WM_SETCURSOR})[0].lParam), HTCLIENT);
    // The default procedure sets the class cursor.
    EXPECT_EQ(SetCursor(nullptr), LoadCursorW(nullptr, IDC_ARROW));
}

// ---- Queue ----

TEST_F(WindowMessagesTest, PostedMessagesArriveInOrderAndDieWithTheirWindow) {
    HWND first = CreateShown();
    HWND second = Create();
    UINT restore = RegisterWindowMessageW(L"morvaneRestore");
    EXPECT_EQ(RegisterWindowMessageW(L"MorvaneRestore"), restore);
    EXPECT_NE(RegisterWindowMessageW(L"other"), restore);
    EXPECT_GE(restore, 0xC000u);

    EXPECT_TRUE(PostMessageW(HWND_BROADCAST, restore, 0, 0));
    EXPECT_TRUE(PostMessageW(first, WM_USER + 1, 7, 0));
    EXPECT_TRUE(PostMessageW(second, WM_USER + 2, 0, 0));
    DestroyWindow(second);
    log.clear();
    Pump();
    auto received = Only({restore, WM_USER + 1, WM_USER + 2});
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, restore);
    EXPECT_EQ(received[1].message, WM_USER + 1u);
    EXPECT_FALSE(PostMessageW(second, WM_USER, 0, 0));
}

TEST_F(WindowMessagesTest, PeekWithoutRemoveLeavesTheMessage) {
    HWND window = CreateShown();
    PostMessageW(window, WM_USER, 1, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_USER);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

// ---- Classes and failures ----

TEST_F(WindowMessagesTest, ClassesAreUniqueAndStayWhileWindowsUseThem) {
    WNDCLASSW again{};
    again.lpfnWndProc = DefWindowProcW;
    again.lpszClassName = L"TEST WINDOW";  // names ignore letter case
    EXPECT_EQ(RegisterClassW(&again), 0);
    HWND window = Create();
    EXPECT_FALSE(UnregisterClassW(L"test window", nullptr));
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassW(L"test window", nullptr));
    EXPECT_EQ(Create(), nullptr);
}

TEST_F(WindowMessagesTest, InjectedFailuresOfTheWindowCalls) {
    platform::seam::FailNextCalls("CreateWindowExW", 1);
    EXPECT_EQ(Create(), nullptr);
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    platform::seam::FailNextCalls("GetDC", 1);
    EXPECT_EQ(GetDC(window), nullptr);
    HDC dc = GetDC(window);
    EXPECT_NE(dc, nullptr);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    WNDCLASSW other{};
    other.lpfnWndProc = DefWindowProcW;
    other.lpszClassName = L"other";
    platform::seam::FailNextCalls("RegisterClassW", 1);
    EXPECT_EQ(RegisterClassW(&other), 0);
    EXPECT_NE(RegisterClassW(&other), 0);
}

}  // namespace
