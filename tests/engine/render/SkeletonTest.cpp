#include "engine/render/Skeleton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Vantor::Bone;
using Vantor::Skeleton;
using Vantor::Vector3;

constexpr float kNear = 1e-4f;
const float kHalfRoot2 = std::sqrt(0.5f);

struct Key {
    Vector3 position;
    float rotation[4];
    Vector3 scale;
};

const Key kRest{{0, 0, 0}, {0, 0, 0, 1}, {1, 1, 1}};

// Key frames laid out frame-major, ten floats per bone.
std::vector<float> KeyFrames(const std::vector<std::vector<Key>>& frames) {
    std::vector<float> values;
    for (const auto& bones : frames) {
        for (const Key& key : bones) {
            values.insert(values.end(), {key.position.x, key.position.y, key.position.z, key.rotation[0],
                                         key.rotation[1], key.rotation[2], key.rotation[3], key.scale.x, key.scale.y,
                                         key.scale.z});
        }
    }
    return values;
}

void ExpectVector(const Vector3& expected, const Vector3& actual) {
    EXPECT_NEAR(expected.x, actual.x, kNear);
    EXPECT_NEAR(expected.y, actual.y, kNear);
    EXPECT_NEAR(expected.z, actual.z, kNear);
}

TEST(SkeletonTest, NewSkeletonHasRestingBonesAndAUnitBox) {
    Skeleton skeleton(2);
    ASSERT_EQ(2, skeleton.GetBoneCount());
    const Bone& bone = *skeleton.GetBone(1);
    EXPECT_EQ(1.0f, bone.rotation.w);
    ExpectVector({0, 0, 0}, bone.pivot);
    EXPECT_TRUE(bone.name.empty());
    ExpectVector({-0.5f, -0.5f, -0.5f}, skeleton.GetBoundingBox().worldMin);
    ExpectVector({0.5f, 0.5f, 0.5f}, skeleton.GetBoundingBox().worldMax);
}

TEST(SkeletonTest, BoneMovesAPointByPivotScaleRotationThenTranslation) {
    Skeleton skeleton(1);
    Bone& bone = *skeleton.GetBone(0);
    bone.pivot = {1, 0, 0};
    bone.boundingBox.SetMinMax({0, 0, 0}, {0, 0, 0});
    // A quarter turn about z, scale 2, moved by (1, 2, 3).
    const std::vector<float> keys = KeyFrames({{{{1, 2, 3}, {0, 0, kHalfRoot2, kHalfRoot2}, {2, 2, 2}}}});
    skeleton.SetPose(keys.data(), 0, 0, 0.0f);

    // The origin: pivot (1, 0, 0), scaled (2, 0, 0), turned (0, 2, 0), moved (1, 4, 3).
    ExpectVector({1, 4, 3}, bone.boneMatrix.TransformPoint({0, 0, 0}));
    ExpectVector({0, 2, 0}, bone.normalMatrix.TransformPoint({0, 0, 0}));
    ExpectVector({1, 2, 3}, bone.translationMatrix.TransformPoint({0, 0, 0}));
    // The bone's box follows the bone matrix.
    ExpectVector({1, 4, 3}, bone.boundingBox.worldMin);
}

TEST(SkeletonTest, PoseBlendsPositionRotationAndScaleBetweenTwoFrames) {
    Skeleton skeleton(2);
    const Key turned{{4, 0, -2}, {0, 0, kHalfRoot2, kHalfRoot2}, {3, 1, 1}};
    const std::vector<float> keys = KeyFrames({{kRest, kRest}, {kRest, turned}});
    skeleton.SetPose(keys.data(), 0, 1, 0.5f);

    const Bone& bone = *skeleton.GetBone(1);
    ExpectVector({2, 0, -1}, bone.position);
    ExpectVector({2, 1, 1}, bone.scale);
    // The blended quaternion is not normalised; its matrix is still an eighth turn.
    ExpectVector({kHalfRoot2, kHalfRoot2, 0}, bone.rotationMatrix.TransformPoint({1, 0, 0}));
    // Bone 0 rests in both frames.
    ExpectVector({5, 6, 7}, skeleton.GetBone(0)->boneMatrix.TransformPoint({5, 6, 7}));
}

