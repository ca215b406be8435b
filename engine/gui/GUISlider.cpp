#include "engine/gui/GUISlider.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIButton.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"

namespace Vantor {

namespace {

float AlongAxis(const Vector2& v, int vertical) { return vertical ? v.y : v.x; }

}  // namespace

GUISlider::GUISlider(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
                     const Vector2& position, const Vector2& size, const Model* modelResource,
                     const ShaderDescriptor* shader, int vertical, const Vector2& thumbMinimum,
                     const Vector2& thumbMaximum, std::uint32_t stepCount, GUIWindow* parent)
    : GUIWindow(fontManager, camera, flags, position, size, modelResource, shader, parent),
      soundManager_(soundManager),
      camera_(camera),
      vertical_(vertical),
      thumbMinimum_(thumbMinimum),
      thumbMaximum_(thumbMaximum),
      stepCount_(std::max(stepCount, 2u)) {
    GUISlider::CreateThumb(Vector2(), nullptr, nullptr);
    SetValue(0);
}

GUISlider::~GUISlider() = default;

std::unique_ptr<GUIButton> GUISlider::MakePart(const Vector2& position, const Vector2& size,
                                               const Model* modelResource, const ShaderDescriptor* shader,
                                               const std::string& selectSound, const std::string& clickSound) {
    auto part = std::make_unique<GUIButton>(GetFontManager(), soundManager_, camera_, kShown, position, size,
                                            modelResource, shader, this);
    part->selectSound = selectSound;
    part->clickSound = clickSound;
    return part;
}

void GUISlider::CreateThumb(const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader) {
    thumb_.reset();
    thumbSize_ = size;
    thumb_ = MakePart(thumbMinimum_, thumbMaximum_ - thumbMinimum_ + thumbSize_, modelResource, shader,
                      "gui_default_slider_toddler_select", "gui_default_slider_toddler_click");
    // A thumb with a model is hit where the slider draws it; one without, over its travel.
    thumb_->SetRectangleHitTest(false);
    SetValue(value_);
}

void GUISlider::SetValue(std::uint32_t value) { value_ = std::min(value, stepCount_ - 1); }

void GUISlider::SetStepCount(std::uint32_t stepCount) {
    if (stepCount == stepCount_) return;
    stepCount_ = std::max(stepCount, 2u);
    SetValue(value_);
}

void GUISlider::FitThumbWindow() { thumb_->SetSize(thumbMaximum_ - thumbMinimum_ + thumbSize_); }

void GUISlider::SetThumbMinPosition(const Vector2& position) {
    thumbMinimum_ = position;
    thumb_->SetPosition(thumbMinimum_);
    FitThumbWindow();
}

void GUISlider::SetThumbMaxPosition(const Vector2& position) {
    thumbMaximum_ = position;
    FitThumbWindow();
}

void GUISlider::SetThumbSize(const Vector2& size) {
    thumbSize_ = size;
    FitThumbWindow();
}

void GUISlider::SetEnabled(bool enabled) {
    if (enabled == IsEnabled()) return;
    state_ = enabled ? kNormal : kDisabled;
    thumb_->SetEnabled(enabled);
}

bool GUISlider::IsDragging() const { return thumb_->IsPressing(); }

void GUISlider::SetColor(const Color& colour) {
    GUIWindow::SetColor(colour);
    thumb_->SetColor(colour);
}

void GUISlider::SetAlpha(float alpha) {
    GUIWindow::SetAlpha(alpha);
    thumb_->SetAlpha(alpha);
}

void GUISlider::UpdateVisibility() {
    const bool wasVisible = IsVisible();
    GUIWindow::UpdateVisibility();
    if (IsVisible() && !wasVisible && state_ != kDisabled) state_ = kNormal;
}

bool GUISlider::HandleInput(const Vector2& cursor, bool held, bool pressed) {
    if (!GUIWindow::HandleInput(cursor, held, pressed)) return false;
    if (!thumb_->HandleInput(cursor, held, pressed)) return false;
    if (state_ == kDisabled) return false;
    state_ = IsHovered() ? kHovered : kNormal;
    if (thumb_->IsPressing()) DragTo(cursor);
    return true;
}

void GUISlider::DragTo(const Vector2& cursor) {
    const Vector2 origin = GetAbsolutePosition() + GetPosition();
    const float travel = AlongAxis(thumbMaximum_, vertical_) - AlongAxis(thumbMinimum_, vertical_);
    const float divisor = travel > 1.0f ? travel : 1.0f;
    float t = (AlongAxis(cursor, vertical_) - AlongAxis(origin, vertical_) - AlongAxis(thumbMinimum_, vertical_) -
               AlongAxis(thumbSize_, vertical_) * 0.5f) /
              divisor;
    t = std::max(std::min(t, 1.0f), 0.0f);
    if (inverted) t = 1.0f - t;
    t *= static_cast<float>(stepCount_ - 1);
    const float whole = std::floor(t);
    SetValue(static_cast<std::uint32_t>(whole) + (t - whole >= 0.5f ? 1u : 0u));
}

bool GUISlider::Update() {
    if (!GUIWindow::Update()) return false;
    if (Model* model = thumb_->GetModel()) PlaceThumbModel(*model);
    thumb_->Update();
    if (AnimationControl* track = GetStageAnimation()) track->SetPosition(static_cast<float>(state_));
    return true;
}

void GUISlider::PlaceThumbModel(Model& model) const {
    float t = static_cast<float>(value_) / static_cast<float>(stepCount_ - 1);
    if (inverted) t = 1.0f - t;
    const Vector2 place = GetAbsolutePosition() + GetPosition() + thumbMinimum_ + (thumbMaximum_ - thumbMinimum_) * t;
    model.SetWorldMatrix(Matrix4::Translation(Vector3(place.x, place.y, 0.0f)) *
                         Matrix4::Scale(Vector3(thumbSize_.x, thumbSize_.y, 1.0f)) * model.GetBaseMatrix());
}

}  // namespace Vantor
