#pragma once
// A pair of 32-bit integers, such as a window position.

#include <cstdint>

namespace Vantor {

class Vector2i {
public:
    constexpr Vector2i() = default;
    constexpr Vector2i(int32_t x, int32_t y) : x(x), y(y) {}

    int32_t x = 0;
    int32_t y = 0;
};

}  // namespace Vantor
