#pragma once
// Whether a window manager looks after the windows of SDL's display. Without one (an X
// server alone, as under Xvfb) nobody carries out a request for full screen, so the
// platform places and sizes the window itself.

#include <SDL.h>

namespace platform::sdl {

bool HasWindowManager(SDL_Window* window);

}  // namespace platform::sdl
