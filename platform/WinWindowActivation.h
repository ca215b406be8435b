#pragma once
// Inside the layer: which window is active (the application's foreground window) and
// which has the keyboard focus, with the messages that go with each change. Only a
// shown top-level window can be active, so a window counts as focused once shown.

#include "platform/WinUser.h"

namespace platform::win {

HWND ActiveWindow();
HWND FocusWindow();

// Makes a shown top-level window active: WM_ACTIVATEAPP when the application was not
// active, WM_ACTIVATE to the window that loses and to the one that gains; the default
// procedure then gives the new one the focus.
void Activate(HWND topLevel);
// The window stops being active (hidden, minimised, destroyed, or the window manager
// moved the focus away): another shown window of the application takes over, or the
// application becomes inactive.
void Deactivate(HWND topLevel, bool activateAnother);
// Moves the keyboard focus with WM_KILLFOCUS and WM_SETFOCUS; returns the previous one.
HWND ChangeFocus(HWND window);
// Forgets a window that is being destroyed.
void ForgetWindow(HWND window);

void ResetActivation();

}  // namespace platform::win
