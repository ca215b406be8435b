#include "content/ModelFileWriter.h"

#include <bit>
#include <cstring>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileManager.h"

namespace Content {

namespace {

constexpr std::uint32_t kOldVersion = 201;
constexpr std::size_t kMaxNameLength = 254;
constexpr std::size_t kMaxNarrowIndexCount = 0xFFFF;

template <typename Value>
void Put(ModelFileWriter::Bytes& out, Value value) {
    static_assert(std::endian::native == std::endian::little, "the file's numbers are little-endian");
    std::uint8_t bytes[sizeof(Value)];
    std::memcpy(bytes, &value, sizeof(Value));
    out.insert(out.end(), bytes, bytes + sizeof(Value));
}

void PutVector(ModelFileWriter::Bytes& out, const float (&xyz)[3]) {
    for (float value : xyz) Put(out, value);
}

void PutName(ModelFileWriter::Bytes& out, const std::string& name) {
    if (name.size() > kMaxNameLength) throw Vantor::Error("Bone name longer than 254 characters: " + name);
    out.push_back(static_cast<std::uint8_t>(name.size() + 1));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

void PutSkeleton(ModelFileWriter::Bytes& out, const ModelFileWriter::Model& model) {
    Put(out, static_cast<std::uint16_t>(model.bones.size()));
    for (const ModelFileWriter::Bone& bone : model.bones) {
        out.push_back(bone.excludeFromBounds ? 1 : 0);
        PutName(out, bone.name);
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
    Put(file, std::uint32_t{0});  // the total length, filled in at the end
    for (char c : std::string("VTMLF")) file.push_back(static_cast<std::uint8_t>(c));
    Put(file, model.version);
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

    const auto length = static_cast<std::uint32_t>(file.size());
    std::memcpy(file.data(), &length, sizeof(length));
    return file;
}

void ModelFileWriter::WriteFile(const std::wstring& path, const Model& model) {
    const Bytes bytes = Build(model);
    Vantor::FileManager::CreateFolders(Vantor::FileManager::GetAbsolutePath(path));
    Vantor::FileBinary file(path, 1);
    file.Write(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace Content
