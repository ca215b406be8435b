// Fuzzes the model file reader: the input is read from memory as a model file, once as
// the file's own flags ask and once with key frames added by the caller. What it
// yields must stay inside its own arrays: every index below the vertex count, every
// bone number below the bone count, the records sized for the frames, and the skeleton
// poses at each frame and the frame boxes blend without leaving the key frames.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/render/ModelFileReader.h"
#include "engine/render/ModelFlags.h"

namespace {

using Vantor::ModelFileContents;
using Vantor::ModelVertexLayout;

void Check(bool condition) {
    if (!condition) std::abort();
}

// Every frame the animation could show, at most a few.
constexpr std::uint32_t kFramesPosed = 4;

void CheckContents(ModelFileContents& contents) {
    const std::uint64_t frames = contents.frameCount;
    const std::uint64_t vertices = contents.vertexCount;
    Check(frames >= 1);
    for (std::uint32_t index : contents.indices) Check(index < contents.vertexCount);
    switch (contents.layout) {
        case ModelVertexLayout::kStatic:
            Check(contents.vertices.size() == vertices);
            break;
        case ModelVertexLayout::kKeyFrames:
            Check(contents.vertices.size() == frames * vertices);
            break;
        case ModelVertexLayout::kSkinned:
            Check(contents.vertices.size() == vertices && contents.skinVertices.size() == vertices);
            for (const Vantor::SkinVertex& skin : contents.skinVertices) {
                Check(skin.influenceCount <= Vantor::SkinVertex::kMaxInfluences);
                for (std::uint16_t i = 0; i < skin.influenceCount; ++i)
                    Check(skin.influences[i].boneIndex < contents.skeleton->GetBoneCount());
            }
            break;
        case ModelVertexLayout::kNone:
            Check(vertices == 0 && contents.vertices.empty());
            break;
    }
    const bool keyFrames = (contents.flags & Vantor::ModelFlags::kKeyFrames) != 0;
    Check(contents.boxes.size() == (keyFrames ? frames : 1));
    Vantor::BoundingBox box;
    for (std::uint32_t f = 0; f + 1 < std::min<std::uint64_t>(contents.boxes.size(), kFramesPosed); ++f)
        Vantor::BoundingBox::Interpolate(box, contents.boxes[f], contents.boxes[f + 1], 0.5f);

    if (contents.skeleton) {
        const std::uint64_t bones = contents.skeleton->GetBoneCount();
        Check(contents.keyFrames.size() == bones * frames * Vantor::Skeleton::kKeyValues);
        for (std::uint32_t f = 0; f < std::min<std::uint64_t>(frames, kFramesPosed); ++f)
            contents.skeleton->SetPose(contents.keyFrames.data(), 0, f, 0.5f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::uint8_t kEmpty = 0;
    for (std::uint32_t callerFlags : {0u, Vantor::ModelFlags::kKeyFrames}) {
        // A memory stream, never a disk file, even for an empty input.
        Vantor::FileBinary file(L"models\\input.mlf", 0, 0, static_cast<std::uint32_t>(size), size ? data : &kEmpty,
                                false);
        ModelFileContents contents;
        try {
            Vantor::ModelFileReader::Read(file, file.GetPath(), callerFlags, contents);
        } catch (const Vantor::Error&) {
            // Refused: the model manager puts a box in its place.
            continue;
        }
        CheckContents(contents);
    }
    return 0;
}
