#include "tests/engine/render/ModelTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "platform/Clock.h"

namespace modeltest {

void ModelTest::SetUp() {
    ModelManagersTest::SetUp();
    MakeScene();
}

void ModelTest::TearDown() {
    DestroyScene();
    ModelManagersTest::TearDown();
}

void ModelTest::MakeScene(bool stencilBufferWanted) {
    DestroyScene();
    Make(stencilBufferWanted);
    MakeModelManagers();
    NextFrame();
}

void ModelTest::DestroyScene() {
    DestroyModelManagers();
    renderSystem_.reset();
}

void ModelTest::NextFrame() {
    platform::seam::AdvanceVirtualTime(150000);
    timers_->Update();
    cameras_->ResizeCameras();
}

void ModelTest::RenderFrame() {
    NextFrame();
    models_->Render();
}

void ModelTest::PresentAndCapture(Vantor::Image& picture) {
    NextFrame();
    shaders_->Update();
    models_->Render();
    models_->SwapBuffers();
    ASSERT_TRUE(renderSystem_->IsReady()) << "no call of the frame failed";
    renderSystem_->CaptureScreen(picture);
}

std::wstring ModelTest::WriteModel(const std::wstring& name, const ModelFileWriter::Model& model) {
    return WriteBytes(name, ModelFileWriter::Build(model));
}

std::wstring ModelTest::WriteBytes(const std::wstring& name, const ModelFileWriter::Bytes& bytes) {
    std::string relative = "data/";
    for (wchar_t c : name) relative.push_back(c == L'\\' ? '/' : static_cast<char>(c));
    home_.folder.WriteFile(relative, std::string(bytes.begin(), bytes.end()));
    return name;
}

std::vector<DWORD> ModelTest::RenderStateValues(DWORD state) const {
    std::vector<DWORD> values;
    for (const platform::seam::DeviceCall& call : Calls("IDirect3DDevice7::SetRenderState"))
        if (call.args.at(0) == state) values.push_back(call.args.at(1));
    return values;
}

std::vector<float> ModelTest::DrawnFirstX() const {
    std::vector<float> xs;
    for (const platform::seam::DeviceCall& call : Draws()) {
        float x = 0.0f;
        if (call.vertices.size() >= sizeof(x)) std::memcpy(&x, call.vertices.data(), sizeof(x));
        xs.push_back(x);
    }
    return xs;
}

namespace {

template <class Layout>
void PutQuad(Layout* vertices, float x, float y, float z) {
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        Layout& vertex = vertices[i];
        vertex.position[0] = x + corners[i][0];
        vertex.position[1] = y + corners[i][1];
        vertex.position[2] = z;
        vertex.normal[0] = 0.0f;
        vertex.normal[1] = 0.0f;
        vertex.normal[2] = 1.0f;
        vertex.u = corners[i][0];
        vertex.v = corners[i][1];
    }
}

}  // namespace

Model* MakeQuad(Vantor::ModelManager& models, float x, float y, float z, std::uint32_t flags,
                const Vantor::ShaderDescriptor* shader) {
    const std::uint32_t quadFlags = ModelFlags::kStatic | ModelFlags::kBoundsEachFrame | ModelFlags::kTriangleList |
                                    ModelFlags::kVisible | flags;
    Model* quad = models.CreateModel(quadFlags, 4, 6, 1, shader, nullptr, false);
    Vantor::VertexBuffer& vertices = *quad->GetVertexBuffer();
    if (vertices.HasColours())
        PutQuad(vertices.LockColoured(0, 4), x, y, z);
    else
        PutQuad(vertices.Lock(0, 4), x, y, z);
    vertices.Unlock();
    const std::int32_t indices[6] = {0, 1, 2, 2, 3, 0};
    quad->GetIndexBuffer()->SetIndices(0, 6, indices);
    return quad;
}

