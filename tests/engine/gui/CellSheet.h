#pragma once
// The image sheet of a GUI element built in code: square cells of solid colour side by
// side, one cell a frame, as the TGA file the engine reads.

#include <cstdint>
#include <vector>

#include "content/Picture.h"
#include "content/PictureEncoder.h"
#include "engine/kernel/Vector4.h"

namespace guitest {

inline Content::PictureEncoder::Bytes CellSheetTga(const std::vector<Vantor::Color>& cells, int side = 16) {
    Content::Picture picture(side * static_cast<int>(cells.size()), side);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t packed = Vantor::PackColor(cells[static_cast<std::size_t>(x / side)]);
            std::uint8_t* pixel = picture.Pixel(x, y);
            pixel[0] = static_cast<std::uint8_t>(packed >> 16);
            pixel[1] = static_cast<std::uint8_t>(packed >> 8);
            pixel[2] = static_cast<std::uint8_t>(packed);
            pixel[3] = static_cast<std::uint8_t>(packed >> 24);
        }
    return Content::PictureEncoder::Tga(picture);
}

}  // namespace guitest
