#pragma once
// The alignment bits of a text print. Without any of them the text starts at the
// print's position; an aligned axis ignores the position on that axis.

namespace Vantor {

struct TextAlignment {
    static constexpr int kCentreHorizontally = 0x1;
    static constexpr int kCentreVertically = 0x2;
    static constexpr int kLeft = 0x4;
    static constexpr int kRight = 0x8;
    static constexpr int kTop = 0x10;
    static constexpr int kBottom = 0x20;
};

}  // namespace Vantor
