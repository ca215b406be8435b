#include "platform/WinWindowActivation.h"

#include "platform/WinMessageQueue.h"
#include "platform/WinWindowRegistry.h"

namespace platform::win {

namespace {

struct ActivationState {
    HWND active = nullptr;
    HWND focus = nullptr;
};

ActivationState& State() {
    static ActivationState state;
    return state;
}

bool CanBeActive(HWND handle) {
    const Window* window = Find(handle);
    return window && window->shown && !(window->style & WS_CHILD);
}

WPARAM ActivateParameter(WORD state, HWND handle) {
    const Window* window = Find(handle);
    WORD minimized = (window && window->minimized) ? 1 : 0;
    return static_cast<WPARAM>(state) | (static_cast<WPARAM>(minimized) << 16);
}

void SendToTopLevels(UINT message, WPARAM wParam, LPARAM lParam) {
    for (HWND handle : TopLevelWindows())
        if (const Window* window = Find(handle); window && IsOnCallingThread(*window))
            Send(handle, message, wParam, lParam);
}

bool FocusIsWithin(HWND topLevel) {
    HWND focus = State().focus;
    return focus && TopLevelOf(focus) == topLevel;
}

}  // namespace

HWND ActiveWindow() { return State().active; }
HWND FocusWindow() { return State().focus; }

void Activate(HWND topLevel) {
    if (!CanBeActive(topLevel)) return;
    ActivationState& state = State();
    HWND previous = state.active;
    if (previous == topLevel) return;
    state.active = topLevel;
    if (previous)
        Send(previous, WM_ACTIVATE, ActivateParameter(WA_INACTIVE, previous), reinterpret_cast<LPARAM>(topLevel));
    else
        SendToTopLevels(WM_ACTIVATEAPP, TRUE, 0);
    if (FocusIsWithin(previous) || (state.focus && !Find(state.focus))) ChangeFocus(nullptr);
    Send(topLevel, WM_ACTIVATE, ActivateParameter(WA_ACTIVE, topLevel), reinterpret_cast<LPARAM>(previous));
}

void Deactivate(HWND topLevel, bool activateAnother) {
    ActivationState& state = State();
    if (state.active != topLevel) {
        if (FocusIsWithin(topLevel)) ChangeFocus(nullptr);
        return;
    }
    if (activateAnother) {
        auto windows = TopLevelWindows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            const Window* window = Find(*it);
            if (*it != topLevel && window && window->shown && !window->minimized && IsOnCallingThread(*window)) {
                Activate(*it);
                return;
            }
        }
    }
    state.active = nullptr;
    Send(topLevel, WM_ACTIVATE, ActivateParameter(WA_INACTIVE, topLevel), 0);
    SendToTopLevels(WM_ACTIVATEAPP, FALSE, 0);
    ChangeFocus(nullptr);
}

HWND ChangeFocus(HWND window) {
    ActivationState& state = State();
    HWND previous = state.focus;
    if (previous == window) return previous;
    state.focus = window;
    if (previous && Find(previous)) Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (window && state.focus == window) Send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

void ForgetWindow(HWND window) {
    ActivationState& state = State();
    if (state.active == window) state.active = nullptr;
    if (state.focus == window) state.focus = nullptr;
}

void ResetActivation() { State() = ActivationState{}; }

}  // namespace platform::win
