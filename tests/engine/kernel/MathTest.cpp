#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Quaternion.h"
#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector3.h"
#include "engine/kernel/Vector4.h"

namespace {

using namespace Vantor;

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;

void ExpectNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

void ExpectNear(const Matrix4& actual, const Matrix4& expected, float tolerance = 1e-4f) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
}

// A transform that mixes rotation, scale and translation, so that no element is trivial.
Matrix4 MixedTransform() {
    return Matrix4::Translation({3, -2, 5}) * Matrix4::Rotation({1, 2, 3}, 0.7f) * Matrix4::Scale({2, 0.5f, 1.5f});
}

TEST(VectorTest, NormalizeLeavesNearZeroVectorsAlone) {
    Vector3 zero;
    zero.Normalize(1.0f);
    ExpectNear(zero, {0, 0, 0});
    Vector3 v(3, 4, 0);
    v.Normalize(1.0f);
    ExpectNear(v, {0.6f, 0.8f, 0});
}

TEST(VectorTest, ToleranceComparisons) {
    EXPECT_TRUE(IsNearlyEqual(1.0f, 1.00005f));
    EXPECT_FALSE(IsNearlyEqual(1.0f, 1.0002f));
    EXPECT_FALSE(Vector3(1, 2, 3) != Vector3(1.00005f, 2, 3));
    EXPECT_TRUE(Vector3(1, 2, 3) != Vector3(1, 2, 3.0002f));
    EXPECT_FALSE(Vector2(1, 2).IsLess({2, 2}));
    EXPECT_TRUE(Vector2(1, 1).IsLess({2, 2}));
}

