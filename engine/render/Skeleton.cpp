#include "engine/render/Skeleton.h"

#include <algorithm>

#include "engine/kernel/MathHelpers.h"

namespace Vantor {

namespace {

// Start of the scan for the pose's box; every world coordinate lies within it.
constexpr float kWorldBound = 100000.0f;

struct KeyRecord {
    Vector3 position;
    Quaternion rotation;
    Vector3 scale;
};

KeyRecord ReadKey(const float* k) {
    return {{k[0], k[1], k[2]}, {k[3], k[4], k[5], k[6]}, {k[7], k[8], k[9]}};
}

Vector3 Min(const Vector3& a, const Vector3& b) { return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)}; }
Vector3 Max(const Vector3& a, const Vector3& b) { return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)}; }

}  // namespace

Skeleton::Skeleton(std::uint16_t boneCount) : bones_(boneCount) {
    boundingBox_.SetMinMax({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
}

void Skeleton::SetPose(const float* keyFrames, std::uint32_t frameA, std::uint32_t frameB, float blend) {
    const std::size_t boneCount = bones_.size();
    // One frame twice is exactly that frame's pose, without the rounding of a blend.
    const float t = frameA == frameB ? 0.0f : blend;
    Vector3 minimum{kWorldBound, kWorldBound, kWorldBound};
    Vector3 maximum{-kWorldBound, -kWorldBound, -kWorldBound};
    for (std::size_t i = 0; i < boneCount; ++i) {
        Bone& bone = bones_[i];
        const KeyRecord a = ReadKey(keyFrames + (frameA * boneCount + i) * kKeyValues);
        const KeyRecord b = ReadKey(keyFrames + (frameB * boneCount + i) * kKeyValues);
        bone.position = Lerp(a.position, b.position, t);
        bone.rotation = Quaternion::Blend(a.rotation, b.rotation, t);
        bone.scale = Lerp(a.scale, b.scale, t);

        bone.pivotMatrix = Matrix4::Translation(bone.pivot);
        bone.translationMatrix = Matrix4::Translation(bone.position);
        bone.rotationMatrix = bone.rotation.ToMatrix();
        bone.scaleMatrix = Matrix4::Scale(bone.scale);
        bone.normalMatrix = bone.rotationMatrix * bone.scaleMatrix * bone.pivotMatrix;
        bone.boneMatrix = bone.translationMatrix * bone.normalMatrix;
        bone.boundingBox.SetMatrix(bone.boneMatrix);

        if (bone.excludeFromBounds) continue;
        minimum = Min(minimum, bone.boundingBox.worldMin);
        maximum = Max(maximum, bone.boundingBox.worldMax);
    }
    boundingBox_.SetMinMax(minimum, maximum);
}

}  // namespace Vantor
