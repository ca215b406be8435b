#include "engine/input/Controls.h"

#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/kernel/Window_WinOS.h"
#include "platform/WinUser.h"

namespace Vantor {

namespace {

// The window's handle and typed key belong to the Win32 window, the engine's only one.
Window_WinOS& EngineWindow() { return *static_cast<Window_WinOS*>(Window::Instance()); }

}  // namespace

Controls::Controls() {
    for (const char* name : KeyNames) held_.emplace(name, false);
    pressed_ = held_;
    for (size_t button = 0; button < MouseButtonCount; ++button) mouseButtonNames_[button] = KeyNames[button];
}

Controls::~Controls() { SetCursorVisible(true); }

void Controls::Update() {
    UpdateMouseButtonOrder();
    UpdateInputBlock();
    UpdateCursorVisibility();
    DetectAltEnter();
}

void Controls::Reset() {
    for (auto& [name, pressed] : pressed_) pressed = false;
    EngineWindow().ClearKeyTyped();
}

bool Controls::IsKeyPressed(const std::string& name) const {
    return !inputBlocked_ && Lookup(pressed_, name);
}

bool Controls::IsKeyDown(const std::string& name) const {
    return !inputBlocked_ && (Lookup(held_, name) || Lookup(pressed_, name));
}

bool Controls::IsAnyKeyPressed() const { return !inputBlocked_ && AnySet(pressed_); }

bool Controls::IsAnyKeyDown() const { return !inputBlocked_ && (AnySet(held_) || AnySet(pressed_)); }

bool Controls::GetTypedChar(uint16_t& code) const {
    const Window_WinOS& window = EngineWindow();
    if (inputBlocked_ || !window.IsKeyTyped()) return false;
    code = window.GetTypedKey();
    return true;
}

Vector2 Controls::GetCursorPosition() const {
    const Window_WinOS& window = EngineWindow();
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    ScreenToClient(window.GetWindowHandle(), &cursor);
    const float x = static_cast<float>(cursor.x);
    const float y = static_cast<float>(cursor.y);
    if (!window.IsFullScreen()) return {x, y};

    // A full-screen picture keeps its 4:3 play area, and the view reaches over the bars
    // at the sides of a wide desktop or above and below on a tall one.
    const float aspect = window.GetDesktopAspect();
    const float playArea = 4.0f / 3.0f;
    const float ratio = aspect / playArea;
    const float width = static_cast<float>(window.GetWidth());
    const float height = static_cast<float>(window.GetHeight());
    if (window.IsWideDesktop()) return {ratio * x - (ratio - 1.0f) * width / 2.0f, y};
    if (window.IsTallDesktop()) return {x, (playArea / aspect) * y - (1.0f - ratio) * height / 2.0f};
    return {x, y};
}

void Controls::SetCursorVisible(bool visible) {
    cursorVisible_ = visible;
    UpdateCursorVisibility();
}

void Controls::UpdateCursorVisibility() {
    // The cursor shows while the counter is 0 or more; other code may move it too.
    if (cursorVisible_) {
        int counter = ShowCursor(TRUE);
        while (counter < 0) counter = ShowCursor(TRUE);
        if (counter > kCursorCounterLimit) ShowCursor(FALSE);
    } else {
        int counter = ShowCursor(FALSE);
        while (counter >= 0) counter = ShowCursor(FALSE);
        if (counter < -kCursorCounterLimit) ShowCursor(TRUE);
    }
}

void Controls::UpdateMouseButtonOrder() {
    swapButtons_ = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    mouseButtonNames_[0] = KeyNames[swapButtons_ ? 1 : 0];
    mouseButtonNames_[1] = KeyNames[swapButtons_ ? 0 : 1];
}

void Controls::UpdateInputBlock() {
    if (inputBlocked_) {
        inputBlocked_ = false;
        inputBlocked_ = IsAnyKeyDown();
    }
    if (!inputBlocked_) {
        blockTime_ = 0.0f;
        return;
    }
    // The device may have missed a release: after a while the system's own key
    // states decide.
    blockTime_ += TimerManager::Instance()->GetFrameTime();
    if (blockTime_ > kBlockCheckTime && !IsAnySystemKeyDown()) {
        inputBlocked_ = false;
        blockTime_ = 0.0f;
    }
}

void Controls::DetectAltEnter() {
    Window& window = *Window::Instance();
    if (window.IsMinimized() || !window.HasFocus()) return;
    const bool altPressed = IsKeyPressed("RALT") || IsKeyPressed("LALT");
    const bool altDown = IsKeyDown("RALT") || IsKeyDown("LALT");
    if ((altPressed && IsKeyDown("ENTER")) || (altDown && IsKeyPressed("ENTER"))) {
        // The block lets the combination count once per press.
        BlockUntilReleased();
        window.RequestModeChange();
    }
}

bool Controls::Lookup(const std::map<std::string, bool>& flags, const std::string& name) {
    const auto found = flags.find(ToUpper(name));
    return found != flags.end() && found->second;
}

bool Controls::AnySet(const std::map<std::string, bool>& flags) {
    for (const auto& [name, set] : flags)
        if (set) return true;
    return false;
}

bool Controls::IsAnySystemKeyDown() {
    for (int virtualKey = 0; virtualKey < 256; ++virtualKey)
        if (GetAsyncKeyState(virtualKey) & 0x8000) return true;
    return false;
}

}  // namespace Vantor
