#pragma once
// 4x4 float matrix stored row by row (element 4 * row + column). The system's own
// transforms act on column vectors: a point p becomes M * p, the translation sits in
// elements 3, 7 and 11, and in A * B the transform B applies first. (Cameras keep
// their matrices transposed, in the device's row-vector layout.)

#include <cmath>
#include <utility>

#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Vector3.h"

namespace Vantor {

class Matrix4 {
public:
    // The identity.
    Matrix4() = default;

    static Matrix4 Identity() { return Matrix4(); }
    // s.x, s.y, s.z on the diagonal.
    static Matrix4 Scale(const Vector3& s) {
        Matrix4 r;
        r.m[0] = s.x;
        r.m[5] = s.y;
        r.m[10] = s.z;
        return r;
    }
    // The same matrix as Scale, under the name the renderer uses.
    static Matrix4 Scaling(const Vector3& s) { return Scale(s); }
    static Matrix4 Translation(const Vector3& t) {
        Matrix4 r;
        r.m[3] = t.x;
        r.m[7] = t.y;
        r.m[11] = t.z;
        return r;
    }
    // Counter-clockwise about +Z (turns +X towards +Y); radians.
    static Matrix4 RotationZ(float angle) {
        Matrix4 r;
        float c = std::cos(angle);
        float s = std::sin(angle);
        r.m[0] = c;
        r.m[1] = -s;
        r.m[4] = s;
        r.m[5] = c;
        return r;
    }
    // Counter-clockwise about the axis (normalised first); radians.
    static Matrix4 Rotation(const Vector3& axis, float angle);

    // this * o, computed into a separate result so an operand may be the target.
    Matrix4 operator*(const Matrix4& o) const {
        Matrix4 r;
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                r.m[4 * row + column] = m[4 * row] * o.m[column] + m[4 * row + 1] * o.m[4 + column] +
                                        m[4 * row + 2] * o.m[8 + column] + m[4 * row + 3] * o.m[12 + column];
            }
        }
        return r;
    }

    // this = this * Translation(t): t applies before this matrix.
    void Translate(const Vector3& t) { *this = *this * Translation(t); }

    // Swaps elements (i, j) and (j, i).
    void Swap(int i, int j) { std::swap(m[4 * i + j], m[4 * j + i]); }
    void Transpose() {
        Swap(0, 1);
        Swap(0, 2);
        Swap(0, 3);
        Swap(1, 2);
        Swap(1, 3);
        Swap(2, 3);
    }

    // Inverts in place. A singular matrix is left unchanged and answers false.
    bool Invert();

    // Rows 0 to 2 applied to (p, 1); no division by w.
    Vector3 TransformPoint(const Vector3& p) const {
        return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
                m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
    }
    void TransformPoint(const Vector3& p, Vector3& out) const { out = TransformPoint(p); }

    // Equal within the tolerance (inclusive) in every element.
    bool operator==(const Matrix4& o) const {
        for (int i = 0; i < 16; ++i) {
            if (std::fabs(m[i] - o.m[i]) > kFloatTolerance) return false;
        }
        return true;
    }

    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

}  // namespace Vantor
