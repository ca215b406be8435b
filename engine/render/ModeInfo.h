#pragma once
// One display mode a rendering device can draw in.

#include <cstdint>

namespace Vantor {

struct ModeInfo {
    virtual ~ModeInfo() = default;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0;  // 16 or 32
};

}  // namespace Vantor
