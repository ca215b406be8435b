#include "content/ParticleFileWriter.h"

#include <bit>
#include <cstring>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"

namespace Content {

namespace {

constexpr std::int32_t kOldVersion = 203;

template <typename Value>
void Put(ParticleFileWriter::Bytes& out, Value value) {
    static_assert(std::endian::native == std::endian::little, "the file's numbers are little-endian");
    std::uint8_t bytes[sizeof(Value)];
    std::memcpy(bytes, &value, sizeof(Value));
    out.insert(out.end(), bytes, bytes + sizeof(Value));
}

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
    Put(file, std::uint32_t{0});  // the total length, filled in at the end
    for (char c : std::string("VTPSF")) file.push_back(static_cast<std::uint8_t>(c));
    Put(file, system.version);
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

    const auto length = static_cast<std::uint32_t>(file.size());
    std::memcpy(file.data(), &length, sizeof(length));
    return file;
}

void ParticleFileWriter::WriteFile(const std::wstring& path, const ParticleSystem& system) {
    const Bytes bytes = Build(system);
    Vantor::FileManager::CreateFolders(Vantor::FileManager::GetAbsolutePath(path));
    Vantor::FileBinary file(path, 1);
    file.Write(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace Content
