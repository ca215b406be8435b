#include "content/ParticleFileWriter.h"

#include "content/VersionedFileWriting.h"

namespace Content {

namespace {

using VersionedFileWriting::Put;
using VersionedFileWriting::PutHead;
using VersionedFileWriting::PutTotalLength;

constexpr std::int32_t kOldVersion = 203;

template <typename Value, std::size_t N>
void PutAll(ParticleFileWriter::Bytes& out, const Value (&values)[N]) {
    for (const Value& value : values) Put(out, value);
}

template <std::size_t N, std::size_t M>
void PutAll(ParticleFileWriter::Bytes& out, const float (&rows)[N][M]) {
    for (const auto& row : rows) PutAll(out, row);
}

}  // namespace

ParticleFileWriter::Bytes ParticleFileWriter::Build(const ParticleSystem& system) {
    Bytes file;
    PutHead(file, "VTPSF", system.version);
    Put(file, system.maxParticles);
    Put(file, system.period);
    Put(file, system.gravityOn);
    Put(file, system.gravity);
    Put(file, system.floorOn);
    Put(file, system.floorZ);
    Put(file, system.bounceDamping);
    Put(file, system.killWhenStopped);
    Put(file, system.stopThreshold);
    Put(file, system.interpolate);
    PutAll(file, system.rate);
    PutAll(file, system.life);
    PutAll(file, system.lifeSpread);
    PutAll(file, system.directionBase);
    PutAll(file, system.directionSpread);
    PutAll(file, system.colour);
    PutAll(file, system.size);
    PutAll(file, system.speedBase);
    if (system.version != kOldVersion) PutAll(file, system.speedSpread);
    Put(file, system.emitterShape);
    PutAll(file, system.boxMinimum);
    PutAll(file, system.boxMaximum);

    PutTotalLength(file);
    return file;
}

void ParticleFileWriter::WriteFile(const std::wstring& path, const ParticleSystem& system) {
    VersionedFileWriting::WriteFile(path, Build(system));
}

}  // namespace Content
