#include "platform/WinUserSeams.h"

#include <SDL.h>

#include <algorithm>

#include "platform/Utf.h"
#include "platform/WinDisplay.h"
#include "platform/WinInput.h"
#include "platform/WinMessageQueue.h"
#include "platform/WinWindowActivation.h"
#include "platform/WinWindowEvents.h"
#include "platform/WinWindowRegistry.h"
#include "platform/WinWindowSdl.h"

namespace platform::seam {

namespace {

void InjectKey(const input::Key* key, bool down) {
    if (key) input::KeyChanged(*key, down);
}

}  // namespace

void InjectKeyDown(UINT virtualKey) { InjectKey(input::KeyByVirtualKey(virtualKey), true); }
void InjectKeyUp(UINT virtualKey) { InjectKey(input::KeyByVirtualKey(virtualKey), false); }
void InjectScanCodeDown(UINT scanCode) { InjectKey(input::KeyByScanCode(scanCode), true); }
void InjectScanCodeUp(UINT scanCode) { InjectKey(input::KeyByScanCode(scanCode), false); }
void InjectText(const std::wstring& text) { input::TextTyped(text); }

void InjectMouseMove(int screenX, int screenY) {
    DisplayMode mode = CurrentDisplayMode();
    POINT target{std::clamp(screenX, 0, std::max(0, mode.width - 1)), std::clamp(screenY, 0, std::max(0, mode.height - 1))};
    // The device reports the motion that the cursor made.
    input::TakeInjectedPointerOnly();
    POINT before = input::CursorPosition();
    input::MouseMoved(target, target.x - before.x, target.y - before.y);
}

void InjectMouseButton(MouseButton button, bool down) {
    input::TakeInjectedPointerOnly();
    input::MouseButtonChanged(static_cast<int>(button), down);
}

void InjectMouseWheel(int notches) {
    input::TakeInjectedPointerOnly();
    input::WheelTurned(notches * 120);
}

void InjectFocusGained(HWND window) { win::SystemFocusChanged(window, true); }
void InjectFocusLost(HWND window) { win::SystemFocusChanged(window, false); }
void InjectMinimize(HWND window) { win::SystemMinimize(window); }
void InjectRestore(HWND window) { win::SystemRestore(window); }
void InjectCloseRequest(HWND window) { win::SystemClose(window); }
void InjectPowerBroadcast(WPARAM event) { win::SystemPowerBroadcast(event); }

void SetSwapMouseButtons(bool swapped) { input::SetSwapButtons(swapped); }

WindowState InspectWindow(HWND window) {
    const win::Window* record = win::Find(window);
    if (!record) return WindowState{};
    RECT rect{};
    GetWindowRect(window, &rect);
    DWORD style = record->style | (record->shown ? WS_VISIBLE : 0) | (record->minimized ? WS_MINIMIZE : 0) |
                  (record->maximized ? WS_MAXIMIZE : 0);
    return WindowState{record->title, style,          record->exStyle,        rect, record->shown, record->minimized,
                       record->maximized, win::IsFullScreen(*record)};
}

PresentedWindow InspectSdlWindow(HWND window) {
    SDL_Window* sdlWindow = SdlWindowOf(window);
    if (!sdlWindow) return PresentedWindow{};
    Uint32 flags = SDL_GetWindowFlags(sdlWindow);
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(sdlWindow, &x, &y);
    SDL_GetWindowSize(sdlWindow, &width, &height);
    // Without a window manager full screen is a borderless window over the desktop.
    SDL_Rect desktop{};
    const bool coversDesktop =
        (flags & SDL_WINDOW_BORDERLESS) != 0 &&
        SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(sdlWindow)), &desktop) == 0 && x == desktop.x &&
        y == desktop.y && width == desktop.w && height == desktop.h;
    return PresentedWindow{true,
                           Utf8ToUtf16(SDL_GetWindowTitle(sdlWindow)),
                           (flags & SDL_WINDOW_SHOWN) != 0,
                           (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP || coversDesktop,
                           width,
                           height,
                           win::Find(window)->presentation.iconWidth};
}

void ResetWindowing() {
    for (auto& window : win::TakeAllWindows()) win::DestroyPresentation(*window);
    win::ClearClasses();
    win::ClearQueues();
    win::ResetActivation();
    input::ResetInput();
    input::ResetCursor();
    ResetDisplayModes();
    SetMessagePumpHook({});
}

}  // namespace platform::seam
