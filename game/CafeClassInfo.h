#pragma once
// The cafe class reached by a number of machines bought: factors on the food prices
// and on the day's length.

namespace Morvane {

struct CafeClassInfo {
    // Never negative.
    float costMultiplier = 1.0f;
    // Always above 0.
    float dayMultiplier = 1.0f;
};

}  // namespace Morvane
