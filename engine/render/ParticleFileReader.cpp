#include "engine/render/ParticleFileReader.h"

#include "engine/kernel/StringHelpers.h"

namespace Vantor {

namespace {

constexpr char kMagic[5] = {'V', 'T', 'P', 'S', 'F'};

}  // namespace

void ParticleFileReader::Read(const std::wstring& fileName, Contents& contents) {
    ReadDataFile(fileName, kCacheLimit, [&](FileBinary& file) {
        ParticleFileReader reader(fileName, contents, file);
        reader.ReadHead(kMagic, kVersion, kOldVersion);
        reader.ReadBody();
    });
}

ParticleFileReader::ParticleFileReader(const std::wstring& fileName, Contents& contents, FileBinary& file)
    : VersionedFileReader(file, fileName), contents_(contents) {}

bool ParticleFileReader::ReadFlag() { return ReadValue<std::uint8_t>() != 0; }

void ParticleFileReader::ReadKeys(float (&keys)[ParticleParameters::kKeyCount]) {
    for (float& key : keys) key = ReadValue<float>();
}

void ParticleFileReader::ReadKeys(Vector3 (&keys)[ParticleParameters::kKeyCount]) {
    for (Vector3& key : keys) key = ReadVector();
}

Vector3 ParticleFileReader::ReadVector() {
    Vector3 vector;
    vector.x = ReadValue<float>();
    vector.y = ReadValue<float>();
    vector.z = ReadValue<float>();
    return vector;
}

void ParticleFileReader::ReadBody() {
    // The pool and the sprite group are sized to the count once, whatever it is.
    contents_.maxParticles = ReadValue<std::uint32_t>();
    if (contents_.maxParticles > kMaxParticles)
        FormatError(ToString(contents_.maxParticles, 0) + " particles, at most " + ToString(kMaxParticles, 0));

    ParticleParameters& p = contents_.parameters;
    p.period = ReadValue<float>();
    // A looping cycle that never reaches its end would emit nothing and wrap forever.
    if (!(p.period > 0.0f))
        FormatError("emission period " + ToString(p.period, 6) + " is not above 0");
    p.gravityOn = ReadFlag();
    p.gravity = ReadValue<float>();
    p.floorOn = ReadFlag();
    p.floorZ = ReadValue<float>();
    p.bounceDamping = ReadValue<float>();
    p.killWhenStopped = ReadFlag();
    p.stopThreshold = ReadValue<float>();
    p.interpolate = ReadFlag();

    ReadKeys(p.rate);
    ReadKeys(p.life);
    ReadKeys(p.lifeSpread);
    ReadKeys(p.directionBase);
    ReadKeys(p.directionSpread);
    for (Color& colour : p.colour) {
        colour.x = ReadValue<float>();
        colour.y = ReadValue<float>();
        colour.z = ReadValue<float>();
        colour.w = ReadValue<float>();
    }
    ReadKeys(p.size);
    ReadKeys(p.speedBase);
    if (version_ == kVersion)
        ReadKeys(p.speedSpread);
    else
        for (float& key : p.speedSpread) key = 0.0f;

    contents_.emitterShape = static_cast<std::int32_t>(ReadValue<std::uint32_t>());
    contents_.boxMinimum = ReadVector();
    contents_.boxMaximum = ReadVector();
}

}  // namespace Vantor
