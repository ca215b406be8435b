#include "engine/render/ParticleFileReader.h"

#include <bit>
#include <cstring>
#include <memory>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"

namespace Vantor {

namespace {

constexpr char kMagic[5] = {'V', 'T', 'P', 'S', 'F'};

}  // namespace

void ParticleFileReader::Read(const std::wstring& fileName, Contents& contents) {
    try {
        const FileManager& files = *FileManager::Instance();
        const std::unique_ptr<FileBinary> file(files.OpenFile(files.GetDataPath(fileName), false, kCacheLimit, 0));
        ParticleFileReader reader(fileName, contents, *file);
        reader.ReadHead();
        reader.ReadBody();
    } catch (const FileError& error) {
        if (MessageManager* log = MessageManager::Instance()) log->PrintError(error.GetText());
        throw Error(error.GetText());
    }
}

ParticleFileReader::ParticleFileReader(const std::wstring& fileName, Contents& contents, FileBinary& file)
    : fileName_(fileName), contents_(contents), file_(file) {}

template <typename Value>
Value ParticleFileReader::ReadValue() {
    static_assert(std::endian::native == std::endian::little, "the file's numbers are little-endian");
    Value value{};
    file_.Read(&value, sizeof(Value), 1);
    return value;
}

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

std::string ParticleFileReader::FormatErrorText() const {
    return "Incorrect \"" + ToNarrow(fileName_) + "\" file format";
}

void ParticleFileReader::ReadHead() {
    const std::uint32_t length = ReadValue<std::uint32_t>();
    char magic[sizeof(kMagic)];
    file_.Read(magic, 1, sizeof(magic));
    if (length != file_.GetSize() || std::memcmp(magic, kMagic, sizeof(kMagic)) != 0)
        throw FileError(FormatErrorText());
    version_ = ReadValue<std::int32_t>();
    if (version_ != kVersion && version_ != kOldVersion)
        throw FileError("Incorrect \"" + ToNarrow(fileName_) + "\" format version, current is " +
                        ToString(kVersion, 0));
}

void ParticleFileReader::ReadBody() {
    // The pool and the sprite group are sized to the count once, whatever it is.
    contents_.maxParticles = ReadValue<std::uint32_t>();
    if (contents_.maxParticles > kMaxParticles)
        throw FileError(FormatErrorText() + ": " + ToString(contents_.maxParticles, 0) + " particles, at most " +
                        ToString(kMaxParticles, 0));

    ParticleParameters& p = contents_.parameters;
    p.period = ReadValue<float>();
    // A looping cycle that never reaches its end would emit nothing and wrap forever.
    if (!(p.period > 0.0f))
        throw FileError(FormatErrorText() + ": emission period " + ToString(p.period, 6) + " is not above 0");
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
