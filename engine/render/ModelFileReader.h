#pragma once
// Reads a model file ("VTMLF", versions 201 and 202) into plain data: the head (length,
// magic, version, flags), the frames, the skeleton with its key frames, the indices,
// the vertices in the layout the flags choose, and the boxes. Every count is checked
// against the bytes the file has left before anything is allocated for it, and every
// index and bone number must lie within what the file declares, so that a model made
// from the contents never reads outside its arrays.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/BoundingBox.h"
#include "engine/render/Skeleton.h"
#include "engine/render/SkinVertex.h"
#include "engine/render/VersionedFileReader.h"
#include "engine/render/Vertex.h"

namespace Vantor {

// How the file stores the vertices: by the first of the flags 1, 2, 4 that is set.
enum class ModelVertexLayout {
    kNone,       // no vertex records
    kStatic,     // one record per vertex
    kKeyFrames,  // one record per vertex and frame, frame-major
    kSkinned,    // texture coordinates and bone influences per vertex
};

struct ModelFileContents {
    // The file's flags OR the caller's; 0x200000 when that is 0.
    std::uint32_t flags = 0;
    ModelVertexLayout layout = ModelVertexLayout::kNone;
    // 1 (speed 0) unless the flags animate the model.
    std::uint32_t frameCount = 1;
    float speed = 0.0f;
    // Skinned models (flag 4): the bones as the file gives them, and
    // bone count x frame count x Skeleton::kKeyValues key values.
    std::unique_ptr<Skeleton> skeleton;
    std::vector<float> keyFrames;
    // Every index is below the vertex count.
    std::vector<std::uint32_t> indices;
    std::uint32_t vertexCount = 0;
    // kStatic: the vertices; kKeyFrames: frame count x vertex count records; kSkinned:
    // one record per vertex holding its texture coordinates only.
    std::vector<Vertex> vertices;
    // kSkinned: one per vertex, every bone index below the bone count.
    std::vector<SkinVertex> skinVertices;
    // One per frame with flag 2, else one.
    std::vector<BoundingBox> boxes;
};

class ModelFileReader : private VersionedFileReader {
public:
    static constexpr std::int32_t kVersion = 202;
    static constexpr std::int32_t kOldVersion = 201;
    // Files up to this size are read whole into memory.
    static constexpr std::uint32_t kCacheLimit = 0x800000;

    // Opens the file (its name relative to the data folder) and reads it. A file that
    // cannot be opened or read or whose content is broken is logged and thrown as Error
    // with the same text; the texts name the file as given.
    static void Read(const std::wstring& fileName, std::uint32_t callerFlags, ModelFileContents& contents);
    // Reads an open stream, throwing FileError for the same faults (not logged);
    // fileName only names the file in the error texts.
    static void Read(FileBinary& file, const std::wstring& fileName, std::uint32_t callerFlags,
                     ModelFileContents& contents);

    static ModelVertexLayout LayoutOf(std::uint32_t flags);

private:
    ModelFileReader(FileBinary& file, const std::wstring& fileName, ModelFileContents& contents);

    void ReadFlags(std::uint32_t callerFlags);
    void ReadFrames();
    void ReadSkeleton();
    void ReadBone(Bone& bone);
    void ReadIndices(std::uint32_t indexCount);
    void ReadVertices();
    void ReadStaticVertices(std::uint64_t recordCount);
    void ReadSkinnedVertices();
    void ReadBoxes();
    Vector3 ReadVector();

    // Throws unless the file has `bytes` left for `count` entries of `what`.
    void RequireBytes(std::uint64_t count, std::uint64_t bytesEach, const char* what) const;

    ModelFileContents& contents_;
};

}  // namespace Vantor
