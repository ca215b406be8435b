#include "engine/kernel/Window.h"

#include "engine/kernel/Config.h"

namespace Vantor {

Window::Window(const std::wstring& title, uint32_t width, uint32_t height, bool fullScreen, bool centre,
               const Vector2i& position)
    : title_(title), centre_(centre), position_(position), width_(width), height_(height), fullScreen_(fullScreen) {}

Window::~Window() = default;

void Window::Update() {
    if (!modeChangeRequested_) return;
    modeChangeRequested_ = false;
    RequestFullScreenSetting(!Config::Instance()->values.fullscreen);
}

void Window::SetTitle(const std::wstring& title) { title_ = title; }

void Window::Minimize() { minimized_ = true; }

void Window::Restore() {}

void Window::ChangeMode(uint32_t width, uint32_t height, bool fullScreen) {
    width_ = width;
    height_ = height;
    fullScreen_ = fullScreen;
}

bool Window::HasFocus() const { return true; }

void Window::SetDesktopSize(int width, int height) {
    if (height <= 0) return;
    desktopAspect_ = static_cast<float>(width) / static_cast<float>(height);
    wideDesktop_ = desktopAspect_ > kWideAspect;
    tallDesktop_ = !wideDesktop_ && desktopAspect_ < kTallAspect;
}

void Window::RequestFullScreenSetting(bool fullScreen) {
    Config* config = Config::Instance();
    config->values.fullscreen = fullScreen;
    config->Save();
    config->SetCommandState("v_window_change_mode", 0);
}

}  // namespace Vantor
