#include "engine/kernel/Matrix4.h"

namespace Vantor {

Matrix4 Matrix4::Rotation(const Vector3& axis, float angle) {
    Vector3 a = axis;
    a.Normalize(1.0f);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    Matrix4 r;
    r.m[0] = c + t * a.x * a.x;
    r.m[1] = t * a.x * a.y - s * a.z;
    r.m[2] = t * a.x * a.z + s * a.y;
    r.m[4] = t * a.x * a.y + s * a.z;
    r.m[5] = c + t * a.y * a.y;
    r.m[6] = t * a.y * a.z - s * a.x;
    r.m[8] = t * a.x * a.z - s * a.y;
    r.m[9] = t * a.y * a.z + s * a.x;
    r.m[10] = c + t * a.z * a.z;
    return r;
}

// Cofactor expansion by 2x2 minors: the pair products of two rows of the
// transposed matrix give the cofactors of the other two rows.
bool Matrix4::Invert() {
    float src[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) src[4 * j + i] = m[4 * i + j];
    }

    float dst[16];
    float p[12];
    p[0] = src[10] * src[15];
    p[1] = src[11] * src[14];
    p[2] = src[9] * src[15];
    p[3] = src[11] * src[13];
    p[4] = src[9] * src[14];
    p[5] = src[10] * src[13];
    p[6] = src[8] * src[15];
    p[7] = src[11] * src[12];
    p[8] = src[8] * src[14];
    p[9] = src[10] * src[12];
    p[10] = src[8] * src[13];
    p[11] = src[9] * src[12];

    dst[0] = (p[0] * src[5] + p[3] * src[6] + p[4] * src[7]) - (p[1] * src[5] + p[2] * src[6] + p[5] * src[7]);
    dst[1] = (p[1] * src[4] + p[6] * src[6] + p[9] * src[7]) - (p[0] * src[4] + p[7] * src[6] + p[8] * src[7]);
    dst[2] = (p[2] * src[4] + p[7] * src[5] + p[10] * src[7]) - (p[3] * src[4] + p[6] * src[5] + p[11] * src[7]);
    dst[3] = (p[5] * src[4] + p[8] * src[5] + p[11] * src[6]) - (p[4] * src[4] + p[9] * src[5] + p[10] * src[6]);
    dst[4] = (p[1] * src[1] + p[2] * src[2] + p[5] * src[3]) - (p[0] * src[1] + p[3] * src[2] + p[4] * src[3]);
    dst[5] = (p[0] * src[0] + p[7] * src[2] + p[8] * src[3]) - (p[1] * src[0] + p[6] * src[2] + p[9] * src[3]);
    dst[6] = (p[3] * src[0] + p[6] * src[1] + p[11] * src[3]) - (p[2] * src[0] + p[7] * src[1] + p[10] * src[3]);
    dst[7] = (p[4] * src[0] + p[9] * src[1] + p[10] * src[2]) - (p[5] * src[0] + p[8] * src[1] + p[11] * src[2]);

    p[0] = src[2] * src[7];
    p[1] = src[3] * src[6];
    p[2] = src[1] * src[7];
    p[3] = src[3] * src[5];
    p[4] = src[1] * src[6];
    p[5] = src[2] * src[5];
    p[6] = src[0] * src[7];
    p[7] = src[3] * src[4];
    p[8] = src[0] * src[6];
    p[9] = src[2] * src[4];
    p[10] = src[0] * src[5];
    p[11] = src[1] * src[4];

    dst[8] = (p[0] * src[13] + p[3] * src[14] + p[4] * src[15]) - (p[1] * src[13] + p[2] * src[14] + p[5] * src[15]);
    dst[9] = (p[1] * src[12] + p[6] * src[14] + p[9] * src[15]) - (p[0] * src[12] + p[7] * src[14] + p[8] * src[15]);
    dst[10] = (p[2] * src[12] + p[7] * src[13] + p[10] * src[15]) - (p[3] * src[12] + p[6] * src[13] + p[11] * src[15]);
    dst[11] = (p[5] * src[12] + p[8] * src[13] + p[11] * src[14]) - (p[4] * src[12] + p[9] * src[13] + p[10] * src[14]);
    dst[12] = (p[2] * src[10] + p[5] * src[11] + p[1] * src[9]) - (p[4] * src[11] + p[0] * src[9] + p[3] * src[10]);
    dst[13] = (p[8] * src[11] + p[0] * src[8] + p[7] * src[10]) - (p[6] * src[10] + p[9] * src[11] + p[1] * src[8]);
    dst[14] = (p[6] * src[9] + p[11] * src[11] + p[3] * src[8]) - (p[10] * src[11] + p[2] * src[8] + p[7] * src[9]);
    dst[15] = (p[10] * src[10] + p[4] * src[8] + p[9] * src[9]) - (p[8] * src[9] + p[11] * src[10] + p[5] * src[8]);

    const float determinant = src[0] * dst[0] + src[1] * dst[1] + src[2] * dst[2] + src[3] * dst[3];
    if (determinant == 0.0f || !std::isfinite(determinant)) return false;
    const float inverse = 1.0f / determinant;
    for (int i = 0; i < 16; ++i) m[i] = dst[i] * inverse;
    return true;
}

}  // namespace Vantor
