#pragma once
// Inside the layer: what the window manager (SDL's window events, or the test seams)
// does to a window reaches it as Windows would deliver it: activation changes, and
// the system commands of its minimise, restore and close buttons, through the
// window's message queue.

#include "platform/WinUser.h"

namespace platform::win {

void SystemFocusChanged(HWND window, bool gained);
void SystemMinimize(HWND window);
void SystemRestore(HWND window);
void SystemClose(HWND window);
void SystemPowerBroadcast(WPARAM event);

}  // namespace platform::win
