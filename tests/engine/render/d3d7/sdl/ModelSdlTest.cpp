// Models drawn by the model manager through OpenGL under an X server: a textured model
// loaded from its model file with the material of its shader file shows where its
// camera puts it, in its picture's colours, and blended quads drawn farthest first
// overlap in their depth order whatever order they were made in.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/engine/render/ModelTestSupport.h"

namespace modeltest {
namespace {

using scenes::Rgb;

class ModelSdlTest : public ModelTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ModelTest::SetUp();
        Values().vsync = false;
        camera_ = scenes::MakeSceneCamera();
    }

    void ExpectPixel(const Vantor::Image& picture, int x, int y, const Rgb& expected, const char* what) {
        const Rgb actual = scenes::PixelAt(picture, x, y);
        const bool near = std::abs(actual.red - expected.red) <= 4 && std::abs(actual.green - expected.green) <= 4 &&
                          std::abs(actual.blue - expected.blue) <= 4;
        EXPECT_TRUE(near) << what << ": " << scenes::Describe(actual) << " instead of " << scenes::Describe(expected);
    }

    // The orthographic camera over the 800 x 600 picture (one unit a pixel, y up).
    Vantor::Camera* camera_ = nullptr;
};

// A 24-bit TGA of 2 x 2 pixels, rows bottom first: blue and white, then red and green.
std::string CornersTga() {
    std::string file(18, '\0');
    file[2] = 2;  // true colour
    file[12] = 2;
    file[14] = 2;
    file[16] = 24;
    const unsigned char bgr[] = {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0};
    file.append(reinterpret_cast<const char*>(bgr), sizeof(bgr));
    return file;
}

// A 200 x 200 square from the origin, texture coordinates 0..1 over it.
ModelFileWriter::Model SquareFile() {
    ModelFileWriter::Model file;
    file.flags = ModelFlags::kStatic | ModelFlags::kTriangleList | ModelFlags::kVisible;
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& corner : corners) {
        ModelFileWriter::Vertex vertex;
        vertex.position[0] = 200 * corner[0];
        vertex.position[1] = 200 * corner[1];
        vertex.u = corner[0];
        vertex.v = corner[1];
        file.vertices.push_back(vertex);
    }
    file.vertexCount = 4;
    file.indices = {0, 1, 2, 2, 3, 0};
    ModelFileWriter::Box box;
    box.maximum[0] = 200;
    box.maximum[1] = 200;
    file.boxes = {box};
    return file;
}

TEST_F(ModelSdlTest, TexturedModelFromItsFilesShowsWhereItsCameraPutsIt) {
    home_.folder.WriteFile("data/models/sign.tga", CornersTga());
    Content::ShaderFileWriter::Shader material;
    Content::ShaderFileWriter::Stage stage;
    stage.textureName = "sign";  // beside the shader file
    material.stages = {stage};
    Content::ShaderFileWriter::WriteFile(L"data\\models\\sign.srf", material);
    WriteModel(L"models\\sign.mlf", SquareFile());

    Model* source = Models().LoadModel(L"models\\sign.mlf", camera_, 0, false);
    Model* sign = Models().CreateModelInstance(*source, nullptr, 0);
    delete source;
    sign->SetWorldMatrix(Vantor::Matrix4::Translation({300, 100, 0}));
    ASSERT_TRUE(TakeErrors().empty());

    Vantor::Image picture;
    PresentAndCapture(picture);
    EXPECT_EQ(1u, Models().GetDrawnModelCount());
    ExpectPixel(picture, 340, 260, {255, 0, 0}, "top left of the sign");
    ExpectPixel(picture, 460, 260, {0, 255, 0}, "top right of the sign");
    ExpectPixel(picture, 340, 140, {0, 0, 255}, "bottom left of the sign");
    ExpectPixel(picture, 460, 140, {255, 255, 255}, "bottom right of the sign");
    ExpectPixel(picture, 280, 200, {0, 0, 0}, "left of the sign");
    ExpectPixel(picture, 400, 320, {0, 0, 0}, "above the sign");

    // Moved by its world matrix in the next frame.
    sign->SetWorldMatrix(Vantor::Matrix4::Translation({0, 0, 0}));
    PresentAndCapture(picture);
    ExpectPixel(picture, 40, 160, {255, 0, 0}, "top left after the move");
    ExpectPixel(picture, 340, 260, {0, 0, 0}, "where the sign was");
}

TEST_F(ModelSdlTest, BlendedQuadsOverlapFarthestFirst) {
    const Vantor::ShaderDescriptor blended(true, false, "", false);
    struct Layer {
        float x;
        float z;
        Vantor::Color colour;
    };
    // Red from 200, green from 250, blue from 300, each 200 wide; made nearest first, so
    // that registry order and depth order disagree.
    const Layer layers[] = {{300, 0.0f, {0, 0, 1, 0.5f}}, {200, -100.0f, {1, 0, 0, 0.5f}}, {250, -50.0f, {0, 1, 0, 0.5f}}};
    for (const Layer& layer : layers) {
        Model* quad = MakeQuad(Models(), 0, 0, 0, ModelFlags::kVertexColours, &blended);
        quad->SetCamera(camera_);
        quad->SetColour(layer.colour);
        quad->SetWorldMatrix(Vantor::Matrix4::Translation({layer.x, 200, layer.z}) *
                             Vantor::Matrix4::Scale({200, 200, 1}));
    }

    Vantor::Image picture;
    PresentAndCapture(picture);
    ASSERT_EQ(3u, Models().GetSecondList().size());
    // Over black: red first, then green, then blue, each at half strength.
    ExpectPixel(picture, 225, 300, {128, 0, 0}, "red alone");
    ExpectPixel(picture, 275, 300, {64, 128, 0}, "green over red");
    ExpectPixel(picture, 350, 300, {32, 64, 128}, "blue over green over red");
    ExpectPixel(picture, 475, 300, {0, 0, 128}, "blue alone");
}

}  // namespace
}  // namespace modeltest
