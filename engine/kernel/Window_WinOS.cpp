#include "engine/kernel/Window_WinOS.h"

#include <algorithm>

#include "engine/kernel/Config.h"
#include "engine/kernel/MessageManager.h"

namespace Vantor {

namespace {

// The window that the class's procedure hands every message to.
Window_WinOS* receiver = nullptr;

MessageManager& Log() { return *MessageManager::Instance(); }

}  // namespace

Window_WinOS::Window_WinOS(const std::wstring& title, HWND hostWindow, int iconId, uint32_t width, uint32_t height,
                           bool fullScreen, bool centre, const Vector2i& position, uint32_t restoreMessageId)
    : Window(title, width, height, fullScreen, centre, position), restoreMessageId_(restoreMessageId) {
    // Set before the class exists: creation already sends messages.
    receiver = this;
    hostWindow_ = hostWindow;
    try {
        CreateTheWindow(iconId, fullScreen);
    } catch (...) {
        // Nothing may stay on the screen over the fatal error's message box.
        ReleaseSystemObjects();
        if (receiver == this) receiver = nullptr;
        throw;
    }
}

Window_WinOS::~Window_WinOS() {
    Log().PrintMessage("\nWindow destroying:");
    ReleaseSystemObjects();
    if (receiver == this) receiver = nullptr;
}

void Window_WinOS::CreateTheWindow(int iconId, bool fullScreenArgument) {
    Log().PrintMessage(" ");
    Log().PrintMessage("Window creation:");

    instance_ = GetModuleHandleW(nullptr);
    cursor_ = LoadCursorW(nullptr, IDC_ARROW);

    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &Window_WinOS::ForwardMessage;
    windowClass.hInstance = instance_;
    windowClass.hIcon = iconId != 0 ? LoadIconW(instance_, MAKEINTRESOURCEW(static_cast<WORD>(iconId)))
                                    : LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = cursor_;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = kClassName;
    Log().PrintMessage("...Registering the window class...");
    if (RegisterClassW(&windowClass) == 0) Log().PrintFatalError("Failed to register the window class");
    classRegistered_ = true;

    if (IsHosted()) fullScreen_ = false;
    const Styles styles = ChooseStyles(fullScreen_);
    POINT corner{0, 0};
    if (IsHosted()) {
        RECT hostRect{};
        GetWindowRect(hostWindow_, &hostRect);
        width_ = static_cast<uint32_t>(std::max<LONG>(0, hostRect.right - hostRect.left));
        height_ = static_cast<uint32_t>(std::max<LONG>(0, hostRect.bottom - hostRect.top));
    } else {
        corner = ChooseCorner(fullScreen_);
    }
    StoreOuterRect(corner, styles);

    window_ = CreateWindowExW(styles.exStyle, kClassName, title_.c_str(), styles.style, outerRect_.left,
                              outerRect_.top, outerRect_.width, outerRect_.height, hostWindow_, nullptr, instance_,
                              nullptr);
    if (!window_) Log().PrintFatalError("Failed to create window");
    SetWindowPos(window_, fullScreenArgument ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    Log().PrintMessage("...Creating a device context...");
    deviceContext_ = GetDC(window_);
    if (!deviceContext_) Log().PrintFatalError("Failed to create a device context");

    if (IsHosted()) ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (!IsHosted()) SetFocus(window_);

    keyTyped_ = false;
    if (IsHosted())
        for (HWND ancestor = GetParent(window_); ancestor; ancestor = GetParent(ancestor))
            hostAncestors_.push_back(ancestor);

    ReadDesktopShape();
}

void Window_WinOS::ReleaseSystemObjects() {
    if (deviceContext_) {
        Log().PrintMessage("...Releasing device context...");
        ReleaseDC(window_, deviceContext_);
        deviceContext_ = nullptr;
    }
    if (window_) {
        Log().PrintMessage("...Releasing window...");
        DestroyWindow(window_);
        window_ = nullptr;
    }
    if (classRegistered_) {
        Log().PrintMessage("...Unregistering class...");
        UnregisterClassW(kClassName, instance_);
        classRegistered_ = false;
    }
}

Window_WinOS::Styles Window_WinOS::ChooseStyles(bool fullScreen) const {
    constexpr DWORD kClipping = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (IsHosted()) return {WS_EX_TOOLWINDOW, WS_CHILD | kClipping};
    if (fullScreen) return {WS_EX_APPWINDOW, WS_POPUP | WS_SYSMENU | kClipping};
    return {WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | kClipping};
}

POINT Window_WinOS::ChooseCorner(bool fullScreen) const {
    if (fullScreen) return {0, 0};
    if (!centre_) return {position_.x, position_.y};
    Vector2i origin, size;
    GetWorkArea(origin, size);
    // Signed halves: a window larger than the work area starts before its edge.
    return {origin.x + ((size.x - static_cast<int32_t>(width_)) >> 1),
            origin.y + ((size.y - static_cast<int32_t>(height_)) >> 1)};
}

void Window_WinOS::StoreOuterRect(const POINT& corner, const Styles& styles) {
    RECT rect{corner.x, corner.y, corner.x + static_cast<LONG>(width_), corner.y + static_cast<LONG>(height_)};
    AdjustWindowRectEx(&rect, styles.style, FALSE, styles.exStyle);
    outerRect_ = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Window_WinOS::ReadDesktopShape() {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (EnumDisplaySettingsW(nullptr, ENUM_REGISTRY_SETTINGS, &mode))
        SetDesktopSize(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight));
}

void Window_WinOS::GetWorkArea(Vector2i& origin, Vector2i& size) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    origin = {area.left, area.top};
    size = {area.right - area.left, area.bottom - area.top};
}

bool Window_WinOS::FitsSomeDisplayMode(uint32_t width, uint32_t height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    DWORD index = 0;
    for (; EnumDisplaySettingsW(nullptr, index, &mode); ++index)
        if (mode.dmPelsWidth >= width && mode.dmPelsHeight >= height) return true;
    return index == 0;
}

void Window_WinOS::Update() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!IsHosted()) {
        Window::Update();
    } else if (!IsWindow(hostWindow_)) {
        ExecuteExit();
    }
}

