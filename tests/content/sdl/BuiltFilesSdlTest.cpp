// The data builder's files drawn by the engine through OpenGL under an X server: a quad
// whose material animates a grid sheet, a key-frame path and each particle preset.
// Every test keeps its captured frames in "captures/" beside the test program.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "content/MaterialPresets.h"
#include "content/ModelShapes.h"
#include "content/ParticlePresets.h"
#include "content/ProductGraph.h"
#include "content/ProductRecipes.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "tests/content/ContentTestSupport.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/engine/render/SpriteSceneTestSupport.h"

namespace {

using Content::ProductRecipes;
using scenes::Rgb;

constexpr int kSheetFrames = 4;

class BuiltFilesSdlTest : public spritetest::SpriteSceneTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        SpriteSceneTest::SetUp();
        camera_ = scenes::MakeSceneCamera();
        BuildFiles();
    }

    // The files, made by the builder from SVG sources into the engine's data folder.
    void BuildFiles() {
        const std::filesystem::path sources = home_.folder.Path() / "sources";
        std::filesystem::create_directories(sources);
        std::ofstream(sources / "sheet.svg") << contenttest::Svg(
            32, 32, "<rect width='32' height='32' fill='rgb(${r},60,200)'/>");
        std::ofstream(sources / "dot.svg") << contenttest::Svg(
            16, 16, "<circle cx='8' cy='8' r='7' fill='#ffffff'/>");
        Content::ProductGraph graph(sources);
        graph.Add(ProductRecipes::SvgSheet("fx\\sheet", "sheet.svg", 32, 32, {"r", 0, 240, kSheetFrames, 10.0f}));
        graph.Add(ProductRecipes::SvgPicture("fx\\dot", "dot.svg", 16, 16));
        graph.Add(ProductRecipes::Model("fx\\sheet_quad", Content::ModelShapes::Quad({40, 40, 128, 128}),
                                        Content::MaterialPresets::Grid("fx\\sheet", 2, 2, kSheetFrames, 10.0f)));
        graph.Add(ProductRecipes::Model("fx\\path", Content::ModelShapes::Path(32, 32, {{0, 250, 100}, {10, 450, 300, 2}}, 10.0f),
                                        Content::MaterialPresets::Single("fx\\dot")));
        for (const char* preset : {"burst", "trail", "sparkle", "rising"})
            graph.Add(ProductRecipes::Particles(std::string("fx\\") + preset,
                                                Content::ParticlePresets::Make(Content::ParticlePresets::KindNamed(preset),
                                                                               {1.0f, 0.8f, 0.3f}),
                                                Content::MaterialPresets::Single("fx\\dot")));
        ASSERT_TRUE(graph.Build(home_.folder.Path() / "data", {}).Succeeded());
    }

    Vantor::Model* LoadModel(const std::wstring& name) {
        Vantor::Model* source = models_->LoadModel(name, camera_, 0, false);
        Vantor::Model* model = models_->CreateModelInstance(*source, camera_, 0);
        delete source;
        return model;
    }

    // The frame clock moves on, materials and the scene are drawn; the frame is kept.
    void Frame(double seconds, Vantor::Image& picture, const std::string& name) {
        NextFrame(seconds);
        shaders_->Update();
        DrawFrame();
        ASSERT_TRUE(renderSystem_->IsReady()) << "no call of the frame failed";
        renderSystem_->CaptureScreen(picture);
        scenes::KeepCapture(picture, name);
    }

    // Pixels brighter than the black background in a square around the point.
    static int LitAround(const Vantor::Image& picture, int cx, int cy, int radius) {
        int lit = 0;
        for (int y = cy - radius; y <= cy + radius; ++y)
            for (int x = cx - radius; x <= cx + radius; ++x) {
                const Rgb c = scenes::PixelAt(picture, x, y);
                lit += c.red + c.green + c.blue > 60 ? 1 : 0;
            }
        return lit;
    }

    Vantor::Camera* camera_ = nullptr;
};

