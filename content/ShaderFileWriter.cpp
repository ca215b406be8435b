#include "content/ShaderFileWriter.h"

#include "content/VersionedFileWriting.h"

namespace Content {

namespace {

using VersionedFileWriting::Put;
using VersionedFileWriting::PutHead;
using VersionedFileWriting::PutTotalLength;

constexpr std::int32_t kOldVersion = 211;

void PutTextureName(ShaderFileWriter::Bytes& out, const std::string& name) {
    VersionedFileWriting::PutName(out, name, "Shader texture name");
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
    PutTextureName(out, stage.textureName);
    if (oldVersion) PutTextureName(out, stage.secondName);
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
    PutHead(file, "VTSRF", shader.version);
    Put(file, shader.flags);
    for (const auto& colour : shader.colours)
        for (float channel : colour) Put(file, channel);
    for (float value : shader.values) Put(file, value);
    for (std::int32_t factor : shader.blendFactors) Put(file, factor);
    Put(file, static_cast<std::uint32_t>(shader.stages.size()));
    for (const Stage& stage : shader.stages) PutStage(file, stage, shader.version == kOldVersion);

    PutTotalLength(file);
    return file;
}

void ShaderFileWriter::WriteFile(const std::wstring& path, const Shader& shader) {
    VersionedFileWriting::WriteFile(path, Build(shader));
}

}  // namespace Content
