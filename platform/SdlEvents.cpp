#include "platform/SdlEvents.h"

#include <SDL.h>

#include <cstdio>
#include <thread>

#include "platform/Utf.h"
#include "platform/WinInput.h"
#include "platform/WinWindowEvents.h"
#include "platform/WinWindowRegistry.h"
#include "platform/WinWindowSdl.h"

namespace platform::sdl {

namespace {

struct VideoState {
    bool started = false;
    bool failed = false;
    std::thread::id thread;
};

VideoState& Video() {
    static VideoState video;
    return video;
}

// SDL's buttons 1, 3 and 2 are the device's buttons 0, 1 and 2.
int DeviceButton(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    case SDL_BUTTON_X1: return 3;
    case SDL_BUTTON_X2: return 4;
    default: return -1;
    }
}

void TakeWindowEvent(const SDL_WindowEvent& event) {
    HWND handle = win::WindowFromPresentationId(event.windowID);
    win::Window* window = win::Find(handle);
    if (!window) return;
    win::Presentation& presentation = window->presentation;
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (WindowManagerRuns(presentation.window))
            win::SystemFocusChanged(handle, event.event == SDL_WINDOWEVENT_FOCUS_GAINED);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (presentation.expectedMinimizeEvents > 0)
            --presentation.expectedMinimizeEvents;
        else if (!window->minimized)
            win::SystemMinimize(handle);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (presentation.expectedRestoreEvents > 0)
            --presentation.expectedRestoreEvents;
        else if (window->minimized)
            win::SystemRestore(handle);
        break;
    case SDL_WINDOWEVENT_CLOSE: win::SystemClose(handle); break;
    default: break;
    }
}

void TakeMouseMotion(const SDL_MouseMotionEvent& event) {
    const win::Window* window = win::Find(win::WindowFromPresentationId(event.windowID));
    if (!window) return;
    POINT client = win::SdlToClient(*window, event.x, event.y);
    POINT origin = win::ClientOrigin(*window);
    input::MouseMoved(POINT{origin.x + client.x, origin.y + client.y}, event.xrel, event.yrel);
}

bool IsPointerEvent(Uint32 type) {
    return type == SDL_MOUSEMOTION || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP || type == SDL_MOUSEWHEEL;
}

void Take(const SDL_Event& event) {
    if (IsPointerEvent(event.type) && input::SystemPointerIgnored()) return;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (auto key = input::KeyBySdl(event.key.keysym.scancode, event.key.keysym.sym))
            input::KeyChanged(*key, event.type == SDL_KEYDOWN);
        break;
    case SDL_TEXTINPUT: input::TextTyped(Utf8ToUtf16(event.text.text)); break;
    case SDL_MOUSEMOTION: TakeMouseMotion(event.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        input::MouseButtonChanged(DeviceButton(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        input::WheelTurned(notches * 120);
        break;
    }
    case SDL_WINDOWEVENT: TakeWindowEvent(event.window); break;
    case SDL_QUIT:
        // An interrupt from the terminal closes the windows like their close buttons.
        for (HWND handle : win::TopLevelWindows()) win::SystemClose(handle);
        break;
    default: break;
    }
}

}  // namespace

bool EnsureVideo() {
    VideoState& video = Video();
    if (video.started) return true;
    if (video.failed) return false;
    // The layer decides about focus and minimising; closing the last window is the
    // program's business.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video is not available: %s\n", SDL_GetError());
        video.failed = true;
        return false;
    }
    SDL_StartTextInput();
    video.started = true;
    video.thread = std::this_thread::get_id();
    return true;
}

bool VideoStarted() { return Video().started; }

bool OnVideoThread() { return Video().started && Video().thread == std::this_thread::get_id(); }

void PollEvents() {
    if (!OnVideoThread()) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) Take(event);
}

}  // namespace platform::sdl
