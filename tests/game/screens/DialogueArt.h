#pragma once
// Art for the tests of the dialogue decorations, written below the data folder and put
// straight into the game data: flat quads placed in GUI units (balloons, portraits),
// key-frame paths whose box moves in a straight line, one-colour pictures as the
// materials of portraits, and sparkles as a particle system.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Vector2.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "game/GameData.h"

namespace dialogueart {

struct Rgb {
    std::uint8_t red, green, blue;
};

// "data\<file>": a 4 x 4 picture of the colour.
inline void WritePicture(const std::string& file, Rgb colour) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {colour.red, colour.green, colour.blue, 255});
    Content::TgaWriter::WriteFile(L"data\\" + Vantor::ToWide(file), 4, 4, pixels);
}

// The model of the key ("a/b": the file "data\\a\\b.mdl"), its material a picture of the
// colour: frame k is a quad of the size whose lower-left corner lies on the line from
// `from` to `to` (at `to` in the last frame), playing at 10 frames a second.
inline void AddKeyedMovingQuad(Morvane::GameData& data, const std::string& key, const Vantor::Vector2& from,
                               const Vantor::Vector2& to, const Vantor::Vector2& size, std::uint32_t frames,
                               Rgb colour = {230, 230, 230}) {
    Content::ModelFileWriter::Model model;
    model.flags = Vantor::ModelFlags::kKeyFrames | Vantor::ModelFlags::kTriangleList | Vantor::ModelFlags::kVisible;
    model.frameCount = frames;
    model.indices = {0, 1, 2, 2, 1, 3};
    model.vertexCount = 4;
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const float t = frames > 1 ? static_cast<float>(frame) / static_cast<float>(frames - 1) : 0.0f;
        const Vantor::Vector2 corner = from + (to - from) * t;
        for (int i = 0; i < 4; ++i) {
            Content::ModelFileWriter::Vertex vertex;
            vertex.u = static_cast<float>(i % 2);
            vertex.v = static_cast<float>(1 - i / 2);
            vertex.position[0] = corner.x + size.x * static_cast<float>(i % 2);
            vertex.position[1] = corner.y + size.y * static_cast<float>(i / 2);
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({{corner.x, corner.y, 0.0f}, {corner.x + size.x, corner.y + size.y, 0.0f}});
    }
    std::string file = key;
    std::replace(file.begin(), file.end(), '/', '\\');
    const std::wstring path = L"data\\" + Vantor::ToWide(file) + L".mdl";
    Content::ModelFileWriter::WriteFile(path, model);
    const std::string picture = file + "_picture.tga";
    WritePicture(picture, colour);
    Content::ShaderFileWriter::Shader material;
    material.stages.push_back({});
    material.stages.back().textureName = picture;
    Content::ShaderFileWriter::WriteFile(path.substr(0, path.size() - 3) + L"srf", material);
    Vantor::Model* loaded = Vantor::ModelManager::Instance()->LoadModel(path.substr(5), nullptr, 0, false);
    loaded->GetAnimationControl()->SetSpeed(10.0f);
    data.AddModel(key, loaded);
}

// The same as "ui/<name>".
inline void AddMovingQuad(Morvane::GameData& data, const std::string& name, const Vantor::Vector2& from,
                          const Vantor::Vector2& to, const Vantor::Vector2& size, std::uint32_t frames,
                          Rgb colour = {230, 230, 230}) {
    AddKeyedMovingQuad(data, "ui/" + name, from, to, size, frames, colour);
}

// A still quad: a balloon or a portrait's place.
inline void AddQuad(Morvane::GameData& data, const std::string& name, const Vantor::Vector2& corner,
                    const Vantor::Vector2& size, Rgb colour = {230, 230, 230}) {
    AddMovingQuad(data, name, corner, corner, size, 1, colour);
}

// The material of the key ("a/b": the picture "data\\a\\b.tga"): a 4 x 4 picture of the
// colour.
inline void AddKeyedPicture(Morvane::GameData& data, const std::string& key, Rgb colour) {
    std::string file = key + ".tga";
    std::replace(file.begin(), file.end(), '/', '\\');
    WritePicture(file, colour);
    const Vantor::ShaderDescriptor picture(true, false, file, true);
    data.AddShaderUser(key, Vantor::ShaderManager::Instance()->GetShader(picture, false));
}

// The same as "ui/<name>".
inline void AddPicture(Morvane::GameData& data, const std::string& name, Rgb colour) {
    AddKeyedPicture(data, "ui/" + name, colour);
}

// The particle system of the key, from the file ("a/b": "data\\a\\b.prt"): a steady stream
// of white sparks, 6 units wide, that drift slowly and live a second; from the emitter's
// point, or from anywhere in its box.
inline void AddKeyedSparkles(Morvane::GameData& data, const std::string& key, const std::string& fileName,
                             bool fromBox = false) {
    Content::ParticleFileWriter::ParticleSystem sparks;
    sparks.maxParticles = 200;
    sparks.gravityOn = 0;
    sparks.floorOn = 0;
    sparks.killWhenStopped = 0;
    for (float& rate : sparks.rate) rate = 60.0f;
    for (float& size : sparks.size) size = 6.0f;
    for (float& speed : sparks.speedBase) speed = 2.0f;
    sparks.emitterShape = fromBox ? 1 : 0;
    std::string path = fileName;
    std::replace(path.begin(), path.end(), '/', '\\');
    const std::wstring file = Vantor::ToWide(path);
    Content::ParticleFileWriter::WriteFile(L"data\\" + file + L".prt", sparks);
    Content::ShaderFileWriter::WriteFile(L"data\\" + file + L".srf", {});
    data.AddParticleSystem(key, Vantor::ParticleSystemManager::Instance()->LoadParticleSystem(file + L".prt", nullptr,
                                                                                              false));
}

// The same as "ui/<name>", its file in "data\\ui\\particles".
inline void AddSparkles(Morvane::GameData& data, const std::string& name) {
    AddKeyedSparkles(data, "ui/" + name, "ui/particles/" + name);
}

}  // namespace dialogueart
