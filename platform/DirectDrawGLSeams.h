#pragma once
// Test seams of DirectDraw over OpenGL (sdl backend).

#include <vector>

#include "platform/WinTypes.h"

namespace platform::seam {

// From now on (and until called with false), keeps a copy of each picture that Flip or
// a Blt onto the primary surface puts in a window, as it goes to the screen. Off by
// default: the copy costs a read-back per frame.
void KeepPresentedPictures(bool keep);
// The last picture kept for the window: 0xAARRGGBB values, top row first, and their
// count across and down (the window's drawable size). Empty when none was kept.
std::vector<DWORD> PresentedPicture(HWND window, int& width, int& height);

}  // namespace platform::seam