TEST(SkeletonTest, SameFrameTwiceGivesExactlyThatFramesPose) {
    Skeleton skeleton(1);
    const Key key{{0.1f, 0.7f, 0.3f}, {0.1f, 0.2f, 0.3f, 0.9f}, {0.3f, 0.6f, 0.9f}};
    const std::vector<float> keys = KeyFrames({{kRest}, {key}});
    for (float blend : {0.0f, 0.3f, 0.77f, 1.0f}) {
        skeleton.SetPose(keys.data(), 1, 1, blend);
        const Bone& bone = *skeleton.GetBone(0);
        EXPECT_EQ(key.position.x, bone.position.x) << blend;
        EXPECT_EQ(key.position.y, bone.position.y) << blend;
        EXPECT_EQ(key.rotation[0], bone.rotation.x) << blend;
        EXPECT_EQ(key.rotation[3], bone.rotation.w) << blend;
        EXPECT_EQ(key.scale.z, bone.scale.z) << blend;
    }
}

TEST(SkeletonTest, BoxEnclosesTheBonesThatAreNotExcluded) {
    Skeleton skeleton(3);
    for (std::uint16_t i = 0; i < 3; ++i) skeleton.GetBone(i)->boundingBox.SetMinMax({-1, -1, -1}, {1, 1, 1});
    skeleton.GetBone(2)->excludeFromBounds = true;
    const Key moved{{5, 0, 0}, {0, 0, 0, 1}, {1, 2, 1}};
    const Key far{{-50, 0, 0}, {0, 0, 0, 1}, {1, 1, 1}};
    const std::vector<float> keys = KeyFrames({{kRest, moved, far}});
    skeleton.SetPose(keys.data(), 0, 0, 0.0f);
    ExpectVector({-1, -2, -1}, skeleton.GetBoundingBox().worldMin);
    ExpectVector({6, 2, 1}, skeleton.GetBoundingBox().worldMax);
}

TEST(SkeletonTest, BoxWithoutCountedBonesIsTheEmptyScan) {
    Skeleton excluded(1);
    excluded.GetBone(0)->excludeFromBounds = true;
    Skeleton empty(0);
    const std::vector<float> keys = KeyFrames({{kRest}});
    for (Skeleton* skeleton : {&excluded, &empty}) {
        skeleton->SetPose(keys.data(), 0, 0, 0.0f);
        ExpectVector({100000, 100000, 100000}, skeleton->GetBoundingBox().worldMin);
        ExpectVector({-100000, -100000, -100000}, skeleton->GetBoundingBox().worldMax);
    }
}

TEST(SkeletonTest, CopyHoldsItsOwnBones) {
    Skeleton source(2);
    source.GetBone(1)->name = "arm";
    source.GetBone(1)->fileValues[1] = 77;
    source.GetBone(1)->boundingBox.SetMinMax({0, 0, 0}, {1, 1, 1});
    const std::vector<float> keys = KeyFrames({{kRest, {{3, 0, 0}, {0, 0, 0, 1}, {1, 1, 1}}}});
    source.SetPose(keys.data(), 0, 0, 0.0f);

    Skeleton copy(source);
    ASSERT_EQ(2, copy.GetBoneCount());
    EXPECT_EQ("arm", copy.GetBone(1)->name);
    EXPECT_EQ(77, copy.GetBone(1)->fileValues[1]);
    ExpectVector({3, 0, 0}, copy.GetBone(1)->boneMatrix.TransformPoint({0, 0, 0}));
    ExpectVector(source.GetBoundingBox().worldMax, copy.GetBoundingBox().worldMax);

    copy.GetBone(1)->name = "leg";
    EXPECT_EQ("arm", source.GetBone(1)->name);
}

}  // namespace
