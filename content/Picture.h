#pragma once
// A picture as the data builder makes it: width x height pixels of red, green, blue and
// alpha, straight (not premultiplied) alpha, rows top row first as they are seen.

#include <cstdint>
#include <vector>

namespace Content {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}

    std::uint8_t* Pixel(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    const std::uint8_t* Pixel(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    bool IsOpaque() const {
        for (std::size_t i = 3; i < rgba.size(); i += 4)
            if (rgba[i] != 255) return false;
        return true;
    }
};

}  // namespace Content
