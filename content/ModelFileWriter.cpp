#include "content/ModelFileWriter.h"

#include "content/VersionedFileWriting.h"

namespace Content {

namespace {

using VersionedFileWriting::Put;
using VersionedFileWriting::PutHead;
using VersionedFileWriting::PutTotalLength;

constexpr std::uint32_t kOldVersion = 201;
constexpr std::size_t kMaxNarrowIndexCount = 0xFFFF;

void PutVector(ModelFileWriter::Bytes& out, const float (&xyz)[3]) {
    for (float value : xyz) Put(out, value);
}

void PutSkeleton(ModelFileWriter::Bytes& out, const ModelFileWriter::Model& model) {
    Put(out, static_cast<std::uint16_t>(model.bones.size()));
    for (const ModelFileWriter::Bone& bone : model.bones) {
        out.push_back(bone.excludeFromBounds ? 1 : 0);
        VersionedFileWriting::PutName(out, bone.name, "Bone name");
        if (model.version != kOldVersion) PutVector(out, bone.pivot);
        PutVector(out, bone.boxMinimum);
        PutVector(out, bone.boxMaximum);
        Put(out, bone.values[0]);
        Put(out, bone.values[1]);
    }
    if (!model.bones.empty())
        for (float value : model.keyValues) Put(out, value);
}

void PutVertices(ModelFileWriter::Bytes& out, const ModelFileWriter::Model& model) {
    const bool plainRecords = (model.flags & 0x1) || (model.flags & 0x2);
    if (!plainRecords && !(model.flags & 0x4)) return;
    for (const ModelFileWriter::Vertex& vertex : model.vertices) {
        Put(out, vertex.u);
        Put(out, vertex.v);
        if (plainRecords) {
            PutVector(out, vertex.normal);
            PutVector(out, vertex.position);
            continue;
        }
        Put(out, static_cast<std::uint16_t>(vertex.influences.size()));
        for (const ModelFileWriter::Influence& influence : vertex.influences) {
            Put(out, influence.bone);
            Put(out, influence.weight);
            PutVector(out, influence.normal);
            PutVector(out, influence.position);
        }
    }
}

}  // namespace

ModelFileWriter::Bytes ModelFileWriter::Build(const Model& model) {
    Bytes file;
    PutHead(file, "VTMLF", model.version);
    Put(file, model.flags);
    if (model.flags & (0x2 | 0x4)) {
        Put(file, model.frameCount);
        Put(file, model.speed);
    }
    if (model.flags & 0x4) PutSkeleton(file, model);

    Put(file, static_cast<std::uint32_t>(model.indices.size()));
    Put(file, model.vertexCount);
    const bool narrow = model.indices.size() <= kMaxNarrowIndexCount;
    for (std::uint32_t index : model.indices) {
        if (narrow)
            Put(file, static_cast<std::uint16_t>(index));
        else
            Put(file, index);
    }
    PutVertices(file, model);
    for (const Box& box : model.boxes) {
        PutVector(file, box.minimum);
        PutVector(file, box.maximum);
    }

    PutTotalLength(file);
    return file;
}

void ModelFileWriter::WriteFile(const std::wstring& path, const Model& model) {
    VersionedFileWriting::WriteFile(path, Build(model));
}

}  // namespace Content
