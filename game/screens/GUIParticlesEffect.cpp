#include "game/screens/GUIParticlesEffect.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/screens/GUIEmitter.h"
#include "tools/DataKeeper.h"

namespace Morvane {

GUIParticlesEffect::GUIParticlesEffect(GameTools::DataKeeper* data, const std::string& modelName,
                                       const std::string& effectName, const Vantor::Vector2& offset,
                                       float framesPerSecond, const Vantor::GUIWindow& reference, float depthOffset)
    : offset_(offset) {
    const std::vector<std::string> names = PathNames(*data, modelName);
    if (names.empty()) return;
    const Vantor::ParticleSystem& effect = *data->GetParticleSystem("ui/" + effectName);
    for (const std::string& name : names) {
        AddPath(*data->GetModel(name), framesPerSecond);
        AddEmitter(effect, reference.GetDepth() + depthOffset);
    }
}

GUIParticlesEffect::~GUIParticlesEffect() {
    for (Vantor::Model* path : paths_) delete path;
    for (Vantor::ParticleSystem* emitter : emitters_)
        Vantor::ParticleSystemManager::Instance()->ReleaseParticleSystem(emitter);
}

std::vector<std::string> GUIParticlesEffect::PathNames(const GameTools::DataKeeper& data,
                                                       const std::string& modelName) {
    std::vector<std::string> names;
    if (data.HasModel(modelName)) names.push_back(modelName);
    for (int k = 0; k < kNumberedPaths; ++k) {
        const std::string numbered = modelName + "_" + std::to_string(k);
        if (!data.HasModel(numbered)) break;
        names.push_back(numbered);
    }
    return names;
}

void GUIParticlesEffect::AddPath(const Vantor::Model& source, float framesPerSecond) {
    // Never drawn, as it is not registered; visible, so that its update moves its box.
    Vantor::Model* path = Vantor::ModelManager::Instance()->CloneModel(source, nullptr, Vantor::ModelFlags::kVisible);
    Vantor::AnimationControl& animation = *path->GetAnimationControl();
    animation.SetSpeed(framesPerSecond);
    animation.SetLoop(true);
    animation.Play();
    paths_.push_back(path);
}

void GUIParticlesEffect::AddEmitter(const Vantor::ParticleSystem& source, float depth) {
    Vantor::ParticleSystem* emitter = GUIEmitter::Create(source, depth);
    emitter->SetVisible(true);
    // Looping from time 0; like every copy of a particle system it emits only once started.
    emitter->Start(true);
    emitter->SetEmitting(false);
    emitters_.push_back(emitter);
}

void GUIParticlesEffect::Start() {
    for (Vantor::Model* path : paths_) {
        Vantor::AnimationControl& animation = *path->GetAnimationControl();
        animation.SetPosition(0.0f);
        animation.SetLoop(true);
        animation.Play();
    }
    for (Vantor::ParticleSystem* emitter : emitters_) emitter->Start(true);
}

void GUIParticlesEffect::Stop(bool now) {
    if (now) {
        for (Vantor::ParticleSystem* emitter : emitters_) emitter->SetEmitting(false);
        return;
    }
    for (Vantor::Model* path : paths_) path->GetAnimationControl()->SetLoop(false);
}

void GUIParticlesEffect::Update() {
    for (std::size_t k = 0; k < paths_.size(); ++k) {
        Vantor::Model& path = *paths_[k];
        path.Update(false);
        const Vantor::Vector3& centre = path.GetBoundingBox().centre;
        emitters_[k]->SetPosition({centre.x + offset_.x, centre.y + offset_.y, 0.0f});
        if (!path.GetAnimationControl()->IsPlaying()) emitters_[k]->SetEmitting(false);
    }
}

bool GUIParticlesEffect::IsActive() const { return !emitters_.empty() && emitters_.front()->IsEmitting(); }

}  // namespace Morvane
