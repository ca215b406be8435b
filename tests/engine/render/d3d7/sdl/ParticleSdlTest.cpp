// A particle system drawn through the model manager and OpenGL under an X server: after
// a few frames its particles show in the captured picture where the camera sees them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/engine/render/SpriteSceneTestSupport.h"

namespace {

class ParticleSdlTest : public spritetest::SpriteSceneTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        SpriteSceneTest::SetUp();
    }
};

int Alive(const Vantor::ParticleSystem& system) {
    int alive = 0;
    for (const Vantor::Particle& particle : system.GetParticles()) alive += particle.dead ? 0 : 1;
    return alive;
}

// Where the camera shows a world point: pixel column and row from the bottom of an
// 800 x 600 picture; false when it lies outside.
bool Project(const Vantor::Camera& camera, const Vantor::Vector3& p, int& x, int& y) {
    // The camera's matrices are in the row-vector layout: the point times view times
    // projection.
    const Vantor::Matrix4 m = camera.GetView() * camera.GetProjection();
    const float point[4] = {p.x, p.y, p.z, 1.0f};
    float clip[4] = {};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) clip[column] += point[row] * m.m[4 * row + column];
    const float ndcX = clip[0] / clip[3];
    const float ndcY = clip[1] / clip[3];
    x = static_cast<int>((ndcX + 1.0f) * 0.5f * 800.0f);
    y = static_cast<int>((ndcY + 1.0f) * 0.5f * 600.0f);
    return x >= 2 && x < 798 && y >= 2 && y < 598;
}

TEST_F(ParticleSdlTest, ParticlesShowInTheCapturedFrame) {
    // The procedural effect: white sprites of half size 1, ten a second, flying off in
    // every direction. The default camera looks down on it from above the floor.
    Vantor::Camera& camera = *cameras_->GetDefaultCamera();
    camera.position = {0, 0, 150};
    std::unique_ptr<Vantor::ParticleSystem> effect(particles_->CreateParticleSystem(nullptr));
    Vantor::ParticleSystem& system = *particles_->CreateParticleSystemInstance(*effect);
    system.Start(true);

    // Frames at the pace the picture is drawn, until a few particles are out.
    for (int frame = 0; frame < 1000 && Alive(system) < 5; ++frame) {
        NextFrame(0.0);
        DrawFrame();
        ASSERT_TRUE(renderSystem_->IsReady()) << "no call of the frame failed";
    }
    Vantor::Image picture;
    renderSystem_->CaptureScreen(picture);
    ASSERT_EQ(picture.GetWidth(), 800u);
    ASSERT_EQ(picture.GetHeight(), 600u);

    int shown = 0;
    for (const Vantor::Particle& particle : system.GetParticles()) {
        if (particle.dead) continue;
        const Vantor::Vector3& position = system.GetSpriteGroup()->GetSprite(particle.sprite)->position;
        int x = 0, y = 0;
        if (!Project(camera, position, x, y)) continue;
        const scenes::Rgb colour = scenes::PixelAt(picture, x, y);
        EXPECT_GT(colour.red + colour.green + colour.blue, 600)
            << "particle at " << position.x << ", " << position.y << ", " << position.z << " (pixel " << x << ", " << y
            << ") shows " << scenes::Describe(colour);
        ++shown;
    }
    EXPECT_GT(shown, 0) << "no particle in view";
    // Away from the particles the clear colour stays.
    int lit = 0;
    for (int y = 0; y < 600; y += 4)
        for (int x = 0; x < 800; x += 4) {
            const scenes::Rgb colour = scenes::PixelAt(picture, x, y);
            if (colour.red + colour.green + colour.blue > 0) ++lit;
        }
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 800 * 600 / 16 / 10) << "only the sprites are drawn";
}

}  // namespace
