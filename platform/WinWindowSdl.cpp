#include "platform/WinWindowSdl.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/Backend.h"
#include "platform/SdlEvents.h"
#include "platform/SdlWindowManager.h"
#include "platform/Utf.h"
#include "platform/WinWindowRegistry.h"

namespace platform {

SDL_Window* SdlWindowOf(HWND handle) {
    const win::Window* window = win::Find(handle);
    return window ? window->presentation.window : nullptr;
}

}  // namespace platform

namespace platform::win {

namespace {

RECT ClientOnScreen(const Window& window) {
    POINT origin = ClientOrigin(window);
    return RECT{origin.x, origin.y, origin.x + std::max(1, ClientWidth(window)),
                origin.y + std::max(1, ClientHeight(window))};
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void Place(Presentation& presentation, const Window& window) {
    bool bordered = (window.style & WS_CAPTION) == WS_CAPTION;
    if (bordered != presentation.bordered) {
        SDL_SetWindowBordered(presentation.window, bordered ? SDL_TRUE : SDL_FALSE);
        presentation.bordered = bordered;
    }
    RECT client = ClientOnScreen(window);
    if (SameRect(client, presentation.client)) return;
    SDL_SetWindowPosition(presentation.window, client.left, client.top);
    SDL_SetWindowSize(presentation.window, client.right - client.left, client.bottom - client.top);
    presentation.client = client;
}

// Full screen without a window manager (an X server alone): the window placed over the
// whole desktop without a border, as a window manager would, instead of a request that
// nobody carries out (the picture would show in a corner of the screen).
void CoverDesktop(Presentation& presentation) {
    SDL_Rect desktop{};
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(presentation.window)), &desktop) != 0) return;
    SDL_SetWindowBordered(presentation.window, SDL_FALSE);
    presentation.bordered = false;
    SDL_SetWindowPosition(presentation.window, desktop.x, desktop.y);
    SDL_SetWindowSize(presentation.window, desktop.w, desktop.h);
}

// Minimise and restore are asked of SDL only when SDL's own state differs, and each
// request's event from the window manager is expected, so that it is not taken for
// the user's.
void ApplyMinimized(Presentation& presentation, bool minimized) {
    bool sdlMinimized = (SDL_GetWindowFlags(presentation.window) & SDL_WINDOW_MINIMIZED) != 0;
    if (minimized && !sdlMinimized) {
        ++presentation.expectedMinimizeEvents;
        SDL_MinimizeWindow(presentation.window);
    } else if (!minimized && sdlMinimized) {
        ++presentation.expectedRestoreEvents;
        SDL_RestoreWindow(presentation.window);
    }
    presentation.minimized = minimized;
}

// The program's icon of the window's class in the title bar and the task bar.
void ShowIcon(Presentation& presentation, HICON icon) {
    const IconPicture* picture = FindIconPicture(icon);
    if (!picture || picture->pixels.empty()) return;
    std::vector<uint32_t> pixels = picture->pixels;
    SDL_Surface* surface = SDL_CreateRGBSurfaceFrom(pixels.data(), picture->width, picture->height, 32,
                                                    picture->width * 4, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                                    0xFF000000);
    if (!surface) return;
    SDL_SetWindowIcon(presentation.window, surface);
    SDL_FreeSurface(surface);
    presentation.iconWidth = picture->width;
}

}  // namespace

bool CreatePresentation(Window& window) {
    if (IsHeadless() || (window.style & WS_CHILD)) return true;
    if (!sdl::EnsureVideo()) return false;
    RECT client = ClientOnScreen(window);
    std::string title = Utf16ToUtf8(window.title);
    // Hidden until shown; ready for an OpenGL context, which the drawing layer makes.
    SDL_Window* sdlWindow = SDL_CreateWindow(title.c_str(), client.left, client.top, client.right - client.left,
                                             client.bottom - client.top, SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
    if (!sdlWindow) {
        std::fprintf(stderr, "SDL cannot create a window: %s\n", SDL_GetError());
        return false;
    }
    Presentation& presentation = window.presentation;
    presentation.window = sdlWindow;
    presentation.id = SDL_GetWindowID(sdlWindow);
    presentation.title = window.title;
    presentation.client = client;
    ShowIcon(presentation, window.classIcon);
    return true;
}

void DestroyPresentation(Window& window) {
    if (window.presentation.window) SDL_DestroyWindow(window.presentation.window);
    window.presentation = Presentation{};
}

void Present(Window& window) {
    Presentation& presentation = window.presentation;
    if (!presentation.window) return;
    if (presentation.title != window.title) {
        SDL_SetWindowTitle(presentation.window, Utf16ToUtf8(window.title).c_str());
        presentation.title = window.title;
    }
    if (!window.shown) {
        if (presentation.shown) SDL_HideWindow(presentation.window);
        presentation.shown = false;
        return;
    }
    bool fullScreen = IsFullScreen(window);
    if (fullScreen != presentation.fullScreen) {
        if (sdl::HasWindowManager(presentation.window))
            SDL_SetWindowFullscreen(presentation.window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        else if (fullScreen)
            CoverDesktop(presentation);
        presentation.fullScreen = fullScreen;
        presentation.client = RECT{};  // a window again: place it anew
    }
    if (!fullScreen && !window.minimized) Place(presentation, window);
    if (!presentation.shown) {
        SDL_ShowWindow(presentation.window);
        presentation.shown = true;
    }
    if (window.minimized != presentation.minimized) ApplyMinimized(presentation, window.minimized);
}

void PresentAll() {
    for (HWND handle : TopLevelWindows())
        if (Window* window = FindOwn(handle)) Present(*window);
}

POINT SdlToClient(const Window& window, int x, int y) {
    int sdlWidth = 0, sdlHeight = 0;
    if (window.presentation.window) SDL_GetWindowSize(window.presentation.window, &sdlWidth, &sdlHeight);
    if (sdlWidth <= 0 || sdlHeight <= 0) return POINT{x, y};
    // A full-screen window shows the display mode's picture scaled to the desktop.
    return POINT{static_cast<LONG>(static_cast<int64_t>(x) * ClientWidth(window) / sdlWidth),
                 static_cast<LONG>(static_cast<int64_t>(y) * ClientHeight(window) / sdlHeight)};
}

}  // namespace platform::win
