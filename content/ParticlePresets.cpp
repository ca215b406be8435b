#include "content/ParticlePresets.h"

#include <array>

#include "engine/kernel/Error.h"

namespace Content {

namespace {

using System = ParticleFileWriter::ParticleSystem;
using Keys = std::array<float, ParticleFileWriter::kKeyCount>;

// One preset's values. Speeds are in hundreds of units a second, sizes half sizes in
// units; without interpolation the rate is a count per key, not per second.
struct Preset {
    std::uint32_t maxParticles;
    float period;
    bool interpolate;
    // Half the emitter box's width and height; 0 emits from a point.
    float boxX, boxY;
    float life;
    // Direction base and spread, x and y.
    float directionX, directionY, spreadX, spreadY;
    Keys rate, speedBase, speedSpread, size, alpha;
};

const Preset& PresetOf(ParticlePresets::Kind kind) {
    static const Preset kBurst{40, 0.5f, false, 0, 0, 0.7f, 0, 0, 1, 1,
                               {40, 0, 0, 0, 0, 0},  {1.6f, 1.2f, 0.8f, 0.4f, 0.2f, 0}, {0.6f, 0.4f, 0.3f, 0.15f, 0.05f, 0},
                               {6, 6, 5, 4, 3, 2},   {1, 1, 0.8f, 0.6f, 0.3f, 0}};
    static const Preset kTrail{60, 1.0f, true, 0, 0, 0.4f, 0, 0, 1, 1,
                               {60, 60, 60, 60, 60, 60}, {0.1f, 0.08f, 0.06f, 0.04f, 0.02f, 0}, {},
                               {5, 4, 3.5f, 3, 2, 1},    {0.9f, 0.8f, 0.6f, 0.4f, 0.2f, 0}};
    static const Preset kSparkle{30, 1.0f, true, 30, 15, 0.8f, 0, 1, 0.3f, 0.2f,
                                 {15, 15, 15, 15, 15, 15}, {0.06f, 0.06f, 0.06f, 0.06f, 0.06f, 0.06f}, {},
                                 {1, 4, 6, 4, 2, 0},       {0, 1, 1, 1, 0.6f, 0}};
    static const Preset kRising{30, 1.0f, true, 0, 0, 1.5f, 0, 1, 0.25f, 0,
                                {10, 10, 10, 10, 10, 10}, {0.4f, 0.38f, 0.35f, 0.32f, 0.3f, 0.28f},
                                {0.08f, 0.08f, 0.08f, 0.08f, 0.08f, 0.08f}, {3, 4, 5, 6, 7, 8}, {0, 0.8f, 0.7f, 0.5f, 0.25f, 0}};
    switch (kind) {
        case ParticlePresets::Kind::Burst: return kBurst;
        case ParticlePresets::Kind::Trail: return kTrail;
        case ParticlePresets::Kind::Sparkle: return kSparkle;
        case ParticlePresets::Kind::Rising: break;
    }
    return kRising;
}

}  // namespace

ParticleFileWriter::ParticleSystem ParticlePresets::Make(Kind kind, Colour colour, float size) {
    const Preset& preset = PresetOf(kind);
    System system;
    system.gravityOn = 0;
    system.floorOn = 0;
    system.killWhenStopped = 0;
    system.maxParticles = preset.maxParticles;
    system.period = preset.period;
    system.interpolate = preset.interpolate ? 1 : 0;
    if (preset.boxX > 0 || preset.boxY > 0) {
        system.emitterShape = 1;
        system.boxMinimum[0] = -preset.boxX;
        system.boxMinimum[1] = -preset.boxY;
        system.boxMaximum[0] = preset.boxX;
        system.boxMaximum[1] = preset.boxY;
    }
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) {
        system.rate[k] = preset.rate[k];
        system.life[k] = preset.life;
        system.lifeSpread[k] = 0.1f;
        system.directionBase[k][0] = preset.directionX;
        system.directionBase[k][1] = preset.directionY;
        system.directionBase[k][2] = 0;
        system.directionSpread[k][0] = preset.spreadX;
        system.directionSpread[k][1] = preset.spreadY;
        system.directionSpread[k][2] = 0;
        system.speedBase[k] = preset.speedBase[k];
        system.speedSpread[k] = preset.speedSpread[k];
        system.size[k] = preset.size[k] * size;
        system.colour[k][0] = colour.red;
        system.colour[k][1] = colour.green;
        system.colour[k][2] = colour.blue;
        system.colour[k][3] = preset.alpha[k];
    }
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
