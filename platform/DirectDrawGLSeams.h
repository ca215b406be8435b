#pragma once
// Test seams of DirectDraw over OpenGL (sdl backend).

#include <vector>

#include "platform/WinTypes.h"

namespace platform::seam {

// What a window shows after the last Flip or Blt onto the primary surface: its pixels
// as 0xAARRGGBB values, top row first, and their count across and down. Empty when no
// OpenGL context is current or the window has no SDL window.
std::vector<DWORD> PresentedPicture(HWND window, int& width, int& height);

}  // namespace platform::seam
