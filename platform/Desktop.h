#pragma once
// The desktop the program runs on: its size (the display mode of the primary
// monitor) and work area. The headless backend answers 1280x1024 unless a test sets
// other values; the sdl backend asks SDL.

#include "platform/WinTypes.h"

namespace platform {

struct DesktopMode {
    int width;
    int height;
    int bitsPerPixel;
    int refreshRate;
};

DesktopMode Desktop();
RECT WorkArea();

}  // namespace platform

namespace platform::seam {

// Overrides the desktop (and its work area, which otherwise is the whole desktop)
// on either backend; ResetDesktop returns to the real values.
void SetDesktop(int width, int height, int bitsPerPixel = 32);
void SetWorkArea(const RECT& area);
void ResetDesktop();

}  // namespace platform::seam
