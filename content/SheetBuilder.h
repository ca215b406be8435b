#pragma once
// Lays animation frames out for the engine's two kinds of animated material: a grid
// sheet (one texture of columns x rows cells, frame 0 top left, frames along the rows)
// or numbered files (one texture per frame, the frame number in the name's last
// digits). Buttons have four frames (normal, hover, pressed, disabled) in a 2 x 2 grid,
// check boxes eight in a 4 x 2 grid.

#include <string>
#include <vector>

#include "content/Picture.h"

namespace Content {

class SheetBuilder {
public:
    struct Grid {
        int columns = 1;
        int rows = 1;
    };
    static constexpr Grid kButton{2, 2};
    static constexpr Grid kCheckBox{4, 2};

    // The smallest grid of power-of-two columns and rows, columns first, that holds
    // the frames.
    static Grid GridFor(int frames);
    // Frames of one size into one picture; throws Vantor::Error when they differ in
    // size or do not fit.
    static Picture Pack(const std::vector<Picture>& frames, Grid grid);
    // "ui\x\anim" with 12 frames: "ui\x\anim00" ... "ui\x\anim11".
    static std::string NumberedName(const std::string& base, int frame, int frames);
};

}  // namespace Content
