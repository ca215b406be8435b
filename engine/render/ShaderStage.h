#pragma once
// One texture stage of a material: which texture files it names, how its frames are
// laid out and animated, how the texture is addressed and its texture matrix.

#include <cstdint>
#include <string>

namespace Vantor {

struct ShaderStage {
    // Stage flags.
    static constexpr std::int32_t kMipMaps = 1;
    static constexpr std::int32_t kRandomStart = 2;
    // The stage loads no texture files.
    static constexpr std::int32_t kNoTextureFiles = 4;

    // Kinds.
    static constexpr std::int32_t kSingleTexture = 0;
    // One texture holding columns x rows cells, one cell per frame.
    static constexpr std::int32_t kGridSheet = 1;
    // One texture file per frame, the frame number at the end of the name.
    static constexpr std::int32_t kNumberedFiles = 2;

    // Address modes; any value other than kClamp wraps.
    static constexpr std::int32_t kClamp = 0;
    static constexpr std::int32_t kWrap = 1;

    std::int32_t flags = 0;
    std::int32_t kind = kSingleTexture;
    std::int32_t columns = 1;
    std::int32_t rows = 1;
    // Always 0 for a single texture.
    std::int32_t frames = 0;
    // Frames per second of the frame animation.
    float speed = 0.0f;
    // Lower case, relative to the data folder, without extension.
    std::string textureName;
    std::int32_t addressU = kClamp;
    std::int32_t addressV = kClamp;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    // The texture frame to bind, set each frame by the stage's user.
    std::int32_t currentFrame = 0;
};

}  // namespace Vantor
