// Window classes and windows: creation, styles, placement, showing, focus.

#include <algorithm>

#include "platform/FailureInjection.h"
#include "platform/WinDisplay.h"
#include "platform/WinMessageQueue.h"
#include "platform/WinUser.h"
#include "platform/WinWindowActivation.h"
#include "platform/WinWindowRegistry.h"
#include "platform/WinWindowSdl.h"

namespace platform::win {
namespace {

enum class Placement { Keep, Normal, Minimized, Maximized };

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A maximised window's client area fills the work area; its side frames lie outside.
RECT MaximizedRect(const Window& window) {
    RECT area = CurrentWorkArea();
    LONG side = window.frame.left;
    return RECT{area.left - side, area.top - side, area.right + side, area.bottom + side};
}

// The window stops being active or loses the focus when it or its top level goes.
void ReleaseActivation(HWND handle) {
    const Window* window = Find(handle);
    if (window && !(window->style & WS_CHILD)) {
        Deactivate(handle, true);
        return;
    }
    for (HWND focus = FocusWindow(); focus; focus = GetParent(focus)) {
        if (focus == handle) {
            ChangeFocus(nullptr);
            return;
        }
    }
}

void NotifyPlacement(HWND handle, UINT flags) {
    const Window* window = Find(handle);
    if (!window) return;
    WINDOWPOS position{handle, nullptr, window->rect.left, window->rect.top, Width(window->rect),
                       Height(window->rect), flags};
    Send(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
}

// Shows or hides the window and moves it between normal, minimised and maximised.
void ChangeShowState(HWND handle, bool shown, Placement placement, bool activate) {
    Window* window = FindOwn(handle);
    if (!window) return;
    RECT before = window->rect;
    bool wasMinimized = window->minimized;
    bool wasMaximized = window->maximized;
    switch (placement) {
    case Placement::Keep: break;
    case Placement::Normal:
        if (window->maximized) window->rect = window->normalRect;
        window->minimized = window->maximized = false;
        break;
    case Placement::Minimized:
        if (!window->minimized) window->maximizedBeforeMinimize = window->maximized;
        window->minimized = true;
        window->maximized = false;
        break;
    case Placement::Maximized:
        if (!window->maximized && !window->minimized) window->normalRect = window->rect;
        window->minimized = false;
        window->maximized = true;
        window->rect = MaximizedRect(*window);
        break;
    }
    window->shown = shown;
    Present(*window);
    bool stateChanged = wasMinimized != window->minimized || wasMaximized != window->maximized;
    bool moved = !SameRect(before, window->rect);
    if (stateChanged || moved) {
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (stateChanged ? SwpStateChanged : 0);
        if (!moved) flags |= SWP_NOMOVE | SWP_NOSIZE;
        NotifyPlacement(handle, flags);
    }
    window = FindOwn(handle);
    if (!window) return;
    if (!window->shown || window->minimized) {
        ReleaseActivation(handle);
    } else if (activate && !(window->style & WS_CHILD)) {
        Activate(handle);
        // Made active while minimised (SetForegroundWindow), it takes the focus when restored.
        if (wasMinimized && ActiveWindow() == handle && !FocusWindow()) ChangeFocus(handle);
    }
}

void DestroyTree(HWND handle) {
    Window* window = FindOwn(handle);
    if (!window || window->destroying) return;
    window->destroying = true;
    if (window->shown) {
        window->shown = false;
        Present(*window);
        ReleaseActivation(handle);
    }
    Send(handle, WM_DESTROY, 0, 0);
    for (HWND child : Children(handle)) DestroyTree(child);
    Send(handle, WM_NCDESTROY, 0, 0);
    if (Window* gone = Find(handle)) DestroyPresentation(*gone);
    ForgetWindow(handle);
    DiscardMessagesFor(handle);
    Remove(handle);
}

HDC DeviceContextOf(HWND handle) {
    if (!handle || handle == DesktopHandle()) return reinterpret_cast<HDC>(static_cast<uintptr_t>(0x20001));
    const Window* window = Find(handle);
    return window ? window->dc : nullptr;
}

RECT ScreenRect() {
    DisplayMode mode = CurrentDisplayMode();
    return RECT{0, 0, mode.width, mode.height};
}

}  // namespace
}  // namespace platform::win

using namespace platform::win;

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
    if (platform::ShouldFail("RegisterClassW")) return 0;
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
        IS_INTRESOURCE(windowClass->lpszClassName) || !*windowClass->lpszClassName)
        return 0;
    return AddClass(WindowClass{0, windowClass->lpszClassName, windowClass->style, windowClass->lpfnWndProc,
                                windowClass->hIcon, windowClass->hCursor, windowClass->hbrBackground});
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
    const WindowClass* windowClass = FindClass(className);
    if (!windowClass || ClassInUse(windowClass->atom)) return FALSE;
    return RemoveClass(className) ? TRUE : FALSE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, LPVOID menu, HINSTANCE instance, LPVOID param) {
    if (platform::ShouldFail("CreateWindowExW")) return nullptr;
    const WindowClass* windowClass = FindClass(className);
    if (!windowClass) return nullptr;
    if ((style & WS_CHILD) && !FindOwn(parent)) return nullptr;

    auto window = std::make_unique<Window>();
    HWND handle = NewHandle();
    window->handle = handle;
    window->classAtom = windowClass->atom;
    window->procedure = windowClass->procedure;
    window->classCursor = windowClass->cursor;
    window->classIcon = windowClass->icon;
    window->thread = std::this_thread::get_id();
    window->parent = parent;
    window->title = windowName ? windowName : L"";
    window->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    window->exStyle = exStyle;
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) {
        RECT area = platform::CurrentWorkArea();
        width = Width(area) * 3 / 4;
        height = Height(area) * 3 / 4;
    }
    window->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    window->normalRect = window->rect;
    window->frame = FrameInsets(window->style, exStyle, menu != nullptr);
    window->dc = reinterpret_cast<HDC>(reinterpret_cast<uintptr_t>(handle) | 1);
    Window* record = Add(std::move(window));
    if (!CreatePresentation(*record)) {
        Remove(handle);
        return nullptr;
    }

    CREATESTRUCTW create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                         windowName, className, exStyle};
    if (!Send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
        Send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyTree(handle);
        return nullptr;
    }
    // A new window hears its size and place once, before CreateWindowExW returns.
    if (const Window* created = FindOwn(handle)) {
        POINT origin{created->rect.left + created->frame.left, created->rect.top + created->frame.top};
        Send(handle, WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(*created), ClientHeight(*created)));
        Send(handle, WM_MOVE, 0, MakeLParam(origin.x, origin.y));
    }
    if (!FindOwn(handle)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL DestroyWindow(HWND window) {
    if (!FindOwn(window)) return FALSE;
    DestroyTree(window);
    return TRUE;
}

BOOL IsWindow(HWND window) { return (window == DesktopHandle() || Find(window)) ? TRUE : FALSE; }

HWND GetParent(HWND window) {
    const Window* record = Find(window);
    return record ? record->parent : nullptr;
}

HWND GetDesktopWindow() { return DesktopHandle(); }

LONG SetWindowLongW(HWND window, int index, LONG value) {
    Window* record = FindOwn(window);
    if (!record) return 0;
    auto bits = static_cast<DWORD>(value);
    if (index == GWL_STYLE) {
        DWORD previous = record->style | (record->shown ? WS_VISIBLE : 0) | (record->minimized ? WS_MINIMIZE : 0) |
                         (record->maximized ? WS_MAXIMIZE : 0);
        // Showing and the window's state change through ShowWindow and SetWindowPos.
        record->style = bits & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
        return static_cast<LONG>(previous);
    }
    if (index == GWL_EXSTYLE) {
        DWORD previous = record->exStyle;
        // Topmost changes only through SetWindowPos.
        record->exStyle = (bits & ~WS_EX_TOPMOST) | (previous & WS_EX_TOPMOST);
        return static_cast<LONG>(previous);
    }
    return 0;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Window* record = FindOwn(window);
    if (!record) return FALSE;
    WINDOWPOS position{window, insertAfter, x, y, width, height, flags};
    if (flags & SWP_NOMOVE) {
        position.x = record->rect.left;
        position.y = record->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        position.cx = Width(record->rect);
        position.cy = Height(record->rect);
    }
    // The window may change the placement before it happens.
    if (!(flags & SWP_NOSENDCHANGING)) {
        Send(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
        record = FindOwn(window);
        if (!record) return FALSE;
    }
    flags = position.flags;
    if (!(flags & SWP_NOMOVE)) {
        LONG w = Width(record->rect), h = Height(record->rect);
        record->rect = RECT{position.x, position.y, position.x + w, position.y + h};
    }
    if (!(flags & SWP_NOSIZE))
        record->rect = RECT{record->rect.left, record->rect.top, record->rect.left + std::max(0, position.cx),
                            record->rect.top + std::max(0, position.cy)};
    if (!(flags & SWP_NOZORDER)) {
        if (position.hwndInsertAfter == HWND_TOPMOST) record->exStyle |= WS_EX_TOPMOST;
        if (position.hwndInsertAfter == HWND_NOTOPMOST) record->exStyle &= ~WS_EX_TOPMOST;
    }
    if (flags & SWP_FRAMECHANGED) record->frame = FrameInsets(record->style, record->exStyle, false);
    bool hiding = (flags & SWP_HIDEWINDOW) && record->shown;
    if (flags & SWP_SHOWWINDOW) record->shown = true;
    if (hiding) record->shown = false;
    if (!record->minimized && !record->maximized) record->normalRect = record->rect;
    Present(*record);
    Send(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    record = FindOwn(window);
    if (!record) return TRUE;
    if (hiding)
        ReleaseActivation(window);
    else if (!(flags & SWP_NOACTIVATE) && record->shown && !record->minimized && !(record->style & WS_CHILD))
        Activate(window);
    return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
    Window* record = FindOwn(window);
    if (!record) return FALSE;
    bool wasShown = record->shown;
    bool show = command != SW_HIDE;
    if (show != wasShown) Send(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    switch (command) {
    case SW_HIDE: ChangeShowState(window, false, Placement::Keep, false); break;
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT: ChangeShowState(window, true, Placement::Normal, true); break;
    case SW_RESTORE: {
        const Window* current = FindOwn(window);
        bool backToMaximized = current && current->minimized && current->maximizedBeforeMinimize;
        ChangeShowState(window, true, backToMaximized ? Placement::Maximized : Placement::Normal, true);
        break;
    }
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: ChangeShowState(window, true, Placement::Minimized, false); break;
    case SW_MAXIMIZE: ChangeShowState(window, true, Placement::Maximized, true); break;
    case SW_SHOWNOACTIVATE: ChangeShowState(window, true, Placement::Normal, false); break;
    case SW_SHOWNA: ChangeShowState(window, true, Placement::Keep, false); break;
    default: ChangeShowState(window, true, Placement::Keep, true); break;
    }
    return wasShown ? TRUE : FALSE;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    if (!FindOwn(window)) return FALSE;
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    if (!rect) return FALSE;
    if (window == DesktopHandle()) {
        *rect = ScreenRect();
        return TRUE;
    }
    const Window* record = Find(window);
    if (!record) return FALSE;
    *rect = record->rect;
    if ((record->style & WS_CHILD) && record->parent) {
        if (const Window* parent = Find(record->parent)) {
            POINT origin = ClientOrigin(*parent);
            *rect = RECT{rect->left + origin.x, rect->top + origin.y, rect->right + origin.x, rect->bottom + origin.y};
        }
    }
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    if (!rect) return FALSE;
    if (window == DesktopHandle()) {
        *rect = ScreenRect();
        return TRUE;
    }
    const Window* record = Find(window);
    if (!record) return FALSE;
    *rect = RECT{0, 0, ClientWidth(*record), ClientHeight(*record)};
    return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
    if (!point) return FALSE;
    if (window == DesktopHandle()) return TRUE;
    const Window* record = Find(window);
    if (!record) return FALSE;
    POINT origin = ClientOrigin(*record);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
    if (!point) return FALSE;
    if (window == DesktopHandle()) return TRUE;
    const Window* record = Find(window);
    if (!record) return FALSE;
    POINT origin = ClientOrigin(*record);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) return FALSE;
    RECT frame = FrameInsets(style, exStyle, menu != FALSE);
    rect->left -= frame.left;
    rect->top -= frame.top;
    rect->right += frame.right;
    rect->bottom += frame.bottom;
    return TRUE;
}

BOOL SetForegroundWindow(HWND window) {
    HWND topLevel = TopLevelOf(window);
    const Window* record = FindOwn(topLevel);
    if (!record || !record->shown) return FALSE;
    Activate(topLevel);
    return TRUE;
}

HWND SetFocus(HWND window) {
    HWND previous = FocusWindow();
    if (!window) {
        ChangeFocus(nullptr);
        return previous;
    }
    if (!FindOwn(window)) return nullptr;
    HWND topLevel = TopLevelOf(window);
    const Window* top = Find(topLevel);
    if (!top || !top->shown || top->minimized) return nullptr;
    Activate(topLevel);
    if (FindOwn(window)) ChangeFocus(window);
    return previous;
}

HWND GetFocus() {
    HWND focus = FocusWindow();
    return FindOwn(focus) ? focus : nullptr;
}

HDC GetDC(HWND window) {
    if (platform::ShouldFail("GetDC")) return nullptr;
    return DeviceContextOf(window);
}

int ReleaseDC(HWND window, HDC dc) { return (dc && DeviceContextOf(window) == dc) ? 1 : 0; }

HGDIOBJ GetStockObject(int object) {
    if (object < 0 || object > 19) return nullptr;
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x30000 + object));
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    // Only the program's own module exists.
    return moduleName ? nullptr : reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
}
