// The message loop's calls and the default window procedure.

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WinBroadcast.h"
#include "platform/WinInput.h"
#include "platform/WinMessageQueue.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "platform/WinWindowRegistry.h"
#include "platform/WinWindowSdl.h"

using namespace platform::win;

namespace {

WPARAM SizeType(const Window& window) {
    if (window.minimized) return SIZE_MINIMIZED;
    return window.maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

// WM_MOVE and WM_SIZE follow from a placement, as Windows' default procedure sends them.
LRESULT ReportPlacement(HWND window, const WINDOWPOS* position) {
    if (!position) return 0;
    if (!(position->flags & SWP_NOMOVE)) {
        if (const Window* record = Find(window))
            Send(window, WM_MOVE, 0,
                 MakeLParam(record->rect.left + record->frame.left, record->rect.top + record->frame.top));
    }
    if (!(position->flags & SWP_NOSIZE) || (position->flags & SwpStateChanged)) {
        if (const Window* record = Find(window))
            Send(window, WM_SIZE, SizeType(*record), MakeLParam(ClientWidth(*record), ClientHeight(*record)));
    }
    return 0;
}

LRESULT SystemCommand(HWND window, WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(window, SW_MAXIMIZE); break;
    case SC_RESTORE: ShowWindow(window, SW_RESTORE); break;
    case SC_CLOSE: Send(window, WM_CLOSE, 0, 0); break;
    default: break;
    }
    return 0;
}

LRESULT SetClassCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    const Window* record = Find(window);
    if (!record) return FALSE;
    // A child's parent decides first.
    if ((record->style & WS_CHILD) && record->parent && Send(record->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
    record = Find(window);
    if (!record || LOWORD(lParam) != HTCLIENT || !record->classCursor) return FALSE;
    SetCursor(record->classCursor);
    return TRUE;
}

std::function<void()>& PumpHook() {
    static std::function<void()> hook;
    return hook;
}

std::wstring Folded(LPCWSTR name) {
    std::wstring folded = name;
    for (wchar_t& c : folded)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    return folded;
}

}  // namespace

BOOL PeekMessageW(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (!message) return FALSE;
    if (PumpHook()) PumpHook()();
    platform::input::Pump();
    ReceiveBroadcasts();
    return Take(*message, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* message) {
    if (!message) return FALSE;
    switch (message->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        // The key's characters come next in the queue, one message per UTF-16 unit.
        std::wstring text = TakeTranslation(*message);
        std::vector<MSG> characters;
        for (wchar_t unit : text) {
            MSG character = *message;
            character.message = message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
            character.wParam = static_cast<WPARAM>(static_cast<WORD>(unit));
            characters.push_back(character);
        }
        if (!characters.empty()) PostAtFront(characters);
        return TRUE;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
    }
}

LRESULT DispatchMessageW(const MSG* message) {
    if (!message || !message->hwnd) return 0;
    return Send(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_SETTEXT: {
        Window* record = FindOwn(window);
        if (!record) return FALSE;
        record->title = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        Present(*record);
        return TRUE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) SetFocus(window);
        return 0;
    case WM_SETCURSOR: return SetClassCursor(window, wParam, lParam);
    case WM_WINDOWPOSCHANGED: return ReportPlacement(window, reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the top-level window.
        if (wParam == VK_F4 && (static_cast<DWORD>(lParam) & (1u << 29)))
            Send(TopLevelOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND: return SystemCommand(window, wParam);
    case WM_POWERBROADCAST: return TRUE;
    default: return 0;
    }
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == HWND_BROADCAST) {
        for (HWND topLevel : TopLevelWindows()) Post(topLevel, message, wParam, lParam);
        BroadcastToOtherProcesses(message, wParam, lParam);
        return TRUE;
    }
    return Post(window, message, wParam, lParam) ? TRUE : FALSE;
}

UINT RegisterWindowMessageW(LPCWSTR name) {
    if (!name || !*name) return 0;
    // Every process numbers a name alike: the id comes from the folded name's hash, and
    // only a clash with another name of this process moves it on.
    constexpr UINT kFirst = 0xC000;
    constexpr UINT kCount = 0x4000;
    static std::mutex mutex;
    static std::map<std::wstring, UINT> registered;
    static std::map<UINT, std::wstring> names;
    const std::wstring folded = Folded(name);
    std::lock_guard lock(mutex);
    if (auto found = registered.find(folded); found != registered.end()) return found->second;
    if (names.size() >= kCount) return 0;
    std::uint32_t hash = 2166136261u;
    for (wchar_t unit : folded) hash = (hash ^ static_cast<std::uint16_t>(unit)) * 16777619u;
    UINT id = kFirst + hash % kCount;
    while (names.contains(id)) id = kFirst + (id - kFirst + 1) % kCount;
    registered[folded] = id;
    names[id] = folded;
    return id;
}

namespace platform::seam {

void SetMessagePumpHook(std::function<void()> hook) { PumpHook() = std::move(hook); }

}  // namespace platform::seam
