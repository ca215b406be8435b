#include "engine/render/ModelFileReader.h"

#include <algorithm>
#include <limits>
#include <cstring>

#include "engine/kernel/FileBinary.h"
#include "engine/render/ModelFlags.h"

namespace Vantor {

namespace {

constexpr char kMagic[5] = {'V', 'T', 'M', 'L', 'F'};

// Bytes of the records whose counts the file gives.
constexpr std::uint64_t kVertexRecordBytes = 32;      // u, v, normal, position
constexpr std::uint64_t kSkinVertexMinBytes = 10;     // u, v, influence count
constexpr std::uint64_t kInfluenceBytes = 30;         // bone, weight, normal, position
constexpr std::uint64_t kBoxBytes = 24;               // minimum, maximum
constexpr std::uint64_t kKeyValueBytes = 4;
// Exclude flag, name length byte, box, two u16 values; version 202 adds the pivot.
constexpr std::uint64_t kBoneMinBytes = 30;
constexpr std::uint64_t kPivotBytes = 12;
constexpr std::uint32_t kMaxNarrowIndexCount = 0xFFFF;

std::string Count(std::uint64_t value) { return std::to_string(value); }

}  // namespace

ModelVertexLayout ModelFileReader::LayoutOf(std::uint32_t flags) {
    if (flags & ModelFlags::kStatic) return ModelVertexLayout::kStatic;
    if (flags & ModelFlags::kKeyFrames) return ModelVertexLayout::kKeyFrames;
    if (flags & ModelFlags::kSkinned) return ModelVertexLayout::kSkinned;
    return ModelVertexLayout::kNone;
}

void ModelFileReader::Read(const std::wstring& fileName, std::uint32_t callerFlags, ModelFileContents& contents) {
    ReadDataFile(fileName, kCacheLimit, [&](FileBinary& file) { Read(file, fileName, callerFlags, contents); });
}

void ModelFileReader::Read(FileBinary& file, const std::wstring& fileName, std::uint32_t callerFlags,
                           ModelFileContents& contents) {
    ModelFileReader reader(file, fileName, contents);
    reader.ReadHead(kMagic, kVersion, kOldVersion);
    reader.ReadFlags(callerFlags);
    reader.ReadFrames();
    if (contents.flags & ModelFlags::kSkinned) reader.ReadSkeleton();
    const std::uint32_t indexCount = reader.ReadValue<std::uint32_t>();
    contents.vertexCount = reader.ReadValue<std::uint32_t>();
    reader.ReadIndices(indexCount);
    reader.ReadVertices();
    reader.ReadBoxes();
}

ModelFileReader::ModelFileReader(FileBinary& file, const std::wstring& fileName, ModelFileContents& contents)
    : VersionedFileReader(file, fileName), contents_(contents) {}

Vector3 ModelFileReader::ReadVector() {
    float xyz[3];
    file_.Read(xyz, sizeof(float), 3);
    return {xyz[0], xyz[1], xyz[2]};
}

void ModelFileReader::RequireBytes(std::uint64_t count, std::uint64_t bytesEach, const char* what) const {
    const std::uint64_t left = file_.GetSize() - std::min(file_.GetPosition(), file_.GetSize());
    // Compared by division: a count read from the file times the record size can overflow.
    if (count > left / bytesEach) {
        const std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
        const std::uint64_t bytes = count > most / bytesEach ? most : count * bytesEach;
        FormatError(Count(count) + " " + what + " need " + Count(bytes) + " bytes, " + Count(left) + " are left");
    }
}

void ModelFileReader::ReadFlags(std::uint32_t callerFlags) {
    contents_.flags = ReadValue<std::uint32_t>() | callerFlags;
    if (contents_.flags == 0) contents_.flags = ModelFlags::kVertexBufferKind;
    contents_.layout = LayoutOf(contents_.flags);
}

void ModelFileReader::ReadFrames() {
    if (!(contents_.flags & (ModelFlags::kKeyFrames | ModelFlags::kSkinned))) return;
    contents_.frameCount = ReadValue<std::uint32_t>();
    contents_.speed = ReadValue<float>();
    // The update shows frames 0 to count - 1 of the boxes, vertices and key frames.
    if (contents_.frameCount == 0) FormatError("an animated model without frames");
}

void ModelFileReader::ReadSkeleton() {
    const std::uint16_t boneCount = ReadValue<std::uint16_t>();
    const std::uint64_t boneBytes = kBoneMinBytes + (version_ == kVersion ? kPivotBytes : 0);
    RequireBytes(boneCount, boneBytes, "bones");
    contents_.skeleton = std::make_unique<Skeleton>(boneCount);
    for (std::uint16_t i = 0; i < boneCount; ++i) ReadBone(*contents_.skeleton->GetBone(i));

    const std::uint64_t keyCount = std::uint64_t{boneCount} * contents_.frameCount * Skeleton::kKeyValues;
    if (keyCount == 0) return;
    RequireBytes(keyCount, kKeyValueBytes, "key values");
    contents_.keyFrames.resize(keyCount);
    file_.Read(contents_.keyFrames.data(), sizeof(float), static_cast<std::uint32_t>(keyCount));
}

void ModelFileReader::ReadBone(Bone& bone) {
    bone.excludeFromBounds = ReadValue<std::uint8_t>() != 0;
    char name[256];
    file_.ReadString(name);
    bone.name = name;
    if (version_ == kVersion) bone.pivot = ReadVector();
    const Vector3 minimum = ReadVector();
    const Vector3 maximum = ReadVector();
    bone.boundingBox.SetMinMax(minimum, maximum);
    bone.fileValues[0] = ReadValue<std::uint16_t>();
    bone.fileValues[1] = ReadValue<std::uint16_t>();
}

void ModelFileReader::ReadIndices(std::uint32_t indexCount) {
    const bool narrow = indexCount <= kMaxNarrowIndexCount;
    RequireBytes(indexCount, narrow ? 2 : 4, "indices");
    if (narrow) {
        std::vector<std::uint16_t> stored(indexCount);
        file_.Read(stored.data(), sizeof(std::uint16_t), indexCount);
        contents_.indices.assign(stored.begin(), stored.end());
    } else {
        contents_.indices.resize(indexCount);
        file_.Read(contents_.indices.data(), sizeof(std::uint32_t), indexCount);
    }
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        if (contents_.indices[i] >= contents_.vertexCount)
            FormatError("index " + Count(i) + " is " + Count(contents_.indices[i]) + ", not below the vertex count " +
                        Count(contents_.vertexCount));
    }
}

