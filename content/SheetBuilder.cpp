#include "content/SheetBuilder.h"

#include <algorithm>
#include <cstring>

#include "engine/kernel/Error.h"

namespace Content {

SheetBuilder::Grid SheetBuilder::GridFor(int frames) {
    Grid grid;
    while (grid.columns * grid.rows < frames) {
        if (grid.columns <= grid.rows) grid.columns *= 2;
        else grid.rows *= 2;
    }
    return grid;
}

Picture SheetBuilder::Pack(const std::vector<Picture>& frames, Grid grid) {
    if (frames.empty() || static_cast<int>(frames.size()) > grid.columns * grid.rows)
        throw Vantor::Error(std::to_string(frames.size()) + " frames do not fit a grid of " +
                            std::to_string(grid.columns) + "x" + std::to_string(grid.rows));
    const int cellWidth = frames.front().width;
    const int cellHeight = frames.front().height;
    Picture sheet(cellWidth * grid.columns, cellHeight * grid.rows);
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const Picture& frame = frames[f];
        if (frame.width != cellWidth || frame.height != cellHeight)
            throw Vantor::Error("frame " + std::to_string(f) + " differs in size from frame 0");
        const int left = static_cast<int>(f) % grid.columns * cellWidth;
        const int top = static_cast<int>(f) / grid.columns * cellHeight;
        for (int y = 0; y < cellHeight; ++y)
            std::memcpy(sheet.Pixel(left, top + y), frame.Pixel(0, y), static_cast<std::size_t>(cellWidth) * 4);
    }
    return sheet;
}

std::string SheetBuilder::NumberedName(const std::string& base, int frame, int frames) {
    const std::size_t digits = std::to_string(std::max(0, frames - 1)).size();
    std::string number = std::to_string(frame);
    return base + std::string(digits > number.size() ? digits - number.size() : 0, '0') + number;
}

}  // namespace Content
