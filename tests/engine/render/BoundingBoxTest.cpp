// Bounding boxes: the world box, centre, half-extents and radius that follow from the
// local box and its transform.

#include "engine/render/BoundingBox.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Vantor::BoundingBox;
using Vantor::Matrix4;
using Vantor::Vector3;

void ExpectNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(BoundingBoxTest, ALocalBoxIsItsOwnWorldBox) {
    BoundingBox box;
    box.SetMinMax({-1, -1, -1}, {1, 1, 1});
    ExpectNear(box.centre, {0, 0, 0});
    ExpectNear(box.halfExtents, {1, 1, 1});
    EXPECT_FLOAT_EQ(box.radius, std::sqrt(3.0f));

    box.Set({2, 2, 2}, {2, 2, 2});
    EXPECT_EQ(box.radius, 0.0f);
    ExpectNear(box.centre, {2, 2, 2});
}

TEST(BoundingBoxTest, ATransformMovesAndGrowsTheWorldBox) {
    BoundingBox box;
    box.SetMinMax({-1, -1, -1}, {1, 1, 1});
    box.SetMatrix(Matrix4::Translation({10, 0, 0}));
    ExpectNear(box.worldMin, {9, -1, -1});
    ExpectNear(box.worldMax, {11, 1, 1});
    ExpectNear(box.centre, {10, 0, 0});

    box.SetMatrix(Matrix4::RotationZ(3.14159265f / 4));
    float diagonal = std::sqrt(2.0f);
    ExpectNear(box.worldMin, {-diagonal, -diagonal, -1});
    ExpectNear(box.worldMax, {diagonal, diagonal, 1});
    EXPECT_NEAR(box.radius, std::sqrt(2 * 2.0f + 1), 1e-5f);

    // A new local box drops the transform.
    box.secondMatrix = Matrix4::Translation({1, 1, 1});
    box.SetMinMax({0, 0, 0}, {2, 2, 2});
    ExpectNear(box.worldMax, {2, 2, 2});
    EXPECT_TRUE(box.transform == Matrix4::Identity());
    EXPECT_TRUE(box.secondMatrix == Matrix4::Identity());
}

TEST(BoundingBoxTest, InterpolationRunsBetweenTheWorldBoxes) {
    BoundingBox a, b, out;
    a.SetMinMax({0, 0, 0}, {2, 2, 2});
    a.SetMatrix(Matrix4::Translation({1, 0, 0}));
    b.SetMinMax({-4, -4, -4}, {4, 4, 4});

    BoundingBox::Interpolate(out, a, b, 0);
    ExpectNear(out.localMin, a.worldMin);
    ExpectNear(out.localMax, a.worldMax);
    EXPECT_TRUE(out.transform == Matrix4::Identity());

    BoundingBox::Interpolate(out, a, b, 1);
    ExpectNear(out.worldMin, {-4, -4, -4});

    EXPECT_EQ(&BoundingBox::Interpolate(out, a, b, 0.5f), &out);
    ExpectNear(out.centre, {1, 0.5f, 0.5f});
    ExpectNear(out.halfExtents, {2.5f, 2.5f, 2.5f});
}

}  // namespace
