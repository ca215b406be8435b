#pragma once
// Small resource files for the data keeper's tests and benchmarks.

#include <string>

#include "content/ModelFileWriter.h"
#include "engine/render/ModelFlags.h"

namespace keepertest {

// A static one-triangle model with its box.
inline Content::ModelFileWriter::Model TriangleModel() {
    Content::ModelFileWriter::Model model;
    model.flags = Vantor::ModelFlags::kStatic | Vantor::ModelFlags::kTriangleList | Vantor::ModelFlags::kVisible;
    model.indices = {0, 1, 2};
    model.vertexCount = 3;
    model.vertices.resize(3);
    model.vertices[1].position[0] = 1.0f;
    model.vertices[2].position[1] = 1.0f;
    model.boxes.resize(1);
    model.boxes[0].maximum[0] = 1.0f;
    model.boxes[0].maximum[1] = 1.0f;
    return model;
}

// An opaque square 32-bit TGA picture of the side (at most 255 pixels).
inline std::string SolidPicture(int side) {
    std::string tga(18, '\0');
    tga[2] = 2;  // uncompressed true colour
    tga[12] = static_cast<char>(side);
    tga[14] = static_cast<char>(side);
    tga[16] = 32;
    for (int pixel = 0; pixel < side * side; ++pixel) tga += std::string("\x40\x80\xC0\xFF", 4);
    return tga;
}

}  // namespace keepertest
