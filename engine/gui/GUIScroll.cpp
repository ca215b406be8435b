#include "engine/gui/GUIScroll.h"

#include <utility>

#include "engine/gui/GUIButton.h"
#include "engine/kernel/TimerManager.h"

namespace Vantor {

GUIScroll::GUIScroll(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
                     const Vector2& position, const Vector2& size, const Model* modelResource,
                     const ShaderDescriptor* shader, int vertical, const Vector2& thumbMinimum,
                     const Vector2& thumbMaximum, std::uint32_t stepCount, GUIWindow* parent)
    : GUISlider(fontManager, soundManager, camera, flags, position, size, modelResource, shader, vertical,
                thumbMinimum, thumbMaximum, stepCount, parent) {
    GUIScroll::CreateThumb(Vector2(), nullptr, nullptr);
    CreateIncreaseButton(Vector2(), Vector2(), nullptr, nullptr);
    CreateDecreaseButton(Vector2(), Vector2(), nullptr, nullptr);
}

GUIScroll::~GUIScroll() = default;

void GUIScroll::CreateThumb(const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader) {
    GUISlider::CreateThumb(size, modelResource, shader);
    GUIButton& thumb = *GetThumb();
    thumb.SetOrder(2);
    thumb.selectSound = "gui_default_scroll_toddler_select";
    thumb.clickSound = "gui_default_scroll_toddler_click";
}

std::unique_ptr<GUIButton> GUIScroll::MakeArrow(const Vector2& position, const Vector2& size,
                                                const Model* modelResource, const ShaderDescriptor* shader) {
    return MakePart(position, size, modelResource, shader, "gui_default_scroll_navigation_select",
                    "gui_default_scroll_navigation_click");
}

void GUIScroll::CreateIncreaseButton(const Vector2& position, const Vector2& size, const Model* modelResource,
                                     const ShaderDescriptor* shader) {
    increase_.reset();
    increase_ = MakeArrow(position, size, modelResource, shader);
}

void GUIScroll::CreateDecreaseButton(const Vector2& position, const Vector2& size, const Model* modelResource,
                                     const ShaderDescriptor* shader) {
    decrease_.reset();
    decrease_ = MakeArrow(position, size, modelResource, shader);
}

void GUIScroll::SetEnabled(bool enabled) {
    if (enabled == IsEnabled()) return;
    GUISlider::SetEnabled(enabled);
    increase_->SetEnabled(enabled);
    decrease_->SetEnabled(enabled);
}

bool GUIScroll::IsDragging() const {
    return GUISlider::IsDragging() || increase_->IsPressing() || decrease_->IsPressing();
}

void GUIScroll::SetColor(const Color& colour) {
    GUISlider::SetColor(colour);
    increase_->SetColor(colour);
    decrease_->SetColor(colour);
}

void GUIScroll::SetAlpha(float alpha) {
    GUISlider::SetAlpha(alpha);
    increase_->SetAlpha(alpha);
    decrease_->SetAlpha(alpha);
}

bool GUIScroll::IsHeldOver(const GUIButton& arrow) { return arrow.IsPressing() && arrow.IsHovered(); }

bool GUIScroll::HandleInput(const Vector2& cursor, bool held, bool pressed) {
    if (!GUISlider::HandleInput(cursor, held, pressed)) {
        repeatTimer_ = 0.0f;
        return false;
    }
    increase_->HandleInput(cursor, held, pressed);
    decrease_->HandleInput(cursor, held, pressed);
    bool up = IsHeldOver(*increase_);
    bool down = IsHeldOver(*decrease_);
    if (inverted) std::swap(up, down);
    if (!up && !down) {
        repeatTimer_ = 0.0f;
        return true;
    }
    repeatTimer_ += TimerManager::Instance()->GetFrameTime();
    // The small margin keeps a timer that lands on a whole interval from stepping early.
    while (repeatTimer_ > 0.0001f) {
        repeatTimer_ -= kRepeatInterval;
        Repeat(up, down);
    }
    return true;
}

void GUIScroll::Repeat(bool up, bool down) {
    const std::uint32_t last = GetStepCount() - 1;
    if (up) SetValue(last - GetValue() > stepPerRepeat_ ? GetValue() + stepPerRepeat_ : last);
    if (down) SetValue(GetValue() > stepPerRepeat_ ? GetValue() - stepPerRepeat_ : 0);
}

bool GUIScroll::Update() {
    if (!GUISlider::Update()) return false;
    increase_->Update();
    decrease_->Update();
    return true;
}

}  // namespace Vantor
