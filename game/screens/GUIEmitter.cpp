#include "game/screens/GUIEmitter.h"

#include "engine/gui/GUIManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"

namespace Morvane {

Vantor::ParticleSystem* GUIEmitter::Create(const Vantor::ParticleSystem& effect, float depth) {
    Vantor::ParticleSystem* emitter = Vantor::ParticleSystemManager::Instance()->CreateParticleSystemInstance(effect);
    Vantor::Model& model = *emitter->GetModel();
    model.SetCamera(Vantor::GUIManager::Instance()->GetCamera());
    model.SetFlags(Vantor::ModelFlags::kFixedDepth);
    model.SetDepth(depth);
    return emitter;
}

}  // namespace Morvane