TEST_F(BuiltFilesSdlTest, ASheetAnimatedQuadShowsItsFramesInTurn) {
    LoadModel(L"fx\\sheet_quad.mdl");
    ASSERT_TRUE(TakeErrors().empty());
    // Frame f of the sheet is red 80 f; at 10 frames a second each 0.1 s shows the next,
    // wrapping round after the last.
    Vantor::Image picture;
    Frame(0.1, picture, "sheet_frame_0");
    const int first = scenes::PixelAt(picture, 104, 104).red / 80;
    for (int step = 0; step < kSheetFrames + 1; ++step) {
        if (step > 0) Frame(0.1, picture, "sheet_frame_" + std::to_string(step));
        const Rgb centre = scenes::PixelAt(picture, 104, 104);
        EXPECT_NEAR(80 * ((first + step) % kSheetFrames), centre.red, 6) << "step " << step << ": " << scenes::Describe(centre);
        EXPECT_NEAR(200, centre.blue, 6);
    }
}

// The lit pixels' centre and their count.
struct Spot {
    double x = 0, y = 0;
    int pixels = 0;
};
Spot FindSpot(const Vantor::Image& picture) {
    Spot spot;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const Rgb c = scenes::PixelAt(picture, x, y);
            if (c.red + c.green + c.blue < 384) continue;
            spot.x += x;
            spot.y += y;
            ++spot.pixels;
        }
    if (spot.pixels) spot.x /= spot.pixels, spot.y /= spot.pixels;
    return spot;
}

// Keys at (250, 100), scale 1, and (450, 300), scale 2, ten frames apart: each frame
// moves the dot by (20, 20) and widens it by a tenth of its first size.
TEST_F(BuiltFilesSdlTest, AKeyFramePathMovesAndScalesItsQuad) {
    Vantor::Model* path = LoadModel(L"fx\\path.mdl");
    ASSERT_TRUE(TakeErrors().empty());
    path->GetAnimationControl()->SetLoop(false);
    path->GetAnimationControl()->Play();
    Vantor::Image picture;
    Frame(0.1, picture, "path_0");
    const Spot first = FindSpot(picture);
    ASSERT_GT(first.pixels, 0);
    const int frame = static_cast<int>(std::lround((first.x - 250) / 20));
    for (int step = 1; step <= 4; ++step) {
        Frame(0.1, picture, "path_" + std::to_string(step));
        const Spot spot = FindSpot(picture);
        const int f = frame + step;
        EXPECT_NEAR(250 + 20 * f, spot.x, 1.5) << "frame " << f;
        EXPECT_NEAR(100 + 20 * f, spot.y, 1.5) << "frame " << f;
        // The dot's area grows with the square of its scale.
        const double growth = (1 + f / 10.0) / (1 + frame / 10.0);
        EXPECT_NEAR(growth * growth, static_cast<double>(spot.pixels) / first.pixels, 0.05) << "frame " << f;
    }
}

TEST_F(BuiltFilesSdlTest, EachParticlePresetShowsAroundItsEmitter) {
    struct Emitter {
        const char* preset;
        int x, y;
        int mostLit = 0;
    };
    Emitter emitters[] = {{"burst", 120, 450}, {"trail", 320, 450}, {"sparkle", 520, 450}, {"rising", 700, 350}};
    for (const Emitter& emitter : emitters) {
        const std::string name = std::string("fx\\") + emitter.preset + ".psf";
        Vantor::ParticleSystem* source =
            particles_->LoadParticleSystem(std::wstring(name.begin(), name.end()), camera_, false);
        ASSERT_NE(nullptr, source);
        Vantor::ParticleSystem* system = particles_->CreateParticleSystemInstance(*source);
        delete source;
        system->SetPosition({static_cast<float>(emitter.x), static_cast<float>(emitter.y), 0});
        system->Start(true);
    }
    ASSERT_TRUE(TakeErrors().empty());
    // Over a second: bursts come and go, the others flow on.
    Vantor::Image picture;
    for (int frame = 0; frame < 20; ++frame) {
        Frame(0.05, picture, "particles_" + std::to_string(frame));
        for (Emitter& emitter : emitters)
            emitter.mostLit = std::max(emitter.mostLit, LitAround(picture, emitter.x, emitter.y + 30, 60));
    }
    for (const Emitter& emitter : emitters) EXPECT_GT(emitter.mostLit, 20) << emitter.preset;
}

}  // namespace
