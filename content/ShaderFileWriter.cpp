#include "content/ShaderFileWriter.h"

#include <bit>
#include <cstring>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"

namespace Content {

namespace {

constexpr std::int32_t kOldVersion = 211;
constexpr std::size_t kMaxNameLength = 254;

template <typename Value>
void Put(ShaderFileWriter::Bytes& out, Value value) {
    static_assert(std::endian::native == std::endian::little, "the file's numbers are little-endian");
    std::uint8_t bytes[sizeof(Value)];
    std::memcpy(bytes, &value, sizeof(Value));
    out.insert(out.end(), bytes, bytes + sizeof(Value));
}

// One length byte counting the terminator, the characters, a 0 byte.
void PutName(ShaderFileWriter::Bytes& out, const std::string& name) {
    if (name.size() > kMaxNameLength) throw Vantor::Error("Shader texture name longer than 254 characters: " + name);
    out.push_back(static_cast<std::uint8_t>(name.size() + 1));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

void PutStage(ShaderFileWriter::Bytes& out, const ShaderFileWriter::Stage& stage, bool oldVersion) {
    Put(out, stage.flags);
    Put(out, stage.kind);
    if (stage.kind != 0) {
        Put(out, stage.frames);
        Put(out, stage.speed);
    }
    if (stage.kind == 1) {
        Put(out, stage.columns);
        Put(out, stage.rows);
    }
    PutName(out, stage.textureName);
    if (oldVersion) PutName(out, stage.secondName);
    Put(out, stage.addressU);
    Put(out, stage.addressV);
    Put(out, stage.scaleU);
    Put(out, stage.scaleV);
    Put(out, stage.offsetU);
    Put(out, stage.offsetV);
}

}  // namespace

ShaderFileWriter::Bytes ShaderFileWriter::Build(const Shader& shader) {
    Bytes file;
    Put(file, std::uint32_t{0});  // the total length, filled in at the end
    for (char c : std::string("VTSRF")) file.push_back(static_cast<std::uint8_t>(c));
    Put(file, shader.version);
    Put(file, shader.flags);
    for (const auto& colour : shader.colours)
        for (float channel : colour) Put(file, channel);
    for (float value : shader.values) Put(file, value);
    for (std::int32_t factor : shader.blendFactors) Put(file, factor);
    Put(file, static_cast<std::uint32_t>(shader.stages.size()));
    for (const Stage& stage : shader.stages) PutStage(file, stage, shader.version == kOldVersion);

    const auto length = static_cast<std::uint32_t>(file.size());
    std::memcpy(file.data(), &length, sizeof(length));
    return file;
}

void ShaderFileWriter::WriteFile(const std::wstring& path, const Shader& shader) {
    const Bytes bytes = Build(shader);
    Vantor::FileManager::CreateFolders(Vantor::FileManager::GetAbsolutePath(path));
    Vantor::FileBinary file(path, 1);
    file.Write(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace Content
