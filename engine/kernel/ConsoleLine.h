#pragma once
// One piece of the console's text: a run of characters in one colour on one row.

#include <string>

#include "engine/kernel/Vector4.h"

namespace Vantor {

struct ConsoleLine {
    Color colour;
    // With its closing line break when it ends its row.
    std::wstring text;
    // The next piece starts a new row.
    bool rowEnd = false;
    // Measured with the console's font; the next piece of the row starts this far right.
    float width = 0.0f;
};

}  // namespace Vantor
