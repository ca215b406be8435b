// Whether a window manager runs on the display of an SDL window. On X11 without one
// (as under Xvfb) SDL hands the input focus to each window it shows, so windows of
// other programs take it from ours; the layer then keeps its own focus and ignores
// SDL's focus events.

#include <SDL.h>
#include <SDL_syswm.h>

#include "platform/SdlEvents.h"

namespace platform::sdl {

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// An EWMH window manager announces itself on the root window. Xlib is reached
// through the library SDL has loaded already.
bool X11WindowManagerRuns(Display* display) {
    void* xlib = SDL_LoadObject("libX11.so.6");
    if (!xlib) return true;
    using InternAtom = Atom (*)(Display*, const char*, Bool);
    using DefaultRootWindow = ::Window (*)(Display*);
    using GetWindowProperty = int (*)(Display*, ::Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                                      unsigned long*, unsigned char**);
    using Free = int (*)(void*);
    auto internAtom = reinterpret_cast<InternAtom>(SDL_LoadFunction(xlib, "XInternAtom"));
    auto rootWindow = reinterpret_cast<DefaultRootWindow>(SDL_LoadFunction(xlib, "XDefaultRootWindow"));
    auto getProperty = reinterpret_cast<GetWindowProperty>(SDL_LoadFunction(xlib, "XGetWindowProperty"));
    auto release = reinterpret_cast<Free>(SDL_LoadFunction(xlib, "XFree"));
    bool runs = true;
    if (internAtom && rootWindow && getProperty && release) {
        runs = false;
        Atom check = internAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
        if (check != None) {
            Atom type = None;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            if (getProperty(display, rootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format, &items,
                            &after, &data) == Success)
                runs = data && items == 1;
            if (data) release(data);
        }
    }
    SDL_UnloadObject(xlib);
    return runs;
}
#endif

}  // namespace

bool WindowManagerRuns(SDL_Window* window) {
    static int known = -1;
    if (known >= 0) return known == 1;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info)) return true;
    bool runs = true;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) runs = X11WindowManagerRuns(info.info.x11.display);
#endif
    known = runs ? 1 : 0;
    return runs;
}

}  // namespace platform::sdl
