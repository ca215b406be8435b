#pragma once
// Particle effects drawn over the GUI: a registered copy of an effect that draws with
// the GUI manager's camera at a fixed depth among the windows.

namespace Vantor {
class ParticleSystem;
}

namespace Morvane {

class GUIEmitter {
public:
    // Released through the particle-system manager by the caller.
    static Vantor::ParticleSystem* Create(const Vantor::ParticleSystem& effect, float depth);
};

}  // namespace Morvane
