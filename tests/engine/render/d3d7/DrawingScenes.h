#pragma once
// Frames drawn through the render system for the drawing tests of both backends: each
// scene sets its states and draws coloured shapes through an orthographic camera over
// the 800 x 600 picture (one unit a pixel, x to the right, y up, z towards the viewer),
// and names the colours that points of the picture must show. The sdl tests look at
// the captured picture; the headless tests check the device calls of the same frames.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/CameraManager.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace Vantor {
class Camera;
class Image;
class RenderSystem;
}  // namespace Vantor

namespace scenes {

// Red, green and blue bytes.
struct Rgb {
    int red, green, blue;
};

// A point of the picture (column, row from the bottom) and the colour it must show.
struct Probe {
    const char* what;
    int x, y;
    Rgb colour;
};

struct Scene {
    const char* name;
    void (*draw)(Vantor::RenderSystem& renderSystem);
    std::vector<Probe> probes;
};

const std::vector<Scene>& AllScenes();

// The orthographic camera the scenes are drawn with, made by the camera manager.
Vantor::Camera* MakeSceneCamera();

// One whole frame: the cameras' update, the scene bracket with the camera applied, the
// scene's drawing and the presentation.
void DrawFrame(const Scene& scene, Vantor::Camera& camera);

// The colour of a pixel of a captured picture (row 0 at the bottom).
Rgb PixelAt(const Vantor::Image& image, int x, int y);
// The sum of the channels' differences.
int Distance(const Rgb& a, const Rgb& b);
std::string Describe(const Rgb& colour);
// Writes a captured picture as "captures/<name>.png" beside the test program, to be
// looked at.
void KeepCapture(const Vantor::Image& picture, const std::string& name);

// An 800 x 600 windowed render system with the camera manager and the scenes' camera.
class SceneTest : public d3d7test::RenderSystemTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new render system, camera manager and camera, with the device's default states.
    void Restart();

    std::unique_ptr<Vantor::CameraManager> cameras_;
    Vantor::Camera* camera_ = nullptr;
};

}  // namespace scenes
