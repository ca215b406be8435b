// Models as the manager makes them: the box, the self-made model, copies, the flag
// word's exclusions, primitive counts and the box of the indexed vertices.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/render/IndexBuffer.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/ModelTestSupport.h"

namespace modeltest {
namespace {

TEST_F(ModelTest, BoxModelHasItsGeometryFlagsAndName) {
    Model* box = Models().CreateBoxModel({-1, -1, -1}, {1, 2, 3}, nullptr, nullptr, 0x10);
    EXPECT_EQ(L"box", box->GetName());
    EXPECT_EQ(0x422C9u | 0x10u, box->GetFlags());
    EXPECT_EQ(24u, box->GetVertexBuffer()->GetVertexCount());
    EXPECT_FALSE(box->GetVertexBuffer()->HasColours());
    EXPECT_EQ(36u, box->GetIndexBuffer()->GetCount());
    EXPECT_EQ(12u, box->GetPrimitiveCount());
    EXPECT_EQ(Vantor::PrimitiveType::TriangleList, box->GetPrimitiveType());
    EXPECT_EQ(Cameras().GetDefaultCamera(), box->GetCamera());
    ExpectVector({-1, -1, -1}, box->GetBoundingBox().localMin);
    ExpectVector({1, 2, 3}, box->GetBoundingBox().localMax);
    // First face (normal -z): m m m with u, v (1, 0); its third vertex M M m.
    ExpectVector({-1, -1, -1}, VertexPosition(*box, 0));
    EXPECT_FLOAT_EQ(1.0f, box->GetVertexBuffer()->Lock(0, 24)[0].u);
    ExpectVector({1, 2, -1}, VertexPosition(*box, 2));
    // Last face (normal -x): m M M.
    ExpectVector({-1, 2, 3}, VertexPosition(*box, 23));
    const auto* indices = reinterpret_cast<const std::uint16_t*>(box->GetIndexBuffer()->GetData());
    EXPECT_EQ((std::vector<std::uint16_t>{20, 21, 22, 22, 23, 20}), std::vector<std::uint16_t>(indices + 30, indices + 36));
    // The box is a template: the manager does not hold it.
    EXPECT_EQ(0u, Models().GetModelCount());
    delete box;
}

TEST_F(ModelTest, SelfMadeModelIsRegisteredWithBuffersToFill) {
    Model* model = Models().CreateModel(0, 5, 7, 3, nullptr, nullptr, false);
    EXPECT_EQ(L"self_made", model->GetName());
    EXPECT_EQ(ModelFlags::kVertexBufferKind, model->GetFlags());
    EXPECT_EQ(1, model->GetVertexBuffer()->GetKind());
    EXPECT_EQ(0, model->GetIndexBuffer()->GetKind());
    EXPECT_EQ(5u, model->GetVertexBuffer()->GetVertexCount());
    EXPECT_EQ(Vantor::PrimitiveType::TriangleStrip, model->GetPrimitiveType());
    EXPECT_EQ(5u, model->GetPrimitiveCount());
    EXPECT_NEAR(0.0001f, model->GetBoundingBox().localMax.x, 1e-9f);
    EXPECT_EQ(0u, model->GetShaderUser()->GetStageCount());
    EXPECT_EQ(1u, Models().GetModelCount());
    Models().ReleaseModel(model);
    EXPECT_EQ(0u, Models().GetModelCount());
}

struct FlagCase {
    const char* name;
    std::uint32_t start;
    std::uint32_t set;
    std::uint32_t clear;
    std::uint32_t expected;
};

TEST_F(ModelTest, FlagWordKeepsItsExclusions) {
    const std::uint32_t first = ModelFlags::kFirstDrawList;
    const std::uint32_t second = ModelFlags::kSecondDrawList;
    const std::uint32_t cw = ModelFlags::kCullClockwise;
    const std::uint32_t ccw = ModelFlags::kCullCounterClockwise;
    const std::uint32_t both = ModelFlags::kTwoPasses;
    const FlagCase cases[] = {
        {"second list replaces the first", first, second, 0, second},
        {"clearing the second list moves to the first", second, 0, second, first},
        {"clearing the first list moves to the second", first, 0, first, second},
        {"clearing both lists clears both", first, 0, first | second, 0},
        {"first list wins when both are set", 0, first | second, 0, first},
        {"clockwise wins over two passes", 0, cw | both, 0, cw},
        {"counter-clockwise wins over two passes", 0, ccw | both, 0, ccw},
        {"clockwise wins over counter-clockwise", 0, cw | ccw, 0, cw},
        {"two passes replace clockwise", cw, both, 0, both},
        {"counter-clockwise replaces two passes", both, ccw, 0, ccw},
        {"other bits are kept", 0x10 | ModelFlags::kVisible, cw, 0, 0x10 | ModelFlags::kVisible | cw},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint32_t kind = ModelFlags::kVertexBufferKind;
        Model* model = Models().CreateModel(kind | c.start, 3, 3, 1, nullptr, nullptr, false);
        if (c.set) model->SetFlags(c.set);
        if (c.clear) model->ClearFlags(c.clear);
        EXPECT_EQ(kind | c.expected, model->GetFlags());
        Models().ReleaseModel(model);
    }
}

struct PrimitiveCase {
    std::uint32_t indices;
    std::uint32_t flags;
    std::uint32_t primitives;
};

TEST_F(ModelTest, PrimitiveCountFollowsIndicesAndType) {
    const PrimitiveCase cases[] = {
        {2, ModelFlags::kTriangleList, 0}, {2, 0, 0},   {36, ModelFlags::kTriangleList, 12},
        {36, 0, 34},                       {37, ModelFlags::kTriangleList, 12}, {3, 0, 1},
    };
    for (const PrimitiveCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.indices) + " indices, flags " + std::to_string(c.flags));
        Model* model = Models().CreateModel(c.flags | ModelFlags::kVertexBufferKind, 3, c.indices, 1, nullptr, nullptr, false);
        EXPECT_EQ(c.primitives, model->GetPrimitiveCount());
        Models().ReleaseModel(model);
    }
}

