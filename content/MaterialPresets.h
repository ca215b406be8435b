#pragma once
// The materials ("srf" files) the data builder gives its pictures, models and particle
// systems: alpha-blended (source alpha, inverse source alpha), clamped, one stage.

#include <string>

#include "content/ShaderFileWriter.h"

namespace Content {

class MaterialPresets {
public:
    // A material without stages: for models used only for their boxes or paths.
    static ShaderFileWriter::Shader Empty();
    // One texture (kind 0). The name has no extension.
    static ShaderFileWriter::Shader Single(const std::string& texture);
    // One texture holding columns x rows cells, frame 0 the top-left one (kind 1).
    static ShaderFileWriter::Shader Grid(const std::string& texture, int columns, int rows, int frames, float speed);
    // One file per frame (kind 2): the name ends in the digits of frame 0.
    static ShaderFileWriter::Shader Numbered(const std::string& firstTexture, int frames, float speed);
};

}  // namespace Content
