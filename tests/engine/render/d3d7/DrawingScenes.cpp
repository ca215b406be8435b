#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "content/PictureEncoder.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/VertexBuffer.h"

namespace scenes {

namespace {

using Vantor::BlendFactor;
using Vantor::Color;
using Vantor::CullMode;
using Vantor::RenderSystem;

struct Point {
    float x, y, z;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

// Triangles of one colour, as a list drawn from buffers of the render system.
void DrawTriangles(RenderSystem& renderSystem, const std::vector<Point>& points, const Color& colour) {
    const auto count = static_cast<std::uint32_t>(points.size());
    std::unique_ptr<Vantor::VertexBuffer> vertices(renderSystem.CreateVertexBuffer(0, 1, count));
    std::unique_ptr<Vantor::IndexBuffer> indices(renderSystem.CreateIndexBuffer(0, count));
    Vantor::ColouredVertex* vertex = vertices->LockColoured(0, count);
    std::vector<std::int32_t> order;
    for (std::uint32_t i = 0; i < count; ++i, ++vertex) {
        *vertex = Vantor::ColouredVertex{{points[i].x, points[i].y, points[i].z}, {0, 0, 1}, 0, 0, 0};
        vertex->colour = vertices->PackColour(colour);
        order.push_back(static_cast<std::int32_t>(i));
    }
    vertices->Unlock();
    indices->SetIndices(0, count, order.data());
    renderSystem.DrawIndexedPrimitive(Vantor::PrimitiveType::TriangleList, indices.get(), vertices.get(),
                                      static_cast<std::int32_t>(count / 3));
}

// An axis-aligned rectangle at depth z, both of its triangles clockwise on screen.
void DrawRectangle(RenderSystem& renderSystem, float left, float bottom, float right, float top, float z,
                   const Color& colour) {
    DrawTriangles(renderSystem,
                  {{left, top, z}, {right, top, z}, {left, bottom, z}, {left, bottom, z}, {right, top, z},
                   {right, bottom, z}},
                  colour);
}

// What every scene starts from: no culling, depth or blending, unlit vertex colours.
void PlainStates(RenderSystem& renderSystem) {
    renderSystem.SetWorldMatrix(Vantor::Matrix4::Identity());
    renderSystem.SetLighting(false);
    renderSystem.SetCullMode(CullMode::None);
    renderSystem.SetZ(false);
    renderSystem.SetZWrite(false);
    renderSystem.SetAlphaBlend(false);
    renderSystem.SetTexture(0, nullptr);
}

// One triangle wound clockwise on screen (left) and one counter-clockwise (right).
void DrawWoundPair(RenderSystem& renderSystem) {
    DrawTriangles(renderSystem, {{100, 100, 0}, {200, 300, 0}, {300, 100, 0}}, {0, 0, 1, 1});
    DrawTriangles(renderSystem, {{500, 100, 0}, {700, 100, 0}, {600, 300, 0}}, {0, 0, 1, 1});
}

const std::vector<Scene> kScenes{
    {"triangle",
     [](RenderSystem& r) {
         PlainStates(r);
         DrawTriangles(r, {{100, 100, 0}, {300, 100, 0}, {200, 300, 0}}, {1, 0, 0, 1});
     },
     {{"inside", 200, 150, kRed}, {"left of its apex", 120, 280, kBlack}, {"right of it", 350, 150, kBlack}}},
    {"depth test",
     [](RenderSystem& r) {
         PlainStates(r);
         r.SetZ(true);
         r.SetZWrite(true);
         DrawRectangle(r, 100, 100, 300, 300, 100, {0, 1, 0, 1});  // near, drawn first
         DrawRectangle(r, 200, 100, 400, 300, -100, {1, 0, 0, 1});
     },
     {{"near only", 150, 200, kGreen}, {"both", 250, 200, kGreen}, {"far only", 350, 200, kRed}}},
    {"clockwise culling",
     [](RenderSystem& r) {
         PlainStates(r);
         r.SetCullMode(CullMode::Clockwise);
         DrawWoundPair(r);
     },
     {{"clockwise", 200, 160, kBlack}, {"counter-clockwise", 600, 160, kBlue}}},
    {"counter-clockwise culling",
     [](RenderSystem& r) {
         PlainStates(r);
         r.SetCullMode(CullMode::CounterClockwise);
         DrawWoundPair(r);
     },
     {{"clockwise", 200, 160, kBlue}, {"counter-clockwise", 600, 160, kBlack}}},
    {"alpha blending",
     [](RenderSystem& r) {
         PlainStates(r);
         r.SetAlphaBlend(true);
         r.SetBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
         DrawRectangle(r, 100, 100, 500, 300, 0, {0, 0, 1, 1});
         DrawRectangle(r, 300, 100, 700, 300, 0, {1, 0, 0, 0.5f});
     },
     {{"opaque blue", 200, 200, kBlue}, {"half red over blue", 400, 200, {128, 0, 127}},
      {"half red over black", 600, 200, {128, 0, 0}}}},
    {"additive blending",
     [](RenderSystem& r) {
         PlainStates(r);
         r.SetAlphaBlend(true);
         r.SetBlend(BlendFactor::One, BlendFactor::One);
         DrawRectangle(r, 100, 100, 500, 300, 0, {1, 0, 0, 1});
         DrawRectangle(r, 300, 100, 700, 300, 0, {0, 1, 0, 0.25f});
     },
     {{"red", 200, 200, kRed}, {"red and green", 400, 200, {255, 255, 0}}, {"green", 600, 200, kGreen}}},
    {"orientation",
     [](RenderSystem& r) {
         // An L: a red bar up the left, a green foot along the bottom to the right.
         PlainStates(r);
         DrawRectangle(r, 100, 100, 150, 400, 0, {1, 0, 0, 1});
         DrawRectangle(r, 150, 100, 350, 150, 0, {0, 1, 0, 1});
     },
     {{"top of the bar", 125, 380, kRed},
      {"end of the foot", 330, 125, kGreen},
      {"above the foot", 330, 380, kBlack},
      {"left of the bar", 50, 380, kBlack}}},
};

}  // namespace

const std::vector<Scene>& AllScenes() { return kScenes; }

Vantor::Camera* MakeSceneCamera() {
    Vantor::Camera* camera = Vantor::CameraManager::Instance()->CreateCamera(Vantor::Camera::kOrthographic);
    camera->width = 800;
    camera->height = 600;
    camera->nearPlane = 500;
    camera->farPlane = -500;
    return camera;
}

void DrawFrame(const Scene& scene, Vantor::Camera& camera) {
    RenderSystem& renderSystem = *RenderSystem::Instance();
    Vantor::CameraManager& cameras = *Vantor::CameraManager::Instance();
    cameras.ResizeCameras();
    renderSystem.BeginScene();
    cameras.SetCurrentCamera(&camera, false);
    scene.draw(renderSystem);
    renderSystem.EndScene();
    renderSystem.SwapBuffers();
}

Rgb PixelAt(const Vantor::Image& image, int x, int y) {
    const std::uint8_t* pixel =
        rendertest::PixelAddress(image, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
    return {pixel[0], pixel[1], pixel[2]};
}

int Distance(const Rgb& a, const Rgb& b) {
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

void SceneTest::SetUp() {
    RenderSystemTest::SetUp();
    Values().vsync = false;
    Restart();
}

void SceneTest::Restart() {
    cameras_.reset();
    Make();
    cameras_ = std::make_unique<Vantor::CameraManager>();
    Vantor::CameraManager::Instance(cameras_.get());
    camera_ = MakeSceneCamera();
}

void SceneTest::TearDown() {
    cameras_.reset();
    RenderSystemTest::TearDown();
}

std::string Describe(const Rgb& colour) {
    return "(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

void KeepCapture(const Vantor::Image& picture, const std::string& name) {
    Content::Picture kept(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()));
    for (int y = 0; y < kept.height; ++y)
        for (int x = 0; x < kept.width; ++x) {
            // The picture's rows run from the top, the capture's from the bottom.
            const Rgb pixel = PixelAt(picture, x, kept.height - 1 - y);
            std::uint8_t* out = kept.Pixel(x, y);
            out[0] = static_cast<std::uint8_t>(pixel.red);
            out[1] = static_cast<std::uint8_t>(pixel.green);
            out[2] = static_cast<std::uint8_t>(pixel.blue);
            out[3] = 255;
        }
    std::filesystem::create_directories("captures");
    const Content::PictureEncoder::Bytes png = Content::PictureEncoder::Png(kept);
    std::ofstream("captures/" + name + ".png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

}  // namespace scenes