TEST_F(ModelTest, BoundingBoxCountsOnlyIndexedVertices) {
    Model* model = MakeQuad(Models(), 2, 3, -4);
    // A far vertex that no index uses, and indices in use only up to the first triangle.
    Vantor::Vertex* vertices = model->GetVertexBuffer()->Lock(0, 4);
    vertices[3].position[0] = 1000.0f;
    model->GetVertexBuffer()->Unlock();
    const std::int32_t indices[6] = {0, 1, 2, 2, 1, 0};
    model->GetIndexBuffer()->SetIndices(0, 6, indices);
    Vantor::BoundingBox box;
    model->ComputeBoundingBox(box, false);
    ExpectVector({2, 3, -4}, box.localMin);
    ExpectVector({3, 4, -4}, box.localMax);

    model->SetWorldMatrix(Vantor::Matrix4::Translation({10, 0, 0}));
    model->ComputeBoundingBox(box, true);
    ExpectVector({12, 3, -4}, box.localMin);
    Models().ReleaseModel(model);
}

TEST_F(ModelTest, ColouredCopyOfPlainModelIsWhite) {
    Model* source = Models().CreateBoxModel({0, 0, 0}, {1, 1, 1}, nullptr, nullptr, ModelFlags::kTwoPasses);
    source->SetWorldMatrix(Vantor::Matrix4::Translation({0, 0, -5}));
    source->SetDepthBias(2.0f);
    Model* copy = Models().CloneModel(*source, nullptr, ModelFlags::kVertexColours);

    EXPECT_EQ(source->GetFlags() | ModelFlags::kVertexColours, copy->GetFlags());
    ASSERT_TRUE(copy->GetVertexBuffer()->HasColours());
    for (std::uint32_t i = 0; i < 24; ++i) {
        Vantor::Color colour;
        copy->GetVertexBuffer()->GetColour(colour, i);
        EXPECT_EQ(1.0f, colour.x);
        EXPECT_EQ(1.0f, colour.y);
        EXPECT_EQ(1.0f, colour.z);
        EXPECT_EQ(1.0f, colour.w);
        ExpectVector(VertexPosition(*source, i), VertexPosition(*copy, i));
    }
    EXPECT_EQ(L"box", copy->GetName());
    EXPECT_EQ(36u, copy->GetIndexBuffer()->GetCount());
    EXPECT_EQ(12u, copy->GetPrimitiveCount());
    EXPECT_FLOAT_EQ(-5.0f, copy->GetWorldMatrix().m[11]);
    ExpectVector({0, 0, -5}, copy->GetBoundingBox().worldMin);
    EXPECT_EQ(2.0f, copy->GetDepthBias());
    // A copy can add flags, never remove them.
    Model* plain = Models().CloneModel(*copy, nullptr, 0);
    EXPECT_TRUE(plain->GetVertexBuffer()->HasColours());
    delete plain;
    delete copy;
    delete source;
}

