#pragma once
// What a particle effect does over time, the block a template hands to its instances.
// Six-key curves run over one emission cycle (rate, life) or over each particle's own
// life (direction, colour, size, speed); a base and a spread key give base + spread x r
// with r uniform in -1..1, drawn once per particle and key. The defaults are those of
// the procedural ("self_made") effect.

#include <cstdint>

#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

struct ParticleParameters {
    static constexpr std::uint32_t kKeyCount = 6;

    // Seconds of one emission cycle.
    float period = 1.0f;
    bool gravityOn = true;
    // Added to a particle's fall speed per second.
    float gravity = 1.0f;
    bool floorOn = true;
    // Height of the floor plane; z is up.
    float floorZ = -1.0f;
    // Factor on a particle's speed factor at each bounce.
    float bounceDamping = 0.9f;
    // A particle whose speed factor drops under the threshold dies.
    bool killWhenStopped = true;
    float stopThreshold = 0.4f;
    // On, the emission curves are interpolated between keys and the rate is per second;
    // off, each key's rate is a burst count emitted once when the cycle reaches it.
    bool interpolate = true;

    float rate[kKeyCount] = {10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f};
    // Particle life in seconds.
    float life[kKeyCount] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    float lifeSpread[kKeyCount] = {};
    Vector3 directionBase[kKeyCount] = {};
    Vector3 directionSpread[kKeyCount] = {{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f},
                                          {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}};
    Color colour[kKeyCount] = {{1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f},
                               {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}};
    // Half the side of a particle's sprite.
    float size[kKeyCount] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    // One unit of speed moves 100 world units per second.
    float speedBase[kKeyCount] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    float speedSpread[kKeyCount] = {};
};

}  // namespace Vantor
