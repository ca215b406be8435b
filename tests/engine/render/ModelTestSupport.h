#pragma once
// What the model tests share: the Direct3D 7 render system's fixture with the managers
// a model works with (frame clock, cameras, lights, shaders, models) registered as the
// engine registers them, model files written below the data folder, frames that run
// as the engine's frame end runs them, and the models drawn in the device's record.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace modeltest {

using Content::ModelFileWriter;
using Vantor::Model;
using Vantor::ModelFlags;

// The frame time every NextFrame gives (the clock runs past the 0.1 s clamp).
constexpr float kFrameTime = 0.1f;

class ModelTest : public d3d7test::ModelManagersTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the render system (with a stencil buffer when asked and the device has
    // one) and the model managers, replacing earlier ones.
    void MakeScene(bool stencilBufferWanted = false);
    void DestroyScene();

    // One frame clock tick of kFrameTime, then the cameras are updated.
    void NextFrame();
    // The model manager's pass after NextFrame.
    void RenderFrame();
    // The engine's frame end after NextFrame (shader frames, the draw pass, presentation),
    // then the picture on screen.
    void PresentAndCapture(Vantor::Image& picture);

    // Writes the model file below the data folder ("data\" + name); returns the name.
    std::wstring WriteModel(const std::wstring& name, const ModelFileWriter::Model& model);
    // Writes raw bytes as a file below the data folder; returns the name.
    std::wstring WriteBytes(const std::wstring& name, const ModelFileWriter::Bytes& bytes);

    // The device's draws since the last clear.
    std::vector<platform::seam::DeviceCall> Draws() const { return Calls("IDirect3DDevice7::DrawIndexedPrimitive"); }
    // The values a render state was set to since the last clear, in order.
    std::vector<DWORD> RenderStateValues(DWORD state) const;
    // The first vertex position of each draw since the last clear, as x coordinates.
    std::vector<float> DrawnFirstX() const;

    Vantor::ModelManager& Models() { return *models_; }
    Vantor::ShaderManager& Shaders() { return *shaders_; }
    Vantor::CameraManager& Cameras() { return *cameras_; }
};

// A registered quad (two triangles, list) from (x, y) to (x + 1, y + 1) at depth z in
// front of the default camera, visible, with the given extra flags.
Model* MakeQuad(Vantor::ModelManager& models, float x, float y, float z, std::uint32_t flags = 0,
                const Vantor::ShaderDescriptor* shader = nullptr);

// A static model file of one triangle (3 vertices, box (0, 0, 0)..(1, 1, 0)).
ModelFileWriter::Model TriangleFile();
// A key-frame model file of one triangle over `frames` frames: frame f moves it by f
// along x (its box too).
ModelFileWriter::Model KeyFrameTriangleFile(std::uint32_t frames);
// A skinned model file of one triangle on one bone; the bone's key frame f moves it by
// f along y.
ModelFileWriter::Model SkinnedTriangleFile(std::uint32_t version, std::uint32_t frames);

// The position of vertex i of the model's vertex buffer.
Vantor::Vector3 VertexPosition(const Model& model, std::uint32_t i);

// Expects the vector to equal the expected one, coordinate by coordinate.
void ExpectVector(const Vantor::Vector3& expected, const Vantor::Vector3& actual);

}  // namespace modeltest
