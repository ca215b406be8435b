#pragma once
// The colours service is shown in: green for the best, amber for the middle (its red
// above 1 is clamped when drawn) and red for the worst.

#include "engine/kernel/Vector4.h"

namespace Morvane {

struct ServiceColours {
    static constexpr Vantor::Color kGood{0.11372549f, 0.7882353f, 0.12941177f, 1.0f};
    static constexpr Vantor::Color kFair{1.2233009f, 0.80784315f, 0.0f, 1.0f};
    static constexpr Vantor::Color kPoor{0.9137255f, 0.0f, 0.0f, 1.0f};
};

}  // namespace Morvane
