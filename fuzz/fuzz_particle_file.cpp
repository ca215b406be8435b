// Fuzzes the particle file reader: the input is written below the data folder and read
// as a particle file; what it accepts must keep to the bounds the particle system relies
// on (a positive emission period, a pool of at most the largest count).

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/kernel/Error.h"
#include "engine/render/ParticleFileReader.h"
#include "fuzz/file_fuzz_support.h"

namespace {

// The data folder's "fx" folder, where the input goes.
struct ParticleWorkspace : fuzzing::Workspace {
    ParticleWorkspace() {
        CreateFolder("data/fx");
        OpenFileManager();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ParticleWorkspace workspace;
    workspace.WriteFile("data/fx/input.psf", data, size);
    try {
        Vantor::ParticleFileReader::Contents contents;
        Vantor::ParticleFileReader::Read(L"fx\\input.psf", contents);
        if (!(contents.parameters.period > 0.0f)) std::abort();
        if (contents.maxParticles > Vantor::ParticleFileReader::kMaxParticles) std::abort();
    } catch (const Vantor::Error&) {
        // Refused: the particle system manager falls back to the self-made effect.
    }
    workspace.ClearLog();
    return 0;
}
