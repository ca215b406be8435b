#include "platform/Desktop.h"

#include <SDL.h>

#include <optional>

#include "platform/Backend.h"

namespace {

std::optional<platform::DesktopMode>& DesktopOverride() {
    static std::optional<platform::DesktopMode> mode;
    return mode;
}

std::optional<RECT>& WorkAreaOverride() {
    static std::optional<RECT> area;
    return area;
}

platform::DesktopMode SdlDesktop() {
    platform::DesktopMode fallback{1280, 1024, 32, 60};
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fallback;
    SDL_DisplayMode mode;
    platform::DesktopMode result = fallback;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        result.width = mode.w;
        result.height = mode.h;
        result.refreshRate = mode.refresh_rate;
        // Windows never reports a 24-bit desktop; deeper or shallower formats count as 32.
        result.bitsPerPixel = SDL_BITSPERPIXEL(mode.format) == 16 ? 16 : 32;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return result;
}

}  // namespace

namespace platform {

DesktopMode Desktop() {
    if (DesktopOverride()) return *DesktopOverride();
    if (IsHeadless()) return {1280, 1024, 32, 60};
    static const DesktopMode real = SdlDesktop();
    return real;
}

RECT WorkArea() {
    if (WorkAreaOverride()) return *WorkAreaOverride();
    DesktopMode mode = Desktop();
    return RECT{0, 0, mode.width, mode.height};
}

}  // namespace platform

namespace platform::seam {

void SetDesktop(int width, int height, int bitsPerPixel) {
    DesktopOverride() = platform::DesktopMode{width, height, bitsPerPixel, 60};
}

void SetWorkArea(const RECT& area) { WorkAreaOverride() = area; }

void ResetDesktop() {
    DesktopOverride().reset();
    WorkAreaOverride().reset();
}

}  // namespace platform::seam
