#pragma once
// One text a window draws in the current frame.

#include <string>

#include "engine/kernel/Vector2.h"
#include "engine/kernel/Vector4.h"

namespace Vantor {

struct TextPrint {
    // TextAlignment bits.
    int alignment = 0;
    int fontId = 0;
    // Radians, counter-clockwise.
    float angle = 0.0f;
    // Negative: the font's own size.
    float size = -1.0f;
    Vector2 position;
    Color colour;
    std::wstring text;
};

}  // namespace Vantor
