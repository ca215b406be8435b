#pragma once
// The one top-level window the engine draws into, as the renderer, the input, the GUI
// and the framework's frame see it: its size, whether it is full screen, minimised or
// suspended, the shape of the desktop, and whether the player asked to switch between
// windowed and full-screen mode. The platform's window class implements it.

#include <cstdint>
#include <string>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/Vector2i.h"

namespace Vantor {

class Window : public GlobalPointerHolder<Window> {
public:
    // Desktops wider than this are wide, narrower than the second are tall; 4:3 and
    // 5:4-ish in between are neither.
    static constexpr float kWideAspect = 1.34f;
    static constexpr float kTallAspect = 1.3266667f;

    Window(const std::wstring& title, uint32_t width, uint32_t height, bool fullScreen, bool centre,
           const Vector2i& position);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Carries out a pending mode toggle: inverts "v_fullscreen", saves the configuration
    // and issues "v_window_change_mode" for the framework to act on.
    virtual void Update();
    virtual void SetTitle(const std::wstring& title);
    // Makes the cursor resource of that number the window's cursor.
    virtual void SetCursor(int resourceId) = 0;
    virtual void Minimize();
    virtual void Restore();
    // The renderer's chosen display mode.
    virtual void ChangeMode(uint32_t width, uint32_t height, bool fullScreen);
    virtual bool HasFocus() const;

    // Alt+Enter, seen by the input; the next Update carries it out.
    void RequestModeChange() { modeChangeRequested_ = true; }

    const std::wstring& GetTitle() const { return title_; }
    uint32_t GetWidth() const { return width_; }
    uint32_t GetHeight() const { return height_; }
    bool IsFullScreen() const { return fullScreen_; }
    bool IsMinimized() const { return minimized_; }
    bool IsSuspended() const { return suspended_; }
    bool IsCentred() const { return centre_; }
    const Vector2i& GetPosition() const { return position_; }
    bool IsWideDesktop() const { return wideDesktop_; }
    bool IsTallDesktop() const { return tallDesktop_; }
    // Desktop width divided by height.
    float GetDesktopAspect() const { return desktopAspect_; }
    bool IsModeChangeRequested() const { return modeChangeRequested_; }

protected:
    // Takes the desktop's size and sets the aspect and the wide and tall flags; a
    // desktop without a height keeps 4:3.
    void SetDesktopSize(int width, int height);
    // Writes "v_fullscreen", saves the configuration and issues "v_window_change_mode":
    // the framework then switches the display.
    static void RequestFullScreenSetting(bool fullScreen);

    std::wstring title_;
    bool minimized_ = false;
    bool centre_;
    Vector2i position_;
    uint32_t width_;
    uint32_t height_;
    bool fullScreen_;
    bool wideDesktop_ = false;
    bool tallDesktop_ = false;
    float desktopAspect_ = 1.3333334f;
    bool modeChangeRequested_ = false;
    bool suspended_ = false;
};

}  // namespace Vantor
