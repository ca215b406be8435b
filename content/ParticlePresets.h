#pragma once
// The particle effects the data set is made of, in GUI units (the effects play in the
// plane of the screen, so gravity and the floor, which act along z, are off):
// - burst: one emission of particles flying out and fading (clicks, rewards);
// - trail: a steady stream of short-lived particles that stay where they are born;
// - sparkle: particles twinkling inside an emitter box of 60 x 30 units (hints);
// - rising: particles drifting upwards and fading (steam, joy).

#include <string>

#include "content/ParticleFileWriter.h"

namespace Content {

class ParticlePresets {
public:
    enum class Kind { Burst, Trail, Sparkle, Rising };
    struct Colour {
        float red = 1, green = 1, blue = 1;
    };

    // Size scales every particle (1: about 10 units across).
    static ParticleFileWriter::ParticleSystem Make(Kind kind, Colour colour, float size = 1.0f);
    // "burst", "trail", "sparkle", "rising"; throws Vantor::Error for another name.
    static Kind KindNamed(const std::string& name);
};

}  // namespace Content