void ModelFileReader::ReadVertices() {
    switch (contents_.layout) {
        case ModelVertexLayout::kStatic:
            ReadStaticVertices(contents_.vertexCount);
            break;
        case ModelVertexLayout::kKeyFrames:
            ReadStaticVertices(std::uint64_t{contents_.frameCount} * contents_.vertexCount);
            break;
        case ModelVertexLayout::kSkinned:
            ReadSkinnedVertices();
            break;
        case ModelVertexLayout::kNone:
            // Nothing would fill them: such a file can only describe an empty model.
            if (contents_.vertexCount != 0)
                FormatError(Count(contents_.vertexCount) + " vertices without vertex records (flags 1, 2 or 4)");
            break;
    }
}

void ModelFileReader::ReadStaticVertices(std::uint64_t recordCount) {
    RequireBytes(recordCount, kVertexRecordBytes, "vertex records");
    contents_.vertices.resize(recordCount);
    for (Vertex& vertex : contents_.vertices) {
        float record[8];
        file_.Read(record, sizeof(float), 8);
        vertex.u = record[0];
        vertex.v = record[1];
        std::memcpy(vertex.normal, record + 2, sizeof(vertex.normal));
        std::memcpy(vertex.position, record + 5, sizeof(vertex.position));
    }
}

void ModelFileReader::ReadSkinnedVertices() {
    const std::uint32_t count = contents_.vertexCount;
    const std::uint16_t boneCount = contents_.skeleton->GetBoneCount();
    RequireBytes(count, kSkinVertexMinBytes, "skinned vertices");
    contents_.vertices.resize(count);
    contents_.skinVertices.resize(count);
    for (std::uint32_t v = 0; v < count; ++v) {
        Vertex& vertex = contents_.vertices[v];
        vertex.u = ReadValue<float>();
        vertex.v = ReadValue<float>();
        SkinVertex& skin = contents_.skinVertices[v];
        const std::uint16_t influenceCount = ReadValue<std::uint16_t>();
        if (influenceCount > SkinVertex::kMaxInfluences)
            FormatError("vertex " + Count(v) + " has " + Count(influenceCount) + " bone influences, at most " +
                        Count(SkinVertex::kMaxInfluences));
        RequireBytes(influenceCount, kInfluenceBytes, "bone influences");
        skin.influenceCount = influenceCount;
        for (std::uint16_t i = 0; i < influenceCount; ++i) {
            SkinInfluence& influence = skin.influences[i];
            influence.boneIndex = ReadValue<std::uint16_t>();
            if (influence.boneIndex >= boneCount)
                FormatError("vertex " + Count(v) + " names bone " + Count(influence.boneIndex) + " of " +
                            Count(boneCount));
            influence.weight = ReadValue<float>();
            influence.normal = ReadVector();
            influence.position = ReadVector();
        }
    }
}

void ModelFileReader::ReadBoxes() {
    const std::uint64_t boxCount = (contents_.flags & ModelFlags::kKeyFrames) ? contents_.frameCount : 1;
    RequireBytes(boxCount, kBoxBytes, "boxes");
    contents_.boxes.resize(boxCount);
    for (BoundingBox& box : contents_.boxes) {
        const Vector3 minimum = ReadVector();
        const Vector3 maximum = ReadVector();
        box.SetMinMax(minimum, maximum);
    }
}

}  // namespace Vantor
