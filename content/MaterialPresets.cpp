#include "content/MaterialPresets.h"

namespace Content {

namespace {

constexpr int kSourceAlpha = 4;
constexpr int kInverseSourceAlpha = 5;

ShaderFileWriter::Shader WithStage(int kind, const std::string& texture, int frames, float speed) {
    ShaderFileWriter::Shader shader = MaterialPresets::Empty();
    ShaderFileWriter::Stage stage;
    stage.kind = kind;
    stage.frames = frames;
    stage.speed = speed;
    stage.textureName = texture;
    shader.stages.push_back(stage);
    return shader;
}

}  // namespace

ShaderFileWriter::Shader MaterialPresets::Empty() {
    ShaderFileWriter::Shader shader;
    shader.flags = 1;
    shader.blendFactors[0] = kSourceAlpha;
    shader.blendFactors[1] = kInverseSourceAlpha;
    return shader;
}

ShaderFileWriter::Shader MaterialPresets::Single(const std::string& texture) { return WithStage(0, texture, 1, 0.0f); }

ShaderFileWriter::Shader MaterialPresets::Grid(const std::string& texture, int columns, int rows, int frames,
                                               float speed) {
    ShaderFileWriter::Shader shader = WithStage(1, texture, frames, speed);
    shader.stages[0].columns = columns;
    shader.stages[0].rows = rows;
    return shader;
}

ShaderFileWriter::Shader MaterialPresets::Numbered(const std::string& firstTexture, int frames, float speed) {
    return WithStage(2, firstTexture, frames, speed);
}

}  // namespace Content
