#pragma once
// Free math helpers: tolerant float comparison and interpolation of floats and
// vectors (any type with + and a product with a float).

#include <cmath>

namespace Vantor {

// Below this difference two float values count as unchanged, throughout the system.
constexpr float kFloatTolerance = 0.0001f;

inline bool IsNearlyEqual(float a, float b) { return std::fabs(a - b) < kFloatTolerance; }

// a at t = 0, b at t = 1.
template <class Value>
Value Lerp(const Value& a, const Value& b, float t) {
    return a * (1.0f - t) + b * t;
}

// Quadratic Bezier curve from p through control point q to r.
template <class Value>
Value QuadraticBezier(const Value& p, const Value& q, const Value& r, float t) {
    float s = 1.0f - t;
    return p * (s * s) + q * (2.0f * t * s) + r * (t * t);
}

}  // namespace Vantor
