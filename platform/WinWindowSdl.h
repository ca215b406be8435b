#pragma once
// The SDL window behind each top-level window on the sdl backend. The window records
// decide; this keeps the SDL window in step with them: title, shown or hidden,
// minimised, desktop full screen, or a plain window at the client area's place.

#include "platform/WinUser.h"

struct SDL_Window;

namespace platform {

// The SDL window that shows a top-level window (for drawing into it), or null on the
// headless backend and for child windows.
SDL_Window* SdlWindowOf(HWND window);

}  // namespace platform

namespace platform::win {

struct Window;

// Creates the (hidden) SDL window of a top-level window; false when SDL cannot.
bool CreatePresentation(Window& window);
void DestroyPresentation(Window& window);
// Applies the record's state to its SDL window (does nothing without one).
void Present(Window& window);
// Presents every window again, after the display mode changed.
void PresentAll();
// A position in the SDL window's own coordinates, in the client area's pixels.
POINT SdlToClient(const Window& window, int x, int y);

}  // namespace platform::win
