#pragma once
// The engine's window over Win32: the window class "Vantor window class", creation
// and placement (windowed, full screen, or as a child filling a host window), the
// message pump, and the window procedure that turns the system's messages into
// engine state and configuration commands (closing issues "exit", maximising asks
// for full screen, power events suspend and resume).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/kernel/Window.h"
#include "platform/WinUser.h"

namespace Vantor {

class Window_WinOS : public Window {
public:
    static constexpr const wchar_t* kClassName = L"Vantor window class";

    // Registers the class and creates the window, hidden unless hosted: the renderer
    // shows it with its first ChangeMode. With a host window the engine's window is a
    // child that takes the host's size and is never full screen. A restore message id
    // of 0 names no message. Fails fatally (FatalError) when the class, the window or
    // its device context cannot be had, leaving nothing of them behind.
    Window_WinOS(const std::wstring& title, HWND hostWindow, int iconId, uint32_t width, uint32_t height,
                 bool fullScreen, bool centre, const Vector2i& position, uint32_t restoreMessageId);
    ~Window_WinOS() override;

    // Handles every waiting message, then carries out a pending mode toggle; a hosted
    // window instead issues "exit" once its host has gone.
    void Update() override;
    void SetTitle(const std::wstring& title) override;
    // Each resource number is loaded once, a missing resource as no cursor.
    void SetCursor(int resourceId) override;
    void Minimize() override;
    void Restore() override;
    // Restyles and places the window for the mode and shows it; back in a window the
    // desktop's display mode returns. Ignored when hosted.
    void ChangeMode(uint32_t width, uint32_t height, bool fullScreen) override;
    // Not hosted: the window has the keyboard focus; hosted: the host or one of its
    // ancestors has it.
    bool HasFocus() const override;

    // The desktop's work area (the desktop without the task bar).
    static void GetWorkArea(Vector2i& origin, Vector2i& size);
    // Whether a display mode of the primary display is at least this large; true when
    // the display lists no modes at all.
    static bool FitsSomeDisplayMode(uint32_t width, uint32_t height);

    HWND GetWindowHandle() const { return window_; }
    HWND GetHostWindow() const { return hostWindow_; }
    bool IsHosted() const { return hostWindow_ != nullptr; }
    HINSTANCE GetInstance() const { return instance_; }

    // Whether a key or character message came since the input last cleared it, and the
    // last one's value: a virtual-key code or a character, whichever came last.
    bool IsKeyTyped() const { return keyTyped_; }
    uint16_t GetTypedKey() const { return typedKey_; }
    void ClearKeyTyped() { keyTyped_ = false; }

private:
    struct Styles {
        DWORD exStyle;
        DWORD style;
    };
    struct OuterRect {
        int32_t left;
        int32_t top;
        int32_t width;
        int32_t height;
    };

    static LRESULT CALLBACK ForwardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT SystemCommand(HWND window, WPARAM command, LPARAM lParam);
    void OnSize(WPARAM sizeType);
    void OnPositionChanging(WINDOWPOS* position) const;
    // A close in any form ends the run at the end of the frame.
    static void ExecuteExit();

    Styles ChooseStyles(bool fullScreen) const;
    // The client area's top-left corner for a window of the current size that is not hosted.
    POINT ChooseCorner(bool fullScreen) const;
    // Grows the client rectangle at the corner by the styles' frame and stores it as
    // the outer rectangle.
    void StoreOuterRect(const POINT& corner, const Styles& styles);
    void CreateTheWindow(int iconId, bool fullScreenArgument);
    void ReadDesktopShape();
    // Gives back the device context, the window and the class, as far as they exist.
    void ReleaseSystemObjects();

    uint32_t restoreMessageId_;
    std::vector<HWND> hostAncestors_;
    HWND hostWindow_ = nullptr;
    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HDC deviceContext_ = nullptr;
    HCURSOR cursor_ = nullptr;
    std::map<int, HCURSOR> cursorCache_;
    // The window including its frame, as last placed.
    OuterRect outerRect_{};
    bool classRegistered_ = false;
    bool keyTyped_ = false;
    uint16_t typedKey_ = 0;
};

}  // namespace Vantor
