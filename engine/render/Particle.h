#pragma once
// One particle of a particle system's pool, a plain record recycled through the
// system's free stack. Its direction and speed follow six keys drawn at birth over
// its own life.

#include <cstdint>

#include "engine/kernel/Vector3.h"
#include "engine/render/ParticleParameters.h"

namespace Vantor {

struct Particle {
    // The slot is free.
    bool dead = true;
    // Index of its sprite in the system's sprite group.
    std::int32_t sprite = -1;
    // Seconds.
    float lifetime = 0.0f;
    float age = 0.0f;
    // Unit length.
    Vector3 direction;
    Vector3 keyDirections[ParticleParameters::kKeyCount] = {};
    float keySpeeds[ParticleParameters::kKeyCount] = {};
    // 1 at birth, damped by each bounce on the floor.
    float speedFactor = 1.0f;
    // Grows with gravity; the bounce resets it.
    float fallSpeed = 0.0f;
};

}  // namespace Vantor
