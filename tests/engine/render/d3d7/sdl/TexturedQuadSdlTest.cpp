// Textured quads drawn through the render system and OpenGL under an X server: the
// picture comes out the right way up, the addressing modes repeat or stretch its edge,
// the texture matrix picks one cell, and a compressed DDS picture shows its colour.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Texture2D.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"

namespace {

using scenes::Rgb;

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

bool Near(const Rgb& actual, const Rgb& expected, int tolerance = 3) {
    return std::abs(actual.red - expected.red) <= tolerance && std::abs(actual.green - expected.green) <= tolerance &&
           std::abs(actual.blue - expected.blue) <= tolerance;
}

// A 2 x 2 picture, rows bottom first: blue and white along the bottom, red and green
// along the top.
Vantor::Image* Corners() {
    auto* image = new Vantor::Image;
    image->SetFormat(2, 2, 24, true);
    const std::uint8_t pixels[] = {0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0};
    std::memcpy(image->GetPixels(), pixels, sizeof(pixels));
    return image;
}

class TexturedQuadSdlTest : public scenes::SceneTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        SceneTest::SetUp();
    }

    // One frame with the texture on the quad from (200, 100) to (600, 500), white
    // vertices, u running 0 to `uRange` left to right and v 0 to 1 bottom to top; the
    // captured picture.
    void DrawQuad(Vantor::Texture2D* texture, std::int32_t address, float uRange, Vantor::Image& picture) {
        Vantor::RenderSystem& renderSystem = *renderSystem_;
        cameras_->ResizeCameras();
        renderSystem.BeginScene();
        cameras_->SetCurrentCamera(camera_, false);
        renderSystem.SetWorldMatrix(Vantor::Matrix4::Identity());
        renderSystem.SetLighting(false);
        renderSystem.SetZ(false);
        renderSystem.SetCullMode(Vantor::CullMode::None);
        renderSystem.SetAlphaBlend(false);
        renderSystem.SetTexture(0, texture);
        renderSystem.SetTextureFilter(0, Vantor::TextureFilter::Point);
        renderSystem.SetTextureAdressU(0, address);
        renderSystem.SetTextureAdressV(0, address);

        std::unique_ptr<Vantor::VertexBuffer> vertices(renderSystem.CreateVertexBuffer(0, 1, 4));
        Vantor::ColouredVertex* vertex = vertices->LockColoured(0, 4);
        const std::uint32_t white = vertices->PackColour({1, 1, 1, 1});
        const float corners[4][4] = {{200, 500, 0, 1}, {600, 500, uRange, 1}, {200, 100, 0, 0}, {600, 100, uRange, 0}};
        for (const auto& c : corners) *vertex++ = Vantor::ColouredVertex{{c[0], c[1], 0}, {0, 0, 1}, white, c[2], c[3]};
        vertices->Unlock();
        std::unique_ptr<Vantor::IndexBuffer> indices(renderSystem.CreateIndexBuffer(0, 6));
        const std::int32_t order[] = {0, 1, 2, 2, 1, 3};  // both clockwise on screen
        indices->SetIndices(0, 6, order);
        renderSystem.DrawIndexedPrimitive(Vantor::PrimitiveType::TriangleList, indices.get(), vertices.get(), 2);

        renderSystem.EndScene();
        renderSystem.SwapBuffers();
        ASSERT_TRUE(renderSystem.IsReady()) << "no call of the frame failed";
        renderSystem.CaptureScreen(picture);
    }

    void ExpectPixel(const Vantor::Image& picture, int x, int y, const Rgb& expected, const char* what) {
        const Rgb actual = scenes::PixelAt(picture, x, y);
        EXPECT_TRUE(Near(actual, expected)) << what << ": " << scenes::Describe(actual) << " instead of "
                                            << scenes::Describe(expected);
    }
};

TEST_F(TexturedQuadSdlTest, APictureComesOutTheRightWayUp) {
    std::unique_ptr<Vantor::Texture2D> texture(
        renderSystem_->CreateTextureFromImages("corners", Corners(), nullptr, false, false));
    Vantor::Image picture;
    DrawQuad(texture.get(), 0, 1.0f, picture);
    ExpectPixel(picture, 300, 400, kRed, "top left");
    ExpectPixel(picture, 500, 400, kGreen, "top right");
    ExpectPixel(picture, 300, 200, kBlue, "bottom left");
    ExpectPixel(picture, 500, 200, kWhite, "bottom right");
    ExpectPixel(picture, 100, 50, kBlack, "outside the quad");
}

TEST_F(TexturedQuadSdlTest, WrappingRepeatsThePictureAndClampingStretchesItsEdge) {
    std::unique_ptr<Vantor::Texture2D> texture(
        renderSystem_->CreateTextureFromImages("corners", Corners(), nullptr, false, false));
    for (std::int32_t address : {1, 0}) {
        SCOPED_TRACE(address ? "wrap" : "clamp");
        Vantor::Image picture;
        DrawQuad(texture.get(), address, 2.0f, picture);  // two pictures' width across
        ExpectPixel(picture, 250, 400, kRed, "first quarter");
        ExpectPixel(picture, 450, 400, address ? kRed : kGreen, "third quarter");
        ExpectPixel(picture, 550, 200, kWhite, "last quarter");
    }
}

TEST_F(TexturedQuadSdlTest, TheTextureMatrixPicksOneCell) {
    std::unique_ptr<Vantor::Texture2D> texture(
        renderSystem_->CreateTextureFromImages("corners", Corners(), nullptr, false, false));
    renderSystem_->SetTextureMatrix(0, 0.5f, 0.5f, 0.5f, 0.5f);  // the top right quarter
    Vantor::Image picture;
    DrawQuad(texture.get(), 0, 1.0f, picture);
    ExpectPixel(picture, 250, 150, kGreen, "bottom left of the quad");
    ExpectPixel(picture, 550, 450, kGreen, "top right of the quad");
}

TEST_F(TexturedQuadSdlTest, ACompressedPictureShowsItsColour) {
    // A 4 x 4 DXT5 file of one opaque red block.
    std::string dds = "DDS ";
    const std::uint32_t header[] = {124, 0x1007 | 0x20000, 4, 4, 0, 0, 1};
    dds.append(reinterpret_cast<const char*>(header), sizeof(header));
    dds.append(44, '\0');
    const std::uint32_t format[] = {32, 0x4};
    dds.append(reinterpret_cast<const char*>(format), sizeof(format));
    dds += "DXT5";
    dds.append(40, '\0');
    dds.append("\xFF\x00\x00\x00\x00\x00\x00\x00\x00\xF8\x1F\x00\x00\x00\x00\x00", 16);
    home_.folder.WriteFile("pictures/red.dds", dds);

    std::unique_ptr<Vantor::Texture2D> texture(
        renderSystem_->CreateTextureFromFiles("red", L"pictures\\red.dds", L"", false, false));
    Vantor::Image picture;
    DrawQuad(texture.get(), 0, 1.0f, picture);
    ExpectPixel(picture, 400, 300, kRed, "middle");
}

}  // namespace
