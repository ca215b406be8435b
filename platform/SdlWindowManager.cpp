#include "platform/SdlWindowManager.h"

#include <SDL_syswm.h>

namespace platform::sdl {

bool HasWindowManager(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    // A conforming X window manager names its check window on the root window.
    Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &items, &after, &data) == Success &&
                       type == XA_WINDOW && items == 1;
    if (data != nullptr) XFree(data);
    return found;
}

}  // namespace platform::sdl
