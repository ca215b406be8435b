#pragma once
// Inside the layer: the records behind window handles and window classes, and the
// geometry rules shared by the window calls.

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/WinUser.h"

struct SDL_Window;

namespace platform::win {

struct WindowClass {
    ATOM atom;
    std::wstring name;
    UINT style;
    WNDPROC procedure;
    HICON icon;
    HCURSOR cursor;
    HBRUSH background;
};

// What was last applied to a window's SDL window.
struct Presentation {
    SDL_Window* window = nullptr;
    uint32_t id = 0;
    std::wstring title;
    bool shown = false;
    bool minimized = false;
    bool fullScreen = false;
    bool bordered = true;
    int iconWidth = 0;  // of the program's icon shown on it; 0 for none
    RECT client{};  // screen position and size of the client area
    // State events that SDL will report for our own requests, not the user's.
    int expectedMinimizeEvents = 0;
    int expectedRestoreEvents = 0;
};

struct Window {
    HWND handle = nullptr;
    ATOM classAtom = 0;
    WNDPROC procedure = nullptr;
    HCURSOR classCursor = nullptr;
    HICON classIcon = nullptr;
    std::thread::id thread;
    HWND parent = nullptr;
    std::wstring title;
    DWORD style = 0;  // WS_VISIBLE, WS_MINIMIZE and WS_MAXIMIZE live in the flags below
    DWORD exStyle = 0;
    RECT rect{};        // outer rectangle in the parent's client coordinates (the screen's at top level)
    RECT frame{};       // frame widths around the client area, as of the last frame change
    RECT normalRect{};  // where a maximised window goes back on restore
    bool shown = false;
    bool minimized = false;
    bool maximized = false;
    bool maximizedBeforeMinimize = false;
    bool destroying = false;
    HDC dc = nullptr;
    Presentation presentation;
};

// The registry is locked inside each call. A record changes only on its window's
// thread, so a pointer from Find stays valid there until the window is destroyed;
// callers look the window up again after sending it a message.
Window* Find(HWND handle);
Window* Add(std::unique_ptr<Window> window);
void Remove(HWND handle);
HWND NewHandle();
// The desktop window: the whole screen; it has no record.
HWND DesktopHandle();
bool OwnerThread(HWND handle, std::thread::id& thread);
std::vector<HWND> TopLevelWindows();  // in creation order
std::vector<HWND> Children(HWND parent);
HWND TopLevelOf(HWND handle);
HWND WindowFromPresentationId(uint32_t id);

const WindowClass* FindClass(LPCWSTR nameOrAtom);
ATOM AddClass(WindowClass windowClass);
bool RemoveClass(LPCWSTR nameOrAtom);
bool ClassInUse(ATOM atom);

// Drops every record without a message (for the test reset).
std::vector<std::unique_ptr<Window>> TakeAllWindows();
void ClearClasses();

// Frame widths around the client area for the styles (left, top, right, bottom).
RECT FrameInsets(DWORD style, DWORD exStyle, bool menu);
// The client area's top-left corner in screen coordinates.
POINT ClientOrigin(const Window& window);
int ClientWidth(const Window& window);
int ClientHeight(const Window& window);
// A shown, restored top-level window without caption or sizing frame that covers the
// current display mode's screen.
bool IsFullScreen(const Window& window);
bool IsOnCallingThread(const Window& window);
// The window when it exists and belongs to the calling thread.
Window* FindOwn(HWND handle);

// Marks a WM_WINDOWPOSCHANGED that reports a change between normal, minimised and
// maximised, which the default procedure answers with WM_SIZE.
constexpr UINT SwpStateChanged = 0x8000;

// Two 16-bit values in one message parameter, as WM_SIZE and WM_MOVE carry them.
inline LPARAM MakeLParam(int low, int high) {
    return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}

}  // namespace platform::win
