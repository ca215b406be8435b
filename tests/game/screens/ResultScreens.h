#pragma once
// What the tests of the loading and results screens share: their layouts, with the
// controls the windows require, and their art put straight into the game data: a
// progress bar uncovered frame by frame, a sheet of service faces whose rows of eight
// frames each have their own colour, the path of a message piece and its burst.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "content/ModelShapes.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderStage.h"
#include "game/GameData.h"
#include "tests/game/screens/DialogueArt.h"

namespace resultscreens {

// The frame grows and fades in a quarter of a second.
inline std::string Faders() {
    return R"(<faders><fader name="frame" show_speed="4" hide_speed="4" /></faders>)";
}

// The title prints at 20 characters a second (0.35 s); the bar of "ui/bar" below it.
inline std::string LoadingLayout() {
    return R"(<window name="window_game_loading" fader="frame">
        <window name="window_animated" model="frame" model_start_frame="0" model_end_frame="9" size="800 600" />
        <text_label name="title" font="common" text="'Loading'" printing_mode="1" printing_speed="20"
          alignment_h="center" position="200 330" size="400 40" />
        <window name="loading_progress" position="200 264" size="400 32">
          <window name="progress" model="bar" position="4 4" size="392 24" />
          <text_label name="text" font="common" text="'%PROGRESS%'" alignment_h="center" alignment_v="center"
            size="400 32" />
        </window></window>)";
}

// The figures in a column on the right, the face of "ui/face" on the left.
inline std::string DayCompleteLayout(const std::string& continueButton) {
    std::string layout = R"(<window name="window_day_complete" fader="frame">
        <text_label name="title" font="common" text="'Day %DAY%'" alignment_h="center" position="200 520"
          size="400 40" />
        <window name="window" fader="frame" position="100 80" size="600 420">)";
    const char* figures[] = {"food_sales", "tips", "total_sales"};
    for (int k = 0; k < 3; ++k)
        layout += "<text_label name=\"" + std::string(figures[k]) +
                  "\" font=\"common\" text=\"'%MONEY%'\" alignment_h=\"right\" position=\"300 " +
                  std::to_string(360 - 50 * k) + "\" size=\"250 40\" />";
    layout += R"(<window name="smile" shader="face" position="40 140" size="120 120" />
          <text_label name="service" font="common" text="'-'" position="180 200" size="400 40" />
          <text_label name="customers_served" font="common" text="'%SERVED% of %TOTAL%'" position="180 150"
            size="400 40" />)";
    return layout + continueButton + "</window></window>";
}

inline std::string DayCompleteTexts() {
    return R"(<day_complete><service_0 text="Splendid" /><service_1 text="Good" /><service_2 text="Unhappy" />
              <service_3 text="Very unhappy" /></day_complete>)";
}

// The message over the whole screen, its text the key "level_complete/text".
inline std::string LevelCompleteLayout() {
    return R"(<window name="window_level_complete">
        <text_label name="day_completed" font="common" font_size="40" text="level_complete/text"
          alignment_h="center" alignment_v="center" position="0 0" size="800 600" /></window>)";
}

inline std::string LevelCompleteTexts(const std::string& message) {
    return "<level_complete><text text=\"" + message + "\" /></level_complete>";
}

// The model "ui/bar": the quad of the rectangle (0, 0, 1, 1) filled to frame / (frames -
// 1), in the colour.
inline void AddProgressBar(Morvane::GameData& data, unsigned frames, dialogueart::Rgb colour) {
    Content::ModelFileWriter::WriteFile(L"data\\ui\\bar.mdl",
                                        Content::ModelShapes::ProgressBar({0, 0, 1, 1}, static_cast<int>(frames)));
    dialogueart::WritePicture("ui\\bar.tga", colour);
    Content::ShaderFileWriter::Shader material;
    material.stages.push_back({});
    material.stages.back().textureName = "ui\\bar.tga";
    Content::ShaderFileWriter::WriteFile(L"data\\ui\\bar.srf", material);
    data.AddModel("ui/bar", Vantor::ModelManager::Instance()->LoadModel(L"ui\\bar.mdl", nullptr, 0, false));
}

// The faces' row colours: rating k shows frame 16 k, the first frame of row 2 k.
constexpr std::array<dialogueart::Rgb, 8> kFaceRows = {{{30, 200, 40},
                                                        {30, 200, 40},
                                                        {240, 200, 0},
                                                        {240, 200, 0},
                                                        {240, 120, 0},
                                                        {240, 120, 0},
                                                        {220, 0, 0},
                                                        {220, 0, 0}}};

// The material "ui/face": a sheet of 8 x 8 cells of 8 x 8 pixels, still.
inline void AddFaceSheet(Morvane::GameData& data) {
    constexpr int kSide = 64;
    std::vector<std::uint8_t> pixels;
    // The picture's rows from the bottom; the sheet's cells from the top.
    for (int y = kSide - 1; y >= 0; --y)
        for (int x = 0; x < kSide; ++x) {
            const dialogueart::Rgb colour = kFaceRows[static_cast<std::size_t>(y / 8)];
            pixels.insert(pixels.end(), {colour.red, colour.green, colour.blue, 255});
        }
    Content::TgaWriter::WriteFile(L"data\\ui\\face.tga", kSide, kSide, pixels);
    const Vantor::ShaderDescriptor sheet(true, false, Vantor::ShaderStage::kGridSheet, 8, 8, 64, 0.0f, "ui\\face.tga",
                                         true);
    data.AddShaderUser("ui/face", Vantor::ShaderManager::Instance()->GetShader(sheet, false));
}

// The burst's colour.
constexpr dialogueart::Rgb kBurst{255, 200, 50};

// The path "ui/day_completed" of 81 frames: a piece comes down from 300 units above its
// place, its centre at (0, 0) in the last frame; and the burst "ui/day_complete_effect":
// golden sparks flying apart in the screen's plane for half a second.
inline void AddPieceArt(Morvane::GameData& data) {
    dialogueart::AddMovingQuad(data, "day_completed", {-4.0f, 296.0f}, {-4.0f, -4.0f}, {8.0f, 8.0f}, 81);
    Content::ParticleFileWriter::ParticleSystem sparks;
    sparks.maxParticles = 200;
    sparks.period = 0.5f;
    sparks.gravityOn = 0;
    sparks.floorOn = 0;
    sparks.killWhenStopped = 0;
    for (int key = 0; key < Content::ParticleFileWriter::kKeyCount; ++key) {
        sparks.rate[key] = 200.0f;
        sparks.life[key] = 0.8f;
        sparks.size[key] = 6.0f;
        sparks.speedBase[key] = 2.0f;
        sparks.directionSpread[key][2] = 0.0f;
        sparks.colour[key][0] = kBurst.red / 255.0f;
        sparks.colour[key][1] = kBurst.green / 255.0f;
        sparks.colour[key][2] = kBurst.blue / 255.0f;
    }
    const std::wstring file = L"ui\\particles\\day_complete_effect";
    Content::ParticleFileWriter::WriteFile(L"data\\" + file + L".prt", sparks);
    Content::ShaderFileWriter::WriteFile(L"data\\" + file + L".srf", {});
    data.AddParticleSystem("ui/day_complete_effect", Vantor::ParticleSystemManager::Instance()->LoadParticleSystem(
                                                         file + L".prt", nullptr, false));
}

}  // namespace resultscreens
