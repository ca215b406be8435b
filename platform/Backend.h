#pragma once
// Which implementation the platform layer runs on. Chosen once, from the environment
// variable PLATFORM_BACKEND ("headless" or "sdl"; anything else or unset means "sdl").

namespace platform {

enum class Backend { Sdl, Headless };

Backend ActiveBackend();
inline bool IsHeadless() { return ActiveBackend() == Backend::Headless; }

}  // namespace platform
