#include "platform/WinInput.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/SdlEvents.h"
#include "platform/WinDisplay.h"
#include "platform/WinMessageQueue.h"
#include "platform/WinWindowActivation.h"
#include "platform/WinWindowRegistry.h"

namespace platform::input {

namespace {

constexpr int MouseButtons = 5;
constexpr UINT ButtonKeys[MouseButtons] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2};

struct InputState {
    bool keyDown[256]{};   // by the keys' own virtual keys, mouse buttons included
    bool scanDown[256]{};  // by scan code
    std::optional<POINT> cursor;
    bool swapButtons = false;
    DWORD sequence = 0;
    DWORD lastKeyDown = 0;          // number of the last key-down message, which typed text joins
    bool lastKeyDownTyped = false;  // that message has its character already
    bool setCursorPending = false;
    bool pointerInjected = false;
    std::vector<Listener*> listeners;
};

InputState& State() {
    static InputState state;
    return state;
}

// Backspace, Tab, Enter, Escape and Ctrl+letter type control characters that text
// input does not report.
wchar_t ControlCharacter(const Key& key, bool ctrl, bool alt) {
    switch (key.messageKey) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: break;
    }
    if (ctrl && !alt && key.messageKey >= 'A' && key.messageKey <= 'Z')
        return static_cast<wchar_t>(key.messageKey - 'A' + 1);
    return 0;
}

void PostKeyMessage(const Key& key, bool down, bool wasDown, bool alt, bool ctrl) {
    InputState& state = State();
    state.lastKeyDown = 0;
    // Without a focus window the active window gets the keys as system keys.
    HWND focus = win::FocusWindow();
    HWND target = focus ? focus : win::ActiveWindow();
    if (!target) return;
    bool altHeld = alt || (key.messageKey == VK_MENU && down);
    bool system = !focus || (altHeld && !ctrl) || key.messageKey == VK_F10;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    DWORD bits = 1 | ((key.scanCode & 0x7F) << 16);
    if (key.scanCode & 0x80) bits |= 1u << 24;  // extended key
    if (system && altHeld) bits |= 1u << 29;   // context code
    if (wasDown || !down) bits |= 1u << 30;     // previous state
    if (!down) bits |= 1u << 31;                // transition
    std::wstring typed;
    if (wchar_t c = down ? ControlCharacter(key, ctrl, alt) : 0) typed = c;
    DWORD number = win::Post(target, message, key.messageKey, static_cast<LPARAM>(bits), typed);
    if (down) {
        state.lastKeyDown = number;
        state.lastKeyDownTyped = !typed.empty();
    }
}

bool ClientContains(const win::Window& window, POINT screen) {
    POINT origin = win::ClientOrigin(window);
    return screen.x >= origin.x && screen.y >= origin.y && screen.x < origin.x + win::ClientWidth(window) &&
           screen.y < origin.y + win::ClientHeight(window);
}

HWND DeepestAt(HWND handle, POINT screen) {
    for (HWND child : win::Children(handle)) {
        const win::Window* window = win::Find(child);
        if (window && window->shown && ClientContains(*window, screen)) return DeepestAt(child, screen);
    }
    return handle;
}

HWND WindowAt(POINT screen) {
    auto windows = win::TopLevelWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const win::Window* window = win::Find(*it);
        if (window && window->shown && !window->minimized && ClientContains(*window, screen))
            return DeepestAt(*it, screen);
    }
    return nullptr;
}

// Windows sends WM_SETCURSOR to the window under the moving cursor; one waits at a time.
void PostSetCursor(HWND window) {
    InputState& state = State();
    if (state.setCursorPending) return;
    state.setCursorPending = true;
    win::PostAction(window, [window] {
        {
            std::lock_guard lock(Mutex());
            State().setCursorPending = false;
        }
        win::Send(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                  static_cast<LPARAM>(HTCLIENT | (WM_MOUSEMOVE << 16)));
    });
}

POINT ScreenCentre() {
    DisplayMode mode = CurrentDisplayMode();
    return POINT{mode.width / 2, mode.height / 2};
}

}  // namespace

std::recursive_mutex& Mutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

DWORD TimeStamp() { return static_cast<DWORD>(NowMicroseconds() / 1000); }

void KeyChanged(const Key& key, bool down) {
    std::lock_guard lock(Mutex());
    InputState& state = State();
    bool wasDown = state.keyDown[key.virtualKey & 0xFF];
    bool alt = state.keyDown[VK_LMENU] || state.keyDown[VK_RMENU];
    bool ctrl = state.keyDown[VK_LCONTROL] || state.keyDown[VK_RCONTROL];
    state.keyDown[key.virtualKey & 0xFF] = down;
    state.scanDown[key.scanCode & 0xFF] = down;
    DWORD time = TimeStamp();
    DWORD sequence = ++state.sequence;
    bool autoRepeat = down && wasDown;
    if (!autoRepeat)
        for (Listener* listener : state.listeners) listener->OnKey(key.scanCode, down, time, sequence);
    PostKeyMessage(key, down, wasDown, alt, ctrl);
}

