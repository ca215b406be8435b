#include "gui_tools/GUIBackgroundLayer.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "tools/DataKeeper.h"

namespace GUITools {

namespace {

// The speed only when one is given; the loop flag always.
void SetUpAnimation(Vantor::AnimationControl& animation, float speed, bool loop) {
    if (speed >= 0.0f) animation.SetSpeed(speed);
    animation.SetLoop(loop);
}

void Restart(Vantor::AnimationControl& animation, bool randomStart) {
    if (randomStart)
        animation.SetRandomPosition();
    else
        animation.SetPosition(0.0f);
    animation.Play();
}

}  // namespace

GUIBackgroundLayer::GUIBackgroundLayer(GameTools::DataKeeper* keeper, const std::string& name,
                                       Vantor::GUIWindow* existingWindow, const std::string& modelName,
                                       const std::string& particlesName, const std::string& shaderName,
                                       const std::string& animatorName, bool randomStartFrame, float animationSpeed,
                                       bool animationLoop, const Vantor::Color& colour, int order,
                                       Vantor::GUIWindow* parent)
    : keeper_(keeper), name_(name), randomStartFrame_(randomStartFrame), colour_(colour) {
    if (particlesName.empty() || existingWindow)
        CreateWindow(existingWindow, modelName, animationSpeed, animationLoop, parent);
    else
        CreateParticleSystem(particlesName, parent);
    window_->SetOrder(order);
    if (particleSystem_) {
        Vantor::Model& batch = *particleSystem_->GetModel();
        batch.SetFlags(Vantor::ModelFlags::kFixedDepth);
        batch.SetDepth(window_->GetDepth());
    }
    if (!shaderName.empty()) ChangeShader(shaderName);
    SetUpMaterial();
    if (!animatorName.empty()) CreateAnimator(animatorName, animationSpeed, animationLoop);
}

GUIBackgroundLayer::~GUIBackgroundLayer() {
    Vantor::ParticleSystemManager::Instance()->ReleaseParticleSystem(particleSystem_);
    delete animator_;
    Vantor::GUIManager::Instance()->DestroyWindow(window_);
}

void GUIBackgroundLayer::CreateWindow(Vantor::GUIWindow* existingWindow, const std::string& modelName,
                                      float animationSpeed, bool animationLoop, Vantor::GUIWindow* parent) {
    if (existingWindow) {
        window_ = existingWindow;
        window_->SetParent(parent);
    } else {
        const Vantor::Model* model = modelName.empty() ? nullptr : keeper_->GetModel(modelName);
        window_ = Vantor::GUIManager::Instance()->CreateWindow(0, {0.0f, 0.0f}, {1.0f, 1.0f}, model, nullptr, parent);
    }
    if (Vantor::Model* model = window_->GetModel())
        SetUpAnimation(*model->GetAnimationControl(), animationSpeed, animationLoop);
}

void GUIBackgroundLayer::CreateParticleSystem(const std::string& particlesName, Vantor::GUIWindow* parent) {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    window_ = gui.CreateWindow(0, {0.0f, 0.0f}, {1.0f, 1.0f}, nullptr, nullptr, parent);
    particleSystem_ = Vantor::ParticleSystemManager::Instance()->CreateParticleSystemInstance(
        *keeper_->GetParticleSystem(particlesName));
    // Hidden with its window until the layer is first shown.
    particleSystem_->SetVisible(false);
    particleSystem_->GetModel()->SetCamera(gui.GetCamera());
    particleSystem_->Start(true);
}

void GUIBackgroundLayer::ChangeShader(const std::string& shaderName) {
    Vantor::ShaderUser* shader = keeper_->GetShaderUser(shaderName);
    if (particleSystem_)
        particleSystem_->SetShader(shader);
    else if (Vantor::Model* model = window_->GetModel())
        model->ChangeShader(*shader);
}

void GUIBackgroundLayer::SetUpMaterial() {
    Vantor::ShaderUser* material = nullptr;
    if (particleSystem_)
        material = particleSystem_->GetShaderUser();
    else if (Vantor::Model* model = window_->GetModel())
        material = model->GetShaderUser();
    if (!material) return;
    material->AddFlags(Vantor::ShaderDescriptor::kBlending);
    material->SetBlendFactor(0, static_cast<std::int32_t>(Vantor::BlendFactor::SrcAlpha));
    material->SetBlendFactor(1, static_cast<std::int32_t>(Vantor::BlendFactor::InvSrcAlpha));
    if (Vantor::AnimationControl* stageAnimation = material->GetAnimationControl(0)) stageAnimation->Play();
}

void GUIBackgroundLayer::CreateAnimator(const std::string& animatorName, float animationSpeed, bool animationLoop) {
    // Visible, so that its update poses its box; unregistered, it is never drawn.
    animator_ = Vantor::ModelManager::Instance()->CloneModel(
        *keeper_->GetModel(animatorName), Vantor::GUIManager::Instance()->GetCamera(), Vantor::ModelFlags::kVisible);
    Vantor::AnimationControl& animation = *animator_->GetAnimationControl();
    SetUpAnimation(animation, animationSpeed, animationLoop);
    animation.Play();
    if (randomStartFrame_) animation.SetRandomPosition();
}

void GUIBackgroundLayer::StartFade(bool show, bool fade, float speed) {
    if (!enabled) return;
    fade_.Start(show, fade, speed);
    if (show) {
        SetShown(true);
        fadeValue_ = fade ? 0.0f : 1.0f;
        RestartAnimations();
    } else {
        if (!fade) SetShown(false);
        fadeValue_ = 1.0f;
    }
    SetAlpha(1.0f);
}

void GUIBackgroundLayer::SetAlpha(float alpha) {
    if (!enabled) return;
    Vantor::Color colour = colour_;
    colour.w = alpha * fadeValue_ * colour_.w;
    window_->SetColor(colour);
    if (particleSystem_) particleSystem_->SetColour(colour);
}

void GUIBackgroundLayer::Update() {
    if (!window_->IsVisible()) return;
    if (animator_) FollowAnimator();
    if (particleSystem_) MoveEmitter();
    if (fade_.IsFading()) {
        fadeValue_ = fade_.Advance(Vantor::TimerManager::Instance()->GetFrameTime());
        if (!fade_.IsFading() && !fade_.IsShowing()) SetShown(false);
    }
    SetAlpha(1.0f);
}

void GUIBackgroundLayer::RestartAnimations() {
    if (Vantor::Model* model = window_->GetModel()) Restart(*model->GetAnimationControl(), randomStartFrame_);
    if (animator_) Restart(*animator_->GetAnimationControl(), randomStartFrame_);
}

void GUIBackgroundLayer::FollowAnimator() {
    animator_->Update(false);
    const Vantor::Vector3& centre = animator_->GetBoundingBox().centre;
    window_->SetPosition({centre.x, centre.y});
}

void GUIBackgroundLayer::MoveEmitter() {
    const Vantor::Vector2& position = window_->GetPosition();
    const Vantor::Vector3 centre(position.x, position.y, 0.0f);
    if (particleSystem_->GetEmitterShape() == Vantor::ParticleSystem::kBoxEmitter) {
        Vantor::BoundingBox& box = particleSystem_->GetEmitterBox();
        const Vantor::Vector3 halfSize = box.halfExtents;
        box.SetMinMax(centre - halfSize, centre + halfSize);
    } else {
        particleSystem_->SetPosition(centre);
    }
}

void GUIBackgroundLayer::SetShown(bool shown) {
    if (shown)
        window_->SetFlags(Vantor::GUIWindow::kShown);
    else
        window_->ClearFlags(Vantor::GUIWindow::kShown);
    if (particleSystem_) particleSystem_->SetVisible(shown);
}

}  // namespace GUITools
