#pragma once
// Reads a particle file ("VTPSF", versions 203 and 204): total length, magic, version,
// the pool size, the parameter block and the emitter's shape and box. Version 203 has
// no speed-spread keys (they stay 0).

#include <cstdint>
#include <string>

#include "engine/kernel/Vector3.h"
#include "engine/render/ParticleParameters.h"
#include "engine/render/VersionedFileReader.h"

namespace Vantor {

class ParticleFileReader : private VersionedFileReader {
public:
    static constexpr std::int32_t kVersion = 204;
    static constexpr std::int32_t kOldVersion = 203;
    // Files up to this size are read whole into memory.
    static constexpr std::uint32_t kCacheLimit = 8 * 1024 * 1024;
    // The pool, the sprites and their vertices are all sized to the particle count.
    static constexpr std::uint32_t kMaxParticles = 10000;

    struct Contents {
        std::uint32_t maxParticles = 0;
        ParticleParameters parameters;
        std::int32_t emitterShape = 0;
        Vector3 boxMinimum;
        Vector3 boxMaximum;
    };

    // The file name is relative to the data folder. A file that cannot be read or is
    // broken (an emission period of 0 or less, or more than kMaxParticles particles,
    // included) is logged and thrown as Error with the same text.
    static void Read(const std::wstring& fileName, Contents& contents);

private:
    ParticleFileReader(const std::wstring& fileName, Contents& contents, FileBinary& file);

    void ReadBody();
    bool ReadFlag();
    void ReadKeys(float (&keys)[ParticleParameters::kKeyCount]);
    void ReadKeys(Vector3 (&keys)[ParticleParameters::kKeyCount]);
    Vector3 ReadVector();

    Contents& contents_;
};

}  // namespace Vantor