namespace {

ModelFileWriter::Vertex PlainVertex(float x, float y, float z, float u, float v) {
    ModelFileWriter::Vertex vertex;
    vertex.position[0] = x;
    vertex.position[1] = y;
    vertex.position[2] = z;
    vertex.u = u;
    vertex.v = v;
    return vertex;
}

ModelFileWriter::Box Box(float x0, float y0, float z0, float x1, float y1, float z1) {
    ModelFileWriter::Box box;
    box.minimum[0] = x0;
    box.minimum[1] = y0;
    box.minimum[2] = z0;
    box.maximum[0] = x1;
    box.maximum[1] = y1;
    box.maximum[2] = z1;
    return box;
}

}  // namespace

ModelFileWriter::Model TriangleFile() {
    ModelFileWriter::Model file;
    file.flags = ModelFlags::kStatic | ModelFlags::kTriangleList | ModelFlags::kVisible;
    file.indices = {0, 1, 2};
    file.vertexCount = 3;
    file.vertices = {PlainVertex(0, 0, 0, 0, 0), PlainVertex(1, 0, 0, 1, 0), PlainVertex(0, 1, 0, 0, 1)};
    file.boxes = {Box(0, 0, 0, 1, 1, 0)};
    return file;
}

ModelFileWriter::Model KeyFrameTriangleFile(std::uint32_t frames) {
    ModelFileWriter::Model file;
    file.flags = ModelFlags::kKeyFrames | ModelFlags::kTriangleList | ModelFlags::kVisible;
    file.frameCount = frames;
    file.speed = 10.0f;
    file.indices = {0, 1, 2};
    file.vertexCount = 3;
    for (std::uint32_t f = 0; f < frames; ++f) {
        const float dx = static_cast<float>(f);
        file.vertices.push_back(PlainVertex(dx, 0, 0, 0, 0));
        file.vertices.push_back(PlainVertex(dx + 1, 0, 0, 1, 0));
        file.vertices.push_back(PlainVertex(dx, 1, 0, 0, 1));
        file.boxes.push_back(Box(dx, 0, 0, dx + 1, 1, 0));
    }
    return file;
}

ModelFileWriter::Model SkinnedTriangleFile(std::uint32_t version, std::uint32_t frames) {
    ModelFileWriter::Model file;
    file.version = version;
    file.flags = ModelFlags::kSkinned | ModelFlags::kTriangleList | ModelFlags::kVisible;
    file.frameCount = frames;
    file.speed = 10.0f;
    ModelFileWriter::Bone bone;
    bone.name = "root";
    bone.pivot[0] = 5.0f;  // only stored in version 202
    file.bones = {bone};
    for (std::uint32_t f = 0; f < frames; ++f) {
        // Position, rotation (identity), scale.
        const float key[10] = {0, static_cast<float>(f), 0, 0, 0, 0, 1, 1, 1, 1};
        file.keyValues.insert(file.keyValues.end(), key, key + 10);
    }
    file.indices = {0, 1, 2};
    file.vertexCount = 3;
    const float corners[3][2] = {{0, 0}, {1, 0}, {0, 1}};
    for (const auto& corner : corners) {
        ModelFileWriter::Vertex vertex = PlainVertex(0, 0, 0, corner[0], corner[1]);
        ModelFileWriter::Influence influence;
        influence.position[0] = corner[0];
        influence.position[1] = corner[1];
        vertex.influences = {influence};
        file.vertices.push_back(vertex);
    }
    file.boxes = {Box(-7, -7, -7, 7, 7, 7)};
    return file;
}

Vantor::Vector3 VertexPosition(const Model& model, std::uint32_t i) {
    const Vantor::VertexBuffer& vertices = *model.GetVertexBuffer();
    float position[3];
    std::memcpy(position, vertices.GetData() + std::size_t{i} * vertices.GetVertexSize(), sizeof(position));
    return {position[0], position[1], position[2]};
}

void ExpectVector(const Vantor::Vector3& expected, const Vantor::Vector3& actual) {
    EXPECT_FLOAT_EQ(expected.x, actual.x);
    EXPECT_FLOAT_EQ(expected.y, actual.y);
    EXPECT_FLOAT_EQ(expected.z, actual.z);
}

}  // namespace modeltest
