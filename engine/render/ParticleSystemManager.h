#pragma once
// The single-instance maker of particle systems: templates (the procedural effect or
// one from a particle file), which their owner keeps and deletes and which never move,
// and registered instances copied from them, which the manager owns and updates once
// per frame.

#include <cstdint>
#include <string>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/ObjectManager.h"

namespace Vantor {

class Camera;
class ParticleSystem;

class ParticleSystemManager : public GlobalPointerHolder<ParticleSystemManager> {
public:
    ParticleSystemManager();
    // The registry deletes every registered instance.
    virtual ~ParticleSystemManager();
    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;

    // A new procedural ("self_made") system, not registered.
    ParticleSystem* CreateParticleSystem(Camera* camera);
    // A new system from the particle file, not registered; the procedural system when
    // the file cannot be read (the reader has logged why).
    ParticleSystem* LoadParticleSystem(const std::wstring& fileName, Camera* camera, bool lazyTextures);
    // A copy of the source, registered and so updated every frame.
    ParticleSystem* CreateParticleSystemInstance(const ParticleSystem& source);
    // Removes and deletes a registered instance; null or a template is left alone.
    void ReleaseParticleSystem(ParticleSystem* system);

    // Once per frame: every registered system's update, in slot order.
    void Update();

    std::uint32_t GetRegisteredCount() const { return systems_.GetCount(); }

private:
    ObjectManager<ParticleSystem> systems_;
};

}  // namespace Vantor