void Window_WinOS::SetTitle(const std::wstring& title) {
    Window::SetTitle(title);
    SetWindowTextW(window_, title_.c_str());
}

void Window_WinOS::SetCursor(int resourceId) {
    auto cached = cursorCache_.find(resourceId);
    if (cached == cursorCache_.end()) {
        // A failed load is kept as well: the resource is not asked for again.
        const bool validNumber = resourceId > 0 && resourceId <= 0xFFFF;
        HCURSOR loaded = validNumber ? LoadCursorW(instance_, MAKEINTRESOURCEW(static_cast<WORD>(resourceId))) : nullptr;
        cached = cursorCache_.emplace(resourceId, loaded).first;
    }
    cursor_ = cached->second;
    ::SetCursor(cursor_);
}

void Window_WinOS::Minimize() {
    Window::Minimize();
    PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void Window_WinOS::Restore() {
    PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
    PostMessageW(window_, WM_SETFOCUS, 0, 0);
}

void Window_WinOS::ChangeMode(uint32_t width, uint32_t height, bool fullScreen) {
    if (IsHosted()) return;
    Window::ChangeMode(width, height, fullScreen);
    const Styles styles = ChooseStyles(fullScreen);
    StoreOuterRect(ChooseCorner(fullScreen), styles);
    SetWindowLongW(window_, GWL_EXSTYLE, static_cast<LONG>(styles.exStyle));
    SetWindowLongW(window_, GWL_STYLE, static_cast<LONG>(styles.style));
    SetWindowPos(window_, fullScreen ? HWND_TOPMOST : HWND_NOTOPMOST, outerRect_.left, outerRect_.top,
                 outerRect_.width, outerRect_.height, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    SetForegroundWindow(window_);
    PostMessageW(window_, WM_SETFOCUS, 0, 0);
    if (!fullScreen) ChangeDisplaySettingsW(nullptr, 0);
    SetTitle(std::wstring(title_));
    minimized_ = false;
}

bool Window_WinOS::HasFocus() const {
    const HWND focus = GetFocus();
    if (!IsHosted()) return focus != nullptr && focus == window_;
    return focus != nullptr && std::find(hostAncestors_.begin(), hostAncestors_.end(), focus) != hostAncestors_.end();
}

LRESULT CALLBACK Window_WinOS::ForwardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!receiver) return DefWindowProcW(window, message, wParam, lParam);
    return receiver->WindowProc(window, message, wParam, lParam);
}

LRESULT Window_WinOS::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (restoreMessageId_ != 0 && message == restoreMessageId_ && window == window_) {
        Restore();
        SetForegroundWindow(window_);
        return 0;
    }
    switch (message) {
    case WM_SIZE:
        if (window_) OnSize(wParam);
        return 0;
    case WM_CLOSE:
    case WM_QUIT:
        ExecuteExit();
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(cursor_);
        return 1;
    case WM_WINDOWPOSCHANGING:
        OnPositionChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
        keyTyped_ = true;
        typedKey_ = LOWORD(wParam);
        break;
    case WM_SYSKEYUP:
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND) {
            suspended_ = true;
            return 1;
        }
        if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC) {
            suspended_ = false;
            return 1;
        }
        break;
    case WM_SYSCOMMAND:
        return SystemCommand(window, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Commands are compared as they come, low bits included.
LRESULT Window_WinOS::SystemCommand(HWND window, WPARAM command, LPARAM lParam) {
    switch (command) {
    case SC_SIZE:
        return 0;
    case SC_MINIMIZE:
        if (IsHosted()) return 0;
        if (!minimized_) {
            minimized_ = true;
            break;
        }
        [[fallthrough]];
    case SC_MAXIMIZE:
        if (IsHosted()) return 0;
        if (minimized_) {
            minimized_ = false;
            break;
        }
        // Maximising means full screen, through the framework's mode change.
        if (!Config::Instance()->values.fullscreen) RequestFullScreenSetting(true);
        return 0;
    case SC_CLOSE:
        ExecuteExit();
        return 0;
    case SC_RESTORE:
        minimized_ = false;
        break;
    case SC_TASKLIST:
    case SC_SCREENSAVE:
    case SC_HOTKEY:
    case SC_MONITORPOWER:
        // The screen saver and the monitor's power-off never start while the game runs.
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, WM_SYSCOMMAND, command, lParam);
}

void Window_WinOS::OnSize(WPARAM sizeType) {
    minimized_ = sizeType == SIZE_MINIMIZED;
    if (sizeType == SIZE_MAXIMIZED && !Config::Instance()->values.fullscreen) RequestFullScreenSetting(true);
}

// The window keeps the size and place it was given: dragging cannot resize it.
void Window_WinOS::OnPositionChanging(WINDOWPOS* position) const {
    if (!position) return;
    if (position->cx == outerRect_.width && position->cy == outerRect_.height) return;
    position->x = outerRect_.left;
    position->y = outerRect_.top;
    position->cx = outerRect_.width;
    position->cy = outerRect_.height;
}

void Window_WinOS::ExecuteExit() { Config::Instance()->ExecuteLine("exit"); }

}  // namespace Vantor
