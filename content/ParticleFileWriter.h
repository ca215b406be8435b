#pragma once
// Writes particle files in the "VTPSF" layout that Vantor::ParticleSystem reads, in
// version 204 or the older 203 (which has no speed-spread keys). Every field is written
// as given, so that the tests can also make files the reader has to refuse.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class ParticleFileWriter {
public:
    using Bytes = std::vector<std::uint8_t>;
    static constexpr int kKeyCount = 6;

    // The fields in file order; the defaults are those of the procedural effect.
    struct ParticleSystem {
        // 203 leaves out the speed spread; every other value writes it.
        std::int32_t version = 204;
        std::uint32_t maxParticles = 100;
        float period = 1.0f;
        // Flags are bytes; any value other than 0 is on.
        std::uint8_t gravityOn = 1;
        float gravity = 1.0f;
        std::uint8_t floorOn = 1;
        float floorZ = -1.0f;
        float bounceDamping = 0.9f;
        std::uint8_t killWhenStopped = 1;
        float stopThreshold = 0.4f;
        std::uint8_t interpolate = 1;
        float rate[kKeyCount] = {10, 10, 10, 10, 10, 10};
        float life[kKeyCount] = {1, 1, 1, 1, 1, 1};
        float lifeSpread[kKeyCount] = {};
        // x, y, z per key.
        float directionBase[kKeyCount][3] = {};
        float directionSpread[kKeyCount][3] = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
        // Red, green, blue, alpha per key.
        float colour[kKeyCount][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1},
                                      {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
        float size[kKeyCount] = {1, 1, 1, 1, 1, 1};
        float speedBase[kKeyCount] = {1, 1, 1, 1, 1, 1};
        float speedSpread[kKeyCount] = {};
        // 0 point, 1 box, 2 path.
        std::uint32_t emitterShape = 0;
        float boxMinimum[3] = {-0.5f, -0.5f, -0.5f};
        float boxMaximum[3] = {0.5f, 0.5f, 0.5f};
    };

    // The whole file.
    static Bytes Build(const ParticleSystem& system);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, const ParticleSystem& system);
};

}  // namespace Content
