#pragma once
// The display modes of the primary monitor and the one in force. The list is 640x480,
// 800x600, 1024x768 and the desktop, each at 16 and 32 bits, unless a test sets
// another. On sdl a mode other than the desktop's is not set on the monitor: a window
// that covers the mode's screen is shown as desktop full screen and its picture is
// scaled into it, and the cursor is reported in the mode's coordinates.
// ChangeDisplaySettingsW and DirectDraw's display-mode calls both go through here.

#include <vector>

#include "platform/Desktop.h"

namespace platform {

using DisplayMode = DesktopMode;

// Sorted by bits per pixel, then width, then height.
std::vector<DisplayMode> DisplayModes();
DisplayMode CurrentDisplayMode();
// Makes a listed mode (same width, height and bits; any refresh rate) current; false
// when the list has no such mode.
bool SetDisplayMode(int width, int height, int bitsPerPixel);
void RestoreDesktopDisplayMode();
// The work area in the current mode: the desktop's, or the whole screen of another mode.
RECT CurrentWorkArea();

}  // namespace platform

namespace platform::seam {

void SetDisplayModes(const std::vector<platform::DisplayMode>& modes);
void ResetDisplayModes();

}  // namespace platform::seam