TEST_F(ModelTest, InstanceIsRegisteredAndUsesItsOwnOrTheSourceCamera) {
    Vantor::Camera* camera = Cameras().CreateCamera(1);
    Model* source = Models().CreateBoxModel({0, 0, 0}, {1, 1, 1}, nullptr, camera, 0);
    Model* instance = Models().CreateModelInstance(*source, nullptr, 0);
    EXPECT_EQ(camera, instance->GetCamera());
    EXPECT_EQ(1u, Models().GetModelCount());
    Model* other = Models().CreateModelInstance(*source, Cameras().GetDefaultCamera(), 0);
    EXPECT_EQ(Cameras().GetDefaultCamera(), other->GetCamera());
    Models().ReleaseModel(instance);
    Models().ReleaseModel(other);
    delete source;
}

TEST_F(ModelTest, NewShaderIsTakenBeforeTheOldOneIsGivenBack) {
    const Vantor::ShaderDescriptor material(true, false, "pictures\\missing", true);
    Model* model = Models().CreateBoxModel({0, 0, 0}, {1, 1, 1}, &material, nullptr, 0);
    const Vantor::Shader* shader = model->GetShaderUser()->GetShader();
    const Vantor::ShaderDescriptor unblended(false, false, "pictures\\missing", true);
    model->ChangeShader(unblended);
    // The same textures: the shader stayed loaded and is shared by the new user.
    EXPECT_EQ(shader, model->GetShaderUser()->GetShader());
    EXPECT_EQ(0, model->GetShaderUser()->GetFlags() & Vantor::ShaderDescriptor::kBlending);
    EXPECT_EQ(1u, Shaders().GetShaderUserCount());
    EXPECT_EQ(1u, Shaders().GetShaderCount());
    delete model;
    EXPECT_EQ(0u, Shaders().GetShaderUserCount());
}

TEST_F(ModelTest, ColourAlphaAndTextureScaleReachTheVertices) {
    Model* quad = MakeQuad(Models(), 0, 0, -2, ModelFlags::kVertexColours);
    quad->SetColour({1.0f, 0.0f, 0.5f, 1.0f});
    quad->SetAlpha(0.5f);
    quad->ScaleTextureCoordinates({2.0f, 3.0f});
    const Vantor::ColouredVertex& corner = quad->GetVertexBuffer()->LockColoured(0, 4)[2];
    quad->GetVertexBuffer()->Unlock();
    EXPECT_EQ(0x80FF0080u, corner.colour);
    EXPECT_FLOAT_EQ(2.0f, corner.u);
    EXPECT_FLOAT_EQ(3.0f, corner.v);
    Models().ReleaseModel(quad);
}

}  // namespace
}  // namespace modeltest
