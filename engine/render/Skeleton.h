#pragma once
// The bone set of a skinned model. For two key frames and a blend factor it poses every
// bone (position, rotation, scale and the matrices skinning reads) and finds the box
// that encloses the pose.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/render/Bone.h"
#include "engine/render/BoundingBox.h"

namespace Vantor {

class Skeleton {
public:
    // Floats per bone and frame in the key frames: position xyz, rotation xyzw, scale xyz.
    static constexpr std::size_t kKeyValues = 10;

    // Bones with identity rotation, zero pivot and no name; box -0.5..0.5 on every axis.
    explicit Skeleton(std::uint16_t boneCount);
    Skeleton(const Skeleton& other) = default;
    Skeleton& operator=(const Skeleton&) = delete;
    virtual ~Skeleton() = default;

    std::uint16_t GetBoneCount() const { return static_cast<std::uint16_t>(bones_.size()); }
    // The caller keeps the index below the bone count.
    Bone* GetBone(std::uint16_t index) { return &bones_[index]; }
    const BoundingBox& GetBoundingBox() const { return boundingBox_; }

    // Poses every bone between frame A and frame B (blend 0 shows A, 1 shows B) and
    // recomputes the box. The key frames hold kKeyValues floats per bone and frame,
    // frame-major: bone b of frame f starts at (f x bone count + b) x kKeyValues; both
    // frames must lie within them.
    void SetPose(const float* keyFrames, std::uint32_t frameA, std::uint32_t frameB, float blend);

private:
    std::vector<Bone> bones_;
    BoundingBox boundingBox_;
};

}  // namespace Vantor
