#include "engine/render/ParticleSystemManager.h"

#include <memory>

#include "engine/kernel/Error.h"
#include "engine/render/ParticleSystem.h"

namespace Vantor {

// Defined here, where the registry's systems are complete types.
ParticleSystemManager::ParticleSystemManager() = default;
ParticleSystemManager::~ParticleSystemManager() = default;

ParticleSystem* ParticleSystemManager::CreateParticleSystem(Camera* camera) { return new ParticleSystem(camera); }

ParticleSystem* ParticleSystemManager::LoadParticleSystem(const std::wstring& fileName, Camera* camera,
                                                          bool lazyTextures) {
    try {
        return new ParticleSystem(fileName, camera, lazyTextures);
    } catch (const Error&) {
        return new ParticleSystem(camera);
    }
}

ParticleSystem* ParticleSystemManager::CreateParticleSystemInstance(const ParticleSystem& source) {
    std::unique_ptr<ParticleSystem> instance(new ParticleSystem(source));
    systems_.AddObject(instance.get());
    return instance.release();
}

void ParticleSystemManager::ReleaseParticleSystem(ParticleSystem* system) {
    if (systems_.RemoveObject(system)) delete system;
}

void ParticleSystemManager::Update() {
    for (ParticleSystem* system : systems_.GetSlots())
        if (system) system->Update();
}

}  // namespace Vantor