void TextTyped(const std::wstring& text) {
    std::lock_guard lock(Mutex());
    InputState& state = State();
    if (state.lastKeyDown) {
        if (state.lastKeyDownTyped) return;  // Ctrl+letter: the control character stands
        if (win::AttachText(state.lastKeyDown, text)) return;
    }
    HWND target = win::FocusWindow();
    if (!target) return;
    for (wchar_t unit : text) win::Post(target, WM_CHAR, static_cast<WPARAM>(static_cast<WORD>(unit)), 1);
}

void MouseMoved(POINT screen, int dx, int dy) {
    std::lock_guard lock(Mutex());
    InputState& state = State();
    DisplayMode mode = CurrentDisplayMode();
    screen.x = std::clamp<LONG>(screen.x, 0, std::max(0, mode.width - 1));
    screen.y = std::clamp<LONG>(screen.y, 0, std::max(0, mode.height - 1));
    state.cursor = screen;
    DWORD time = TimeStamp();
    DWORD sequence = ++state.sequence;
    for (Listener* listener : state.listeners) listener->OnMouseMove(dx, dy, time, sequence);
    if (HWND under = WindowAt(screen)) PostSetCursor(under);
}

void MouseButtonChanged(int button, bool down) {
    if (button < 0 || button >= MouseButtons) return;
    std::lock_guard lock(Mutex());
    InputState& state = State();
    state.keyDown[ButtonKeys[button]] = down;
    DWORD time = TimeStamp();
    DWORD sequence = ++state.sequence;
    for (Listener* listener : state.listeners) listener->OnMouseButton(button, down, time, sequence);
}

void WheelTurned(int delta) {
    std::lock_guard lock(Mutex());
    InputState& state = State();
    DWORD time = TimeStamp();
    DWORD sequence = ++state.sequence;
    for (Listener* listener : state.listeners) listener->OnWheel(delta, time, sequence);
}

void Pump() {
    if (!IsHeadless()) sdl::PollEvents();
}

bool IsKeyDown(UINT virtualKey) {
    std::lock_guard lock(Mutex());
    const bool* down = State().keyDown;
    switch (virtualKey) {
    case VK_SHIFT: return down[VK_LSHIFT] || down[VK_RSHIFT];
    case VK_CONTROL: return down[VK_LCONTROL] || down[VK_RCONTROL];
    case VK_MENU: return down[VK_LMENU] || down[VK_RMENU];
    default: return virtualKey < 256 && down[virtualKey];
    }
}

POINT CursorPosition() {
    std::lock_guard lock(Mutex());
    InputState& state = State();
    if (!state.cursor) state.cursor = ScreenCentre();
    return *state.cursor;
}

bool SwapButtons() {
    std::lock_guard lock(Mutex());
    return State().swapButtons;
}

void SetSwapButtons(bool swapped) {
    std::lock_guard lock(Mutex());
    State().swapButtons = swapped;
}

void AddListener(Listener* listener) {
    std::lock_guard lock(Mutex());
    auto& listeners = State().listeners;
    if (std::find(listeners.begin(), listeners.end(), listener) == listeners.end()) listeners.push_back(listener);
}

void RemoveListener(Listener* listener) {
    std::lock_guard lock(Mutex());
    std::erase(State().listeners, listener);
}

void ScanCodeState(BYTE state[256]) {
    std::lock_guard lock(Mutex());
    for (int i = 0; i < 256; ++i) state[i] = State().scanDown[i] ? 0x80 : 0;
}

bool MouseButtonDown(int button) {
    std::lock_guard lock(Mutex());
    return button >= 0 && button < MouseButtons && State().keyDown[ButtonKeys[button]];
}

void TakeInjectedPointerOnly() {
    std::lock_guard lock(Mutex());
    State().pointerInjected = true;
}

bool SystemPointerIgnored() {
    std::lock_guard lock(Mutex());
    return State().pointerInjected;
}

void ResetInput() {
    std::lock_guard lock(Mutex());
    State() = InputState{};
}

}  // namespace platform::input

SHORT GetAsyncKeyState(int virtualKey) {
    platform::input::Pump();
    if (virtualKey < 0) return 0;
    return platform::input::IsKeyDown(static_cast<UINT>(virtualKey)) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    platform::input::Pump();
    *point = platform::input::CursorPosition();
    return TRUE;
}
