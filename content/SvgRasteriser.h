#pragma once
// Renders SVG sources into pictures through librsvg and cairo. The document is fitted
// into the whole picture (its own aspect rules apply), antialiased, and the result is
// un-premultiplied. Sides must be powers of two up to 1024, as the engine loads them.
// Sources may not hold text elements: their look would depend on the fonts installed
// on the machine, so lettering is drawn as paths.

#include <string>

#include "content/Picture.h"

namespace Content {

class SvgRasteriser {
public:
    static constexpr int kMaxSide = 1024;

    // Throws Vantor::Error naming the source for a document librsvg refuses, a text
    // element, or a size that is not a power of two up to kMaxSide.
    static Picture Render(const std::string& svg, const std::string& sourceName, int width, int height);

    static bool IsPowerOfTwoSide(int side) { return side > 0 && side <= kMaxSide && (side & (side - 1)) == 0; }
};

}  // namespace Content