TEST(VectorTest, ConversionsAndProducts) {
    Vector2 flat(Vector3(1, 2, 3));
    EXPECT_EQ(flat.x, 1.0f);
    EXPECT_EQ(flat.y, 2.0f);
    ExpectNear(Vector3(Vector2(4, 5)), {4, 5, 0});
    EXPECT_GT((Vector2(1, 1) * 3000000000u).x, 0.0f);  // large unsigned factors stay positive
    ExpectNear(Cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
    EXPECT_FLOAT_EQ(Dot(Vector4(1, 2, 3, 4), Vector4(1, 1, 1, 2)), 14.0f);
    Color modulated = Color(1, 0.5f, 0.2f, 1) * Color(0.5f, 0.5f, 1, 0.25f);
    EXPECT_FLOAT_EQ(modulated.y, 0.25f);
    EXPECT_FLOAT_EQ(modulated.w, 0.25f);
}

TEST(VectorTest, Interpolation) {
    EXPECT_FLOAT_EQ(QuadraticBezier(0.0f, 1.0f, 0.0f, 0.5f), 0.5f);
    Vector4 curve = QuadraticBezier(Vector4(0, 0, 0, 0), Vector4(1, 2, 3, 4), Vector4(0, 0, 0, 4), 0.5f);
    EXPECT_FLOAT_EQ(curve.y, 1.0f);
    EXPECT_FLOAT_EQ(curve.w, 3.0f);
    Vector2 mid = Lerp(Vector2(0, 10), Vector2(4, 20), 0.25f);
    EXPECT_FLOAT_EQ(mid.x, 1.0f);
    EXPECT_FLOAT_EQ(mid.y, 12.5f);
    ExpectNear(Lerp(Vector3(1, 1, 1), Vector3(3, 5, 7), 1.0f), {3, 5, 7});
}

TEST(MatrixTest, ProductAppliesTheRightFactorFirst) {
    const Matrix4 translate = Matrix4::Translation({10, 20, 30});
    const Matrix4 scale = Matrix4::Scale({2, 3, 4});
    const Vector3 p(1, 2, 3);
    ExpectNear((translate * scale).TransformPoint(p), {12, 26, 42});
    ExpectNear((scale * translate).TransformPoint(p), {22, 66, 132});

    const Matrix4 m = MixedTransform();
    ExpectNear(Matrix4::Identity() * m, m);
    ExpectNear(m * Matrix4::Identity(), m);
    Matrix4 squared = m;
    squared = squared * squared;  // an operand may be the target
    ExpectNear(squared.TransformPoint(p), m.TransformPoint(m.TransformPoint(p)));

    Matrix4 translated = m;
    translated.Translate({1, 1, 1});
    ExpectNear(translated, m * Matrix4::Translation({1, 1, 1}));
}

TEST(MatrixTest, BuildersFollowTheColumnVectorConvention) {
    ExpectNear(Matrix4::Translation({10, 20, 30}).TransformPoint({1, 2, 3}), {11, 22, 33});
    ExpectNear(Matrix4::RotationZ(kHalfPi).TransformPoint({1, 0, 0}), {0, 1, 0});
    // An axis of any length; the same turn as RotationZ about +Z.
    ExpectNear(Matrix4::Rotation({0, 0, 2}, 0.3f), Matrix4::RotationZ(0.3f), 1e-6f);
    ExpectNear(Matrix4::Rotation({1, 0, 0}, kHalfPi).TransformPoint({0, 1, 0}), {0, 0, 1});
    ExpectNear(Matrix4::Scaling({2, 3, 4}), Matrix4::Scale({2, 3, 4}));
}

TEST(MatrixTest, InverseUndoesTheTransform) {
    const Matrix4 cases[] = {
        Matrix4::Translation({-4, 7, 0.5f}),
        Matrix4::Rotation({0.3f, -1, 0.2f}, 2.1f),
        Matrix4::Scale({0.25f, 4, 2}),
        MixedTransform(),
    };
    for (const Matrix4& m : cases) {
        Matrix4 inverse = m;
        ASSERT_TRUE(inverse.Invert());
        ExpectNear(m * inverse, Matrix4::Identity());
        ExpectNear(inverse * m, Matrix4::Identity());
    }
}

TEST(MatrixTest, SingularMatrixIsLeftUnchanged) {
    Matrix4 flat = Matrix4::Scale({1, 0, 1});
    EXPECT_FALSE(flat.Invert());
    ExpectNear(flat, Matrix4::Scale({1, 0, 1}), 0.0f);
}

TEST(MatrixTest, TransposeAndTolerantEquality) {
    Matrix4 m = MixedTransform();
    Matrix4 t = m;
    t.Transpose();
    EXPECT_EQ(t.m[12], m.m[3]);
    EXPECT_EQ(t.m[6], m.m[9]);
    t.Transpose();
    ExpectNear(t, m, 0.0f);

    Matrix4 close = m;
    close.m[7] += 0.00005f;
    EXPECT_TRUE(close == m);
    close.m[7] += 0.0002f;
    EXPECT_FALSE(close == m);
}

// The product as the Hamilton product o * q written out term by term.
Quaternion Hamilton(const Quaternion& q, const Quaternion& o) {
    return {o.w * q.x + o.x * q.w + o.y * q.z - o.z * q.y, o.w * q.y - o.x * q.z + o.y * q.w + o.z * q.x,
            o.w * q.z + o.x * q.y - o.y * q.x + o.z * q.w, o.w * q.w - o.x * q.x - o.y * q.y - o.z * q.z};
}

Quaternion AxisAngle(const Vector3& unitAxis, float angle) {
    float s = std::sin(angle / 2);
    return {unitAxis.x * s, unitAxis.y * s, unitAxis.z * s, std::cos(angle / 2)};
}

TEST(QuaternionTest, ProductAppliesTheLeftFactorFirst) {
    const Quaternion q = AxisAngle({0, 0, 1}, kHalfPi);
    const Quaternion o = AxisAngle({1, 0, 0}, kHalfPi);
    ExpectNear((q * o).ToMatrix(), o.ToMatrix() * q.ToMatrix());
    // +X turns to +Y about Z, then to +Z about X.
    ExpectNear((q * o).ToMatrix().TransformPoint({1, 0, 0}), {0, 0, 1});

    const Quaternion a(0.3f, -1.2f, 0.5f, 2.0f);
    const Quaternion b(-0.7f, 0.4f, 1.5f, -0.6f);
    const Quaternion fast = a * b;
    const Quaternion expected = Hamilton(a, b);
    EXPECT_NEAR(fast.x, expected.x, 1e-5f);
    EXPECT_NEAR(fast.y, expected.y, 1e-5f);
    EXPECT_NEAR(fast.z, expected.z, 1e-5f);
    EXPECT_NEAR(fast.w, expected.w, 1e-5f);
}

TEST(QuaternionTest, RotationMatrix) {
    ExpectNear(Quaternion(0, 0, 0, 1).ToMatrix(), Matrix4::Identity());
    ExpectNear(Quaternion(0, 0, 0, 2).ToMatrix(), Matrix4::Identity());
    ExpectNear(Quaternion(0, 0, 0, 0).ToMatrix(), Matrix4::Identity());
    ExpectNear(AxisAngle({0, 0, 1}, 0.4f).ToMatrix(), Matrix4::RotationZ(0.4f), 1e-6f);
    // Scaling the quaternion does not scale the rotation.
    Quaternion q = AxisAngle({0.6f, 0, 0.8f}, 1.1f);
    Quaternion scaled(q.x * 3, q.y * 3, q.z * 3, q.w * 3);
    ExpectNear(scaled.ToMatrix(), Matrix4::Rotation({0.6f, 0, 0.8f}, 1.1f), 1e-5f);
}

TEST(QuaternionTest, BlendCorrectsTheSign) {
    const Quaternion q = AxisAngle({0, 1, 0}, 0.8f);
    const Quaternion negated(-q.x, -q.y, -q.z, -q.w);
    for (float t : {0.0f, 0.3f, 1.0f}) {
        Quaternion blended = Quaternion::Blend(q, negated, t);
        EXPECT_NEAR(blended.y, q.y, 1e-6f);
        EXPECT_NEAR(blended.w, q.w, 1e-6f);
    }
    Quaternion half = Quaternion::Blend(Quaternion(0, 0, 0, 1), Quaternion(1, 0, 0, 0), 0.5f);
    EXPECT_FLOAT_EQ(half.x, 0.5f);
    EXPECT_FLOAT_EQ(half.w, 0.5f);  // not normalised
}

TEST(ColorTest, PackingClampsAndRounds) {
    struct Case {
        Color color;
        uint32_t packed;
    };
    const Case cases[] = {
        {{1.2f, 0.5f, -0.1f, 1}, 0xFFFF8000u},
        {{0, 0, 0, 0}, 0x00000000u},
        {{1, 1, 1, 1}, 0xFFFFFFFFu},
        {{0.25f, 0.75f, 0.001f, 0.5f}, 0x8040BF00u},
        {{NAN, 0, 0, 1}, 0xFF000000u},
    };
    for (const Case& c : cases) EXPECT_EQ(PackColor(c.color), c.packed) << std::hex << c.packed;

    const Color unpacked = UnpackColor(0x80FF4000u);
    EXPECT_NEAR(unpacked.x, 1.0f, 1e-6f);
    EXPECT_NEAR(unpacked.y, 64.0f / 255.0f, 1e-6f);
    EXPECT_NEAR(unpacked.z, 0.0f, 1e-6f);
    EXPECT_NEAR(unpacked.w, 128.0f / 255.0f, 1e-6f);
    for (uint32_t packed : {0x12345678u, 0xFF00FF00u, 0x00000001u}) EXPECT_EQ(PackColor(UnpackColor(packed)), packed);
}

}  // namespace
