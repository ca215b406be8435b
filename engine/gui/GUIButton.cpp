#include "engine/gui/GUIButton.h"

#include "engine/gui/GUISoundManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"

namespace Vantor {

GUIButton::GUIButton(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
                     const Vector2& position, const Vector2& size, const Model* modelResource,
                     const ShaderDescriptor* shader, GUIWindow* parent)
    : GUIWindow(fontManager, camera, flags, position, size, modelResource, shader, parent),
      soundManager_(soundManager) {}

bool GUIButton::HandleInput(const Vector2& cursor, bool held, bool pressed) {
    clicked = false;
    if (!GUIWindow::HandleInput(cursor, held, pressed) || state == kDisabled) return false;
    const bool hovered = IsHovered();
    if (hovered && pressed && !pressing_) {
        pressing_ = true;
        Play(clickSound);
    }
    if (pressing_) {
        if (held) {
            state = hovered ? kPressed : kNormal;
        } else {
            clicked = hovered;
            pressing_ = false;
        }
    }
    if (!pressing_) {
        state = hovered ? kHovered : kNormal;
        if (hovered && !wasHovered_) Play(selectSound);
    }
    wasHovered_ = hovered;
    return true;
}

bool GUIButton::Update() {
    if (!GUIWindow::Update()) return false;
    const auto frame = static_cast<float>(GetFrameIndex());
    if (AnimationControl* stage = GetStageAnimation())
        stage->SetPosition(frame);
    else if (GetModel() && GetModel()->GetAnimationControl()->GetFrameCount() > 1)
        GetModel()->GetAnimationControl()->SetPosition(frame);
    return true;
}

void GUIButton::UpdateVisibility() {
    const bool wasVisible = IsVisible();
    GUIWindow::UpdateVisibility();
    if (IsVisible() && !wasVisible && state != kDisabled) state = kNormal;
}

void GUIButton::SetEnabled(bool enabled) {
    if ((state != kDisabled) == enabled) return;
    state = enabled ? kNormal : kDisabled;
}

std::uint32_t GUIButton::GetFrameIndex() const {
    return state >= kNormal && state <= kDisabled ? static_cast<std::uint32_t>(state) : 0u;
}

void GUIButton::Play(const std::string& sound) const {
    if (soundManager_) soundManager_->PlaySound(sound);
}

}  // namespace Vantor
