#include "content/ParticlePresets.h"

#include "engine/kernel/Error.h"

namespace Content {

namespace {

using System = ParticleFileWriter::ParticleSystem;
constexpr int kKeys = ParticleFileWriter::kKeyCount;

void SetKeys(float (&keys)[kKeys], std::initializer_list<float> values) {
    int k = 0;
    for (float value : values) keys[k++] = value;
}

void SetDirections(System& system, float x, float y, float spreadX, float spreadY) {
    for (int k = 0; k < kKeys; ++k) {
        system.directionBase[k][0] = x;
        system.directionBase[k][1] = y;
        system.directionBase[k][2] = 0;
        system.directionSpread[k][0] = spreadX;
        system.directionSpread[k][1] = spreadY;
        system.directionSpread[k][2] = 0;
    }
}

void SetColour(System& system, ParticlePresets::Colour colour, std::initializer_list<float> alphas) {
    int k = 0;
    for (float alpha : alphas) {
        system.colour[k][0] = colour.red;
        system.colour[k][1] = colour.green;
        system.colour[k][2] = colour.blue;
        system.colour[k][3] = alpha;
        ++k;
    }
}

void ScaleSizes(System& system, float size) {
    for (float& s : system.size) s *= size;
}

}  // namespace

ParticleFileWriter::ParticleSystem ParticlePresets::Make(Kind kind, Colour colour, float size) {
    System system;
    system.gravityOn = 0;
    system.floorOn = 0;
    system.killWhenStopped = 0;
    SetKeys(system.lifeSpread, {0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f});
    // Speeds are in hundreds of units a second, sizes half sizes in units.
    switch (kind) {
        case Kind::Burst:
            // Without interpolation the rate is a count per key: one burst at key 0.
            system.maxParticles = 40;
            system.period = 0.5f;
            system.interpolate = 0;
            SetKeys(system.rate, {40, 0, 0, 0, 0, 0});
            SetKeys(system.life, {0.7f, 0.7f, 0.7f, 0.7f, 0.7f, 0.7f});
            SetDirections(system, 0, 0, 1, 1);
            SetKeys(system.speedBase, {1.6f, 1.2f, 0.8f, 0.4f, 0.2f, 0});
            SetKeys(system.speedSpread, {0.6f, 0.4f, 0.3f, 0.15f, 0.05f, 0});
            SetKeys(system.size, {6, 6, 5, 4, 3, 2});
            SetColour(system, colour, {1, 1, 0.8f, 0.6f, 0.3f, 0});
            break;
        case Kind::Trail:
            system.maxParticles = 60;
            system.period = 1.0f;
            SetKeys(system.rate, {60, 60, 60, 60, 60, 60});
            SetKeys(system.life, {0.4f, 0.4f, 0.4f, 0.4f, 0.4f, 0.4f});
            SetDirections(system, 0, 0, 1, 1);
            SetKeys(system.speedBase, {0.1f, 0.08f, 0.06f, 0.04f, 0.02f, 0});
            SetKeys(system.size, {5, 4, 3.5f, 3, 2, 1});
            SetColour(system, colour, {0.9f, 0.8f, 0.6f, 0.4f, 0.2f, 0});
            break;
        case Kind::Sparkle:
            system.maxParticles = 30;
            system.period = 1.0f;
            system.emitterShape = 1;
            system.boxMinimum[0] = -30;
            system.boxMinimum[1] = -15;
            system.boxMaximum[0] = 30;
            system.boxMaximum[1] = 15;
            SetKeys(system.rate, {15, 15, 15, 15, 15, 15});
            SetKeys(system.life, {0.8f, 0.8f, 0.8f, 0.8f, 0.8f, 0.8f});
            SetDirections(system, 0, 1, 0.3f, 0.2f);
            SetKeys(system.speedBase, {0.06f, 0.06f, 0.06f, 0.06f, 0.06f, 0.06f});
            SetKeys(system.size, {1, 4, 6, 4, 2, 0});
            SetColour(system, colour, {0, 1, 1, 1, 0.6f, 0});
            break;
        case Kind::Rising:
            system.maxParticles = 30;
            system.period = 1.0f;
            SetKeys(system.rate, {10, 10, 10, 10, 10, 10});
            SetKeys(system.life, {1.5f, 1.5f, 1.5f, 1.5f, 1.5f, 1.5f});
            SetDirections(system, 0, 1, 0.25f, 0);
            SetKeys(system.speedBase, {0.4f, 0.38f, 0.35f, 0.32f, 0.3f, 0.28f});
            SetKeys(system.speedSpread, {0.08f, 0.08f, 0.08f, 0.08f, 0.08f, 0.08f});
            SetKeys(system.size, {3, 4, 5, 6, 7, 8});
            SetColour(system, colour, {0, 0.8f, 0.7f, 0.5f, 0.25f, 0});
            break;
    }
    ScaleSizes(system, size);
    return system;
}

ParticlePresets::Kind ParticlePresets::KindNamed(const std::string& name) {
    if (name == "burst") return Kind::Burst;
    if (name == "trail") return Kind::Trail;
    if (name == "sparkle") return Kind::Sparkle;
    if (name == "rising") return Kind::Rising;
    throw Vantor::Error("unknown particle preset \"" + name + "\"");
}

}  // namespace Content
