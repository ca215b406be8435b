#include "game/screens/DayOverlayFaders.h"

#include <memory>

#include "gui_tools/GUIControl.h"
#include "gui_tools/GUIWindowBase.h"

namespace Morvane {

namespace {

// Seconds the held controls wait before they start hiding: longer than any closing.
constexpr float kHoldOffset = 10.0f;

void SetRange(GUITools::GUIControl& control, float minimum, float maximum) {
    control.SetFaderMin(minimum);
    control.SetFaderMax(maximum);
}

}  // namespace

DayOverlayFaders::DayOverlayFaders(const GUITools::GUIWindowBase& window) {
    for (const std::unique_ptr<GUITools::GUIControl>& control : window.GetControls())
        if (control->GetFader() == kBackgroundFader) backgrounds_.push_back(control.get());
}

void DayOverlayFaders::FadeBackgroundIn() const {
    for (GUITools::GUIControl* background : backgrounds_) {
        SetRange(*background, 0.0f, 1.0f);
        background->SetShowSpeed(1.5f);
    }
}

void DayOverlayFaders::HoldBackground() const {
    for (GUITools::GUIControl* background : backgrounds_) SetRange(*background, 1.0f, 1.0f);
}

void DayOverlayFaders::FadeBackgroundOut() const {
    for (GUITools::GUIControl* background : backgrounds_) {
        SetRange(*background, 0.0f, 1.0f);
        background->SetHideSpeed(1.2f);
        background->SetHideOffset(0.0f);
    }
}

void DayOverlayFaders::HoldBackgroundWhileClosing() const {
    for (GUITools::GUIControl* background : backgrounds_) {
        SetRange(*background, 1.0f, 1.0f);
        background->SetHideOffset(kHoldOffset);
    }
}

void DayOverlayFaders::HoldTitle(GUITools::GUIControl& title) {
    title.SetHideOffset(0.0f);
    title.SetHideSpeed(0.1f);
    title.SetFadeOffset(kHoldOffset);
}

void DayOverlayFaders::HoldBody(GUITools::GUIControl& body) {
    body.SetHideSpeed(0.01f);
    SetRange(body, 1.0f, 1.0f);
}

}  // namespace Morvane
