#pragma once
// Test seams of the windowing and input layer: input that a person would give
// (keys, text, mouse, focus, the window manager's minimise, restore and close, power
// events), and what a person would see of a window. Injected input takes the same
// road as SDL's events: it reaches the message queue, the key and cursor state and
// the acquired DirectInput devices.
//
// Calls that tests can make fail (platform::seam::FailNextCalls) and their answers:
//   "RegisterClassW"           0
//   "CreateWindowExW"          null
//   "GetDC"                    null
//   "ChangeDisplaySettingsW"   DISP_CHANGE_FAILED

#include <functional>
#include <string>

#include "platform/WinUser.h"

namespace platform::seam {

// Keys by virtual key (VK_SHIFT, VK_CONTROL and VK_MENU mean the left key) or by
// DirectInput scan code (DIK_ value). A down for a key that is already down is an
// auto-repeat: it reaches window messages but not DirectInput.
void InjectKeyDown(UINT virtualKey);
void InjectKeyUp(UINT virtualKey);
void InjectScanCodeDown(UINT scanCode);
void InjectScanCodeUp(UINT scanCode);
// Typed text, as text input delivers it right after the key's down event.
void InjectText(const std::wstring& text);

enum class MouseButton { Left, Right, Middle, X1, X2 };
// From the first injected pointer input until ResetWindowing, SDL's pointer events
// are ignored: the shared display's pointer would otherwise move the cursor.
// Cursor position in screen coordinates (those of GetCursorPos), clamped to the screen.
void InjectMouseMove(int screenX, int screenY);
void InjectMouseButton(MouseButton button, bool down);
// Wheel notches, positive away from the user.
void InjectMouseWheel(int notches);

// What the window manager reports.
void InjectFocusGained(HWND window);
void InjectFocusLost(HWND window);
void InjectMinimize(HWND window);
void InjectRestore(HWND window);
void InjectCloseRequest(HWND window);
// Sent to every top-level window.
void InjectPowerBroadcast(WPARAM event);

// The system's swap-buttons setting (GetSystemMetrics(SM_SWAPBUTTON)).
void SetSwapMouseButtons(bool swapped);

struct WindowState {
    std::wstring title;
    DWORD style;    // with WS_VISIBLE, WS_MINIMIZE and WS_MAXIMIZE as they stand
    DWORD exStyle;
    RECT rect;      // outer rectangle in screen coordinates
    bool shown;
    bool minimized;
    bool maximized;
    bool fullScreen;  // covers the display mode's screen: desktop full screen on sdl
};
// Precondition: IsWindow(window).
WindowState InspectWindow(HWND window);

// The SDL window behind a top-level window (sdl backend), as SDL reports it.
struct PresentedWindow {
    bool exists;
    std::wstring title;
    bool shown;
    // Desktop full screen, or without a window manager a borderless window over the
    // whole desktop.
    bool fullScreen;
    int width;
    int height;
    // The width of the program's icon set on it (DefineIconResource); 0 for none.
    int iconWidth;
};
PresentedWindow InspectSdlWindow(HWND window);

// Called at the start of every PeekMessageW, before the queue is filled: a test that
// runs a whole program in process (its WinMain) acts between the program's frames
// here. An empty function ends it, and so does ResetWindowing.
void SetMessagePumpHook(std::function<void()> hook);

// Destroys every window and class and returns queues, key and cursor state, display
// mode and cursor counter to their start.
void ResetWindowing();

}  // namespace platform::seam
