#include "gui_tools/GUIControl.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderUser.h"
#include "tools/DataKeeper.h"

namespace GUITools {

namespace {

constexpr std::int32_t kShowRange = 0;
constexpr std::int32_t kHideRange = 1;

}  // namespace

GUIControl::GUIControl(GameTools::DataKeeper* keeper, const GUIControlDescription& description)
    : keeper_(keeper), name_(description.name) {}

GUIControl::~GUIControl() { delete animator_; }

void GUIControl::Attach(Vantor::GUIWindow* window, const GUIControlDescription& description) {
    window_ = window;
    model_ = window->GetModel();
    modelAnimation_ = nullptr;
    if (model_) {
        Vantor::AnimationControl& animation = *model_->GetAnimationControl();
        animation.SetLoop(false);
        modelAnimation_ = ApplyFrameRange(animation, description.modelStartFrame, description.modelEndFrame);
    }
    animatorAnimation_ = nullptr;
    if (!description.animatorModel.empty()) {
        const Vantor::Model* source = keeper_->GetModel("ui/" + description.animatorModel);
        animator_ = Vantor::ModelManager::Instance()->CloneModel(*source, nullptr, 0);
        Vantor::AnimationControl& animation = *animator_->GetAnimationControl();
        animation.SetLoop(false);
        animatorAnimation_ = ApplyFrameRange(animation, description.animatorStartFrame, description.animatorEndFrame);
        // Not registered, so never drawn; visible so that its own update runs.
        animator_->SetFlags(Vantor::ModelFlags::kVisible);
    }
    HideElement();
}

const Vantor::Model* GUIControl::FindModel(const std::string& name) const {
    return name.empty() ? nullptr : keeper_->GetModel("ui/" + name);
}

const Vantor::ShaderDescriptor* GUIControl::FindShader(const std::string& name) const {
    return name.empty() ? nullptr : keeper_->GetShaderUser("ui/" + name);
}

void GUIControl::AttachElement(Vantor::GUIWindow* element, const GUIControlDescription& description,
                               bool elementAnimates) {
    element->ScaleTextureCoordinates(description.uv);
    Attach(element, description);
    if (elementAnimates) ClearModelAnimation();
}

Vantor::AnimationControl* GUIControl::ApplyFrameRange(Vantor::AnimationControl& animation, std::int32_t startFrame,
                                                      std::int32_t endFrame) {
    // Compared as unsigned: a negative frame other than "not given" counts as huge.
    const std::uint32_t count = animation.GetFrameCount();
    std::uint32_t last = count > 0 ? count - 1 : 0;
    std::uint32_t first = 0;
    if (startFrame != GUIControlDescription::kNoFrame) first = std::min(static_cast<std::uint32_t>(startFrame), last);
    if (endFrame != GUIControlDescription::kNoFrame)
        last = std::max(std::min(static_cast<std::uint32_t>(endFrame), last), first);
    if (last == first) {
        animation.SetPosition(static_cast<float>(first));
        return nullptr;
    }
    animation.AddRange(kShowRange, first, last);
    animation.AddRange(kHideRange, last, first);
    return &animation;
}

void GUIControl::Show(bool show, bool useActions) {
    if (useActions) {
        const std::string& action = show ? showAction_ : hideAction_;
        if (action == "show")
            targetShown_ = true;
        else if (action == "hide")
            targetShown_ = false;
        else
            return;
    } else {
        targetShown_ = show;
    }
    transitionPending_ = true;
    transitionElapsed_ = 0.0f;
    fadeElapsed_ = 0.0f;
    // A control that shows appears in a later Update; one that hides stays on screen
    // until its hide has run.
    if (targetShown_)
        HideElement();
    else
        ShowElement();
    fadeValue_ = targetShown_ ? faderMin_ : faderMax_;
}

bool GUIControl::IsShown() const { return targetShown_ || window_->IsVisible(); }

void GUIControl::SetExclusiveInput() { Vantor::GUIManager::Instance()->GetExclusiveInputList().push_back(window_); }

bool GUIControl::IsAnimationFinished() const {
    return !(modelAnimation_ && modelAnimation_->IsPlaying()) && !(animatorAnimation_ && animatorAnimation_->IsPlaying());
}

void GUIControl::SetSelection(bool on, const Vantor::Vector2& position, const Vantor::Vector2& size) {
    hasSelection_ = on;
    selectionPosition_ = position;
    selectionSize_ = size;
}

void GUIControl::Update() {
    const float frameTime = Vantor::TimerManager::Instance()->GetFrameTime();
    if (targetShown_ && transitionPending_) {
        transitionElapsed_ += frameTime;
        if (!HasFader() || showOffset_ <= transitionElapsed_) {
            ShowElement();
            PlayAnimations(kShowRange);
            transitionPending_ = false;
        }
    }
    if (!window_->IsVisible()) {
        if (targetShown_) return;
        if (window_->GetFlags() & Vantor::GUIWindow::kShown) {
            HideElement();
            transitionPending_ = false;
        }
        return;
    }
    if (StartPendingHide(frameTime)) return;
    if (HidesWithAnimationEnd()) HideElement();
    PushLayout();
    if (HasFader()) UpdateFader(frameTime);
}

bool GUIControl::StartPendingHide(float frameTime) {
    if (targetShown_ || !transitionPending_) return false;
    transitionElapsed_ += frameTime;
    // A faded control waits for its hide offset.
    if (HasFader() && hideOffset_ > transitionElapsed_) return false;
    PlayAnimations(kHideRange);
    if (HasFader() || modelAnimation_ || animatorAnimation_) {
        transitionPending_ = false;
        return false;
    }
    HideElement();
    return true;
}

bool GUIControl::HidesWithAnimationEnd() const {
    const auto hideEnded = [](const Vantor::AnimationControl* animation) {
        return animation && animation->GetRangeId() == kHideRange && !animation->IsPlaying();
    };
    // The animator's hide decides when there is one.
    const bool ended = animatorAnimation_ ? hideEnded(animatorAnimation_) : hideEnded(modelAnimation_);
    return ended && (!HasFader() || faderType_ == kModelAnimationFader);
}

void GUIControl::PlayAnimations(std::int32_t range) {
    for (Vantor::AnimationControl* animation : {modelAnimation_, animatorAnimation_}) {
        if (!animation) continue;
        animation->SetRange(range);
        animation->Play();
    }
}

void GUIControl::PushLayout() {
    window_->SetOrder(order_);
    Vantor::Vector2 position = position_;
    if (animator_) {
        animator_->Update(false);
        const Vantor::Vector3& corner = animator_->GetBoundingBox().worldMin;
        position += Vantor::Vector2(corner.x, corner.y);
    }
    window_->SetPosition(position);
    window_->SetSize(size_);
    window_->SetSelectionOn(hasSelection_);
    if (hasSelection_) {
        window_->SetSelectionPosition(selectionPosition_);
        window_->SetSelectionSize(selectionSize_);
    }
}

void GUIControl::UpdateFader(float frameTime) {
    if (!targetShown_ && hideOffset_ > transitionElapsed_) return;
    const float v = std::clamp(FaderPosition(frameTime), 0.0f, 1.0f);
    if (!targetShown_ && v < Vantor::kFloatTolerance) HideElement();
    fadeValue_ = v * faderMax_ + (1.0f - v) * faderMin_;
    if (std::fabs(window_->GetAlpha() - fadeValue_) > Vantor::kFloatTolerance) window_->SetAlpha(fadeValue_);
}

float GUIControl::FaderPosition(float frameTime) {
    if (faderType_ == kModelAnimationFader) {
        const Vantor::AnimationControl* animation = animator_ ? animatorAnimation_ : modelAnimation_;
        if (!animation) return 0.0f;
        const std::uint32_t first = animation->GetRangeFirst();
        const std::uint32_t last = animation->GetRangeLast();
        const float length = static_cast<float>(std::max(first, last) - std::min(first, last));
        float position = animation->GetPosition();
        if (animation->GetRangeId() == kHideRange) position = length - position;
        const float f = length == 0.0f ? 1.0f : position / length;
        return f * (targetShown_ ? showSpeed_ : hideSpeed_);
    }
    fadeElapsed_ += frameTime;
    const float g = std::max(0.0f, fadeElapsed_ - fadeOffset_);
    return targetShown_ ? g * showSpeed_ : 1.0f - g * hideSpeed_;
}

void GUIControl::HideElement() { window_->ClearFlags(Vantor::GUIWindow::kShown); }

void GUIControl::ShowElement() { window_->SetFlags(Vantor::GUIWindow::kShown); }

}  // namespace GUITools
