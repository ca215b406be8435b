#include "tests/game/replay/InputDriver.h"

#include <cwctype>

#include "engine/kernel/Window_WinOS.h"
#include "platform/WinUser.h"

namespace replay {

namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

}  // namespace

void InputDriver::MovePointer(const Vantor::Vector2& point) {
    const auto& window = static_cast<const Vantor::Window_WinOS&>(*Vantor::Window::Instance());
    const float width = static_cast<float>(window.GetWidth());
    const float height = static_cast<float>(window.GetHeight());
    POINT pixel{static_cast<LONG>(point.x * width / kScreenWidth),
                static_cast<LONG>(height - point.y * height / kScreenHeight)};
    ClientToScreen(window.GetWindowHandle(), &pixel);
    platform::seam::InjectMouseMove(pixel.x, pixel.y);
}

void InputDriver::Click(const Vantor::Vector2& point, platform::seam::MouseButton button) {
    MovePointer(point);
    platform::seam::InjectMouseButton(button, true);
    platform::seam::InjectMouseButton(button, false);
}

unsigned InputDriver::VirtualKeyOf(const std::string& name) {
    if (name == "SPACE") return VK_SPACE;
    if (name == "ENTER") return VK_RETURN;
    if (name == "ESCAPE") return VK_ESCAPE;
    const bool letterOrDigit = name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'));
    return letterOrDigit ? static_cast<unsigned>(name[0]) : 0;
}

bool InputDriver::PressKey(const std::string& name) {
    const unsigned key = VirtualKeyOf(name);
    if (key == 0) return false;
    platform::seam::InjectKeyDown(key);
    platform::seam::InjectKeyUp(key);
    return true;
}

bool InputDriver::Type(wchar_t character) {
    const bool letterOrDigit = character < 128 && std::iswalnum(static_cast<wint_t>(character));
    if (!letterOrDigit && character != L' ') return false;
    const unsigned key = character == L' ' ? VK_SPACE : static_cast<unsigned>(std::towupper(static_cast<wint_t>(character)));
    platform::seam::InjectKeyDown(key);
    platform::seam::InjectText(std::wstring(1, character));
    platform::seam::InjectKeyUp(key);
    return true;
}

bool InputDriver::Give(const ReplayStep& step, const Vantor::Vector2& point) {
    using Action = ReplayStep::Action;
    switch (step.action) {
    case Action::Key: return PressKey(step.key);
    case Action::Move: MovePointer(point); return true;
    case Action::Click: Click(point); return true;
    case Action::RightClick: Click(point, platform::seam::MouseButton::Right); return true;
    }
    return false;
}

}  // namespace replay
