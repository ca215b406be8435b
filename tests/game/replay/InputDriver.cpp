#include "tests/game/replay/InputDriver.h"

#include "engine/kernel/Window_WinOS.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"

namespace replay {

namespace {

constexpr float kScreenHeight = 600.0f;

void Press(platform::seam::MouseButton button) {
    platform::seam::InjectMouseButton(button, true);
    platform::seam::InjectMouseButton(button, false);
}

}  // namespace

void InputDriver::MovePointer(const Vantor::Vector2& point) {
    POINT pixel{static_cast<LONG>(point.x), static_cast<LONG>(kScreenHeight - point.y)};
    ClientToScreen(static_cast<Vantor::Window_WinOS*>(Vantor::Window::Instance())->GetWindowHandle(), &pixel);
    platform::seam::InjectMouseMove(pixel.x, pixel.y);
}

unsigned InputDriver::VirtualKeyOf(const std::string& name) {
    if (name == "SPACE") return VK_SPACE;
    if (name == "ENTER") return VK_RETURN;
    if (name == "ESCAPE") return VK_ESCAPE;
    const bool letterOrDigit = name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'));
    return letterOrDigit ? static_cast<unsigned>(name[0]) : 0;
}

bool InputDriver::Give(const ReplayStep& step, const Vantor::Vector2& point) {
    using Action = ReplayStep::Action;
    if (step.action == Action::Key) {
        const unsigned key = VirtualKeyOf(step.key);
        if (key == 0) return false;
        platform::seam::InjectKeyDown(key);
        platform::seam::InjectKeyUp(key);
        return true;
    }
    MovePointer(point);
    if (step.action == Action::Click) Press(platform::seam::MouseButton::Left);
    if (step.action == Action::RightClick) Press(platform::seam::MouseButton::Right);
    return true;
}

}  // namespace replay
