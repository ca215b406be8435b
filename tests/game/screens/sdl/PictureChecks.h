#pragma once
// What the drawn screen tests look for in a captured picture (x, y from the bottom left).

#include <gtest/gtest.h>

#include <cmath>

#include "engine/render/Image.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace picturechecks {

// The colour at the share of full alpha over black, within a tolerance.
inline testing::AssertionResult Shows(const Vantor::Image& picture, int x, int y, scenes::Rgb colour,
                                      float share = 1.0f) {
    const scenes::Rgb seen = scenes::PixelAt(picture, x, y);
    const auto near = [share](int value, int full) { return std::abs(value - full * share) < 30.0f; };
    if (near(seen.red, colour.red) && near(seen.green, colour.green) && near(seen.blue, colour.blue))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "at (" << x << ", " << y << "): " << scenes::Describe(seen);
}

// The pixels of the rectangle that the test accepts.
template <class Accept>
int CountPixels(const Vantor::Image& picture, int left, int bottom, int width, int height, Accept accept) {
    int count = 0;
    for (int y = bottom; y < bottom + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (accept(scenes::PixelAt(picture, x, y))) ++count;
    return count;
}

}  // namespace picturechecks
