#include "game/AnimatedPart.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"

namespace Morvane {

namespace {

// Frame controls of game objects show whole frames.
constexpr int kWholeFrames = 1;

}  // namespace

Vantor::AnimationControl* AnimatedPart::HoldStage(const Vantor::GUIWindow* window, const std::string& key) {
    const Vantor::ShaderUser* material = window->GetShaderUser();
    Vantor::AnimationControl* stage =
        material && material->GetStageCount() > 0 ? material->GetAnimationControl(0) : nullptr;
    if (!stage) {
        Vantor::MessageManager::Instance()->PrintError("The material of \"" + key +
                                                       "\" has no texture stage to animate");
        return nullptr;
    }
    stage->SetLoop(false);
    stage->SetSpeed(0.0f);
    stage->Stop();
    return stage;
}

std::unique_ptr<AnimatedPart> AnimatedPart::Create(GameData* gameData, const std::string& key,
                                                   Vantor::GUIWindow* parent) {
    if (!gameData->HasModel(key)) return nullptr;
    Vantor::GUIWindow* window = Vantor::GUIManager::Instance()->CreateWindow(
        Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {1.0f, 1.0f}, gameData->GetModel(key), nullptr, parent);
    return std::make_unique<AnimatedPart>(window, key);
}

AnimatedPart::AnimatedPart(Vantor::GUIWindow* window, const std::string& key)
    : window_(window), stage_(HoldStage(window, key)) {
    const std::uint32_t frames = stage_ ? stage_->GetFrameCount() : 1;
    control_ = std::make_unique<Vantor::AnimationControl>(kWholeFrames, std::max<std::uint32_t>(frames, 1));
}

AnimatedPart::~AnimatedPart() {
    control_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(window_);
}

bool AnimatedPart::Update() {
    const bool wasPlaying = control_->IsPlaying();
    control_->Update();
    if (stage_) stage_->SetPosition(static_cast<float>(control_->GetFrameA()));
    return wasPlaying;
}

}  // namespace Morvane
