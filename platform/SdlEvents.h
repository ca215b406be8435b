#pragma once
// Inside the layer (sdl backend): SDL's video subsystem and the one pump of its event
// queue. Nothing else in the program polls SDL's events: keys, text, mouse and the
// window manager's window events all come through here and go on to the message
// queues, the key and cursor state and the DirectInput devices.

struct SDL_Window;

namespace platform::sdl {

// Starts SDL's video subsystem once, on the calling thread, which then owns SDL's
// windows and events. False when there is no display.
bool EnsureVideo();
bool VideoStarted();
bool OnVideoThread();

// Takes every waiting SDL event in (only on the video thread, once video runs).
void PollEvents();

// Whether a window manager decides about focus on the window's display; without one
// the layer's own focus stands (a window is focused once shown).
bool WindowManagerRuns(SDL_Window* window);

}  // namespace platform::sdl
