#include "game/CustomerMood.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Matrix4.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"

namespace Morvane {

namespace {

const std::string kSmileModel = "customers/balloon/smile";
const std::string kBarModel = "customers/balloon/smile_progress";
// How far the face grows at the height of its pop.
constexpr float kPopScale = 1.75f;
const Vantor::Color kReddened(1.0f, 0.5f, 0.5f, 1.0f);
const Vantor::Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);

float Clamp01(float value) { return std::clamp(value, 0.0f, 1.0f); }

// The animation of the window's first texture stage; null, with an error line, when its
// material has none.
Vantor::AnimationControl* FirstStageAnimation(const Vantor::GUIWindow& window, const std::string& modelKey) {
    const Vantor::ShaderUser* material = window.GetShaderUser();
    if (material && material->GetStageCount() > 0) return material->GetAnimationControl(0);
    Vantor::MessageManager::Instance()->PrintError("The material of \"" + modelKey +
                                                    "\" has no texture stage to animate");
    return nullptr;
}

}  // namespace

CustomerMood::CustomerMood(GameData* gameData, Vantor::GUIWindow* figureWindow, unsigned place, float cafeMood)
    : gameData_(gameData), cafeMood_(cafeMood), smileModel_(gameData->GetModel(kSmileModel)) {
    const Vantor::Vector3& corner =
        gameData_->GetModel("customers/models/" + Vantor::ToString(place, 2) + "/balloon")->GetBoundingBox().worldMin;
    position_ = {corner.x, corner.y};
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();

    smileWindow_ = gui.CreateWindow(Vantor::GUIWindow::kShown, position_, {1.0f, 1.0f}, smileModel_, nullptr,
                                    figureWindow);
    smileWindow_->SetOrder(3);
    smileAnimation_ = FirstStageAnimation(*smileWindow_, kSmileModel);
    if (smileAnimation_) {
        for (unsigned stage = 0; stage < kStageCount; ++stage)
            smileAnimation_->AddRange(static_cast<std::int32_t>(stage), stage * kFaceFramesPerStage,
                                      (stage + 1) * kFaceFramesPerStage);
        smileAnimation_->SetRange(0);
        smileAnimation_->SetLoop(false);
        smileAnimation_->SetSpeed(0.0f);
        smileAnimation_->Stop();
    }
    smileWindow_->SetAlpha(0.0f);

    barWindow_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {1.0f, 1.0f},
                                  gameData_->GetModel(kBarModel), nullptr, smileWindow_);
    barTextureAnimation_ = FirstStageAnimation(*barWindow_, kBarModel);
    barAnimation_ = barWindow_->GetModel()->GetAnimationControl();
    barAnimation_->SetLoop(false);
    barAnimation_->SetSpeed(0.0f);
    barAnimation_->Stop();
    barWindow_->SetAlpha(0.0f);
}

CustomerMood::~CustomerMood() {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(smileWindow_);
    gui.DestroyWindow(barWindow_);
}

void CustomerMood::Start() {
    started_ = true;
    fadeTime_ = 0.0f;
}

void CustomerMood::Stop() { stopped_ = true; }

void CustomerMood::Hide() {
    hiding_ = true;
    fadeTime_ = 0.0f;
}

float CustomerMood::GetPatienceTime() const {
    const float shortest = gameData_->GetMinMoodTime();
    return shortest + (gameData_->GetMaxMoodTime() - shortest) * cafeMood_;
}

void CustomerMood::Update(bool drains) {
    if (!started_) return;
    const float dt = Vantor::TimerManager::Instance()->GetFrameTime();
    fadeTime_ += dt;
    const float faceAlpha = Clamp01(hiding_ ? 1.0f - 3.0f * fadeTime_ : 3.0f * (fadeTime_ - 0.35f));
    const bool barRises = !changingStage_ && !stopped_ && !hiding_ && faceAlpha + Vantor::kFloatTolerance > 1.0f;
    barAlpha_ = Clamp01(barRises ? barAlpha_ + dt : barAlpha_ - dt);
    if (!stopped_) {
        if (changingStage_)
            ChangeStage(barAlpha_);
        else if (barAlpha_ + Vantor::kFloatTolerance > 1.0f)
            Drain(dt);
    }
    if (!drains) {
        stageFraction_ = 1.0f;
        stage_ = 0;
    }
    ShowOutputs(faceAlpha, barAlpha_);
}

void CustomerMood::ChangeStage(float barAlpha) {
    smileWindow_->SetRectangleHitTest(false);
    const float scale = Vantor::QuadraticBezier(1.0f, kPopScale, 1.0f, barAlpha);
    const Vantor::Vector3& pivot = smileModel_->GetBoundingBox().centre;
    const Vantor::Vector2 origin = smileWindow_->GetAbsolutePosition() + smileWindow_->GetPosition();
    Vantor::Model& face = *smileWindow_->GetModel();
    face.SetWorldMatrix(Vantor::Matrix4::Translation({origin.x, origin.y, 0.0f}) *
                        Vantor::Matrix4::Translation(pivot) * Vantor::Matrix4::Scale({scale, scale, 1.0f}) *
                        Vantor::Matrix4::Translation(-pivot));
    if (stage_ == 1) face.SetColour(Vantor::QuadraticBezier(kReddened, kReddened, kWhite, barAlpha));
    if (barAlpha >= Vantor::kFloatTolerance) return;
    if (stage_ + 1 == kStageCount) {
        stopped_ = true;
        return;
    }
    ++stage_;
    stageFraction_ = 1.0f;
    changingStage_ = false;
}

void CustomerMood::Drain(float dt) {
    stageFraction_ -= dt / (GetPatienceTime() * kStageShares[stage_]);
    if (stageFraction_ >= Vantor::kFloatTolerance) return;
    stageFraction_ = 0.0f;
    changingStage_ = true;
    if (!smileAnimation_) return;
    smileAnimation_->SetRange(stage_);
    smileAnimation_->SetLoop(false);
    smileAnimation_->SetSpeed(kFaceChangeSpeed);
    smileAnimation_->Play();
}

void CustomerMood::ShowOutputs(float faceAlpha, float barAlpha) {
    smileWindow_->SetAlpha(faceAlpha);
    barWindow_->SetAlpha(barAlpha);
    if (barTextureAnimation_) barTextureAnimation_->SetPosition(static_cast<float>(stage_));
    const std::uint32_t frames = barAnimation_->GetFrameCount();
    barAnimation_->SetPosition(static_cast<float>(frames > 0 ? frames - 1 : 0) * stageFraction_);
    mood_ = Clamp01(static_cast<float>(2 - stage_) * 0.33333334f + stageFraction_ / 3.0f);
}

}  // namespace Morvane
