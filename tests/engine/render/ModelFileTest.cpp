// Models read from model files ("VTMLF"), their materials from the shader files beside
// them, and the files that are refused: logged, with a box in their place.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Skeleton.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/render/ModelTestSupport.h"

namespace modeltest {
namespace {

class ModelFileTest : public ModelTest {
protected:
    // Models without a shader file beside them log its absence, nothing else.
    void ExpectOnlyShaderFileErrors() {
        for (const std::string& error : TakeErrors())
            EXPECT_NE(std::string::npos, error.find(".srf\" file")) << error;
    }

    // Loads the file; expects the fallback box named like it and returns the error logged.
    std::string ExpectRefused(const std::wstring& name, std::uint32_t flags = 0) {
        Model* model = Models().LoadModel(name, nullptr, flags, false);
        EXPECT_EQ(name, model->GetName());
        EXPECT_EQ(24u, model->GetVertexBuffer()->GetVertexCount());
        ExpectVector({-1, -1, -1}, model->GetBoundingBox().localMin);
        ExpectVector({1, 1, 1}, model->GetBoundingBox().localMax);
        EXPECT_EQ(0u, model->GetShaderUser()->GetStageCount());
        delete model;
        const std::vector<std::string> errors = TakeErrors();
        EXPECT_EQ(1u, errors.size());
        return errors.empty() ? "" : errors.front();
    }
};

TEST_F(ModelFileTest, StaticModelIsReadIntoItsBuffers) {
    ModelFileWriter::Model file = TriangleFile();
    file.flags |= ModelFlags::kVertexColours;
    WriteModel(L"models\\triangle.mlf", file);
    Model* model = Models().LoadModel(L"models\\triangle.mlf", nullptr, ModelFlags::kDepthTest, false);
    EXPECT_EQ(L"models\\triangle.mlf", model->GetName());
    EXPECT_EQ(file.flags | ModelFlags::kDepthTest, model->GetFlags());
    ASSERT_EQ(3u, model->GetVertexBuffer()->GetVertexCount());
    EXPECT_TRUE(model->GetVertexBuffer()->HasColours());
    ExpectVector({1, 0, 0}, VertexPosition(*model, 1));
    const Vantor::ColouredVertex& top = model->GetVertexBuffer()->LockColoured(0, 3)[2];
    model->GetVertexBuffer()->Unlock();
    EXPECT_EQ(1.0f, top.v);
    EXPECT_EQ(1.0f, top.normal[2]);
    EXPECT_EQ(0xFFFFFFFFu, top.colour);
    EXPECT_EQ(1u, model->GetPrimitiveCount());
    ExpectVector({1, 1, 0}, model->GetBoundingBox().localMax);
    ExpectOnlyShaderFileErrors();
    delete model;
}

TEST_F(ModelFileTest, IndexWidthFollowsTheIndexCount) {
    for (std::uint32_t count : {65535u, 65536u}) {
        SCOPED_TRACE(count);
        ModelFileWriter::Model file = TriangleFile();
        file.indices.assign(count, 2);
        file.indices[0] = 1;
        WriteModel(L"models\\many.mlf", file);
        Model* model = Models().LoadModel(L"models\\many.mlf", nullptr, 0, false);
        EXPECT_EQ(count > 65535, model->GetIndexBuffer()->IsWide());
        EXPECT_EQ(count, model->GetIndexBuffer()->GetCount());
        EXPECT_EQ(1u, model->GetIndexBuffer()->GetMinIndex());
        EXPECT_EQ(2u, model->GetIndexBuffer()->GetIndexRange());
        delete model;
    }
    ExpectOnlyShaderFileErrors();
}

TEST_F(ModelFileTest, FlagsOfZeroGiveTheVertexBufferKind) {
    ModelFileWriter::Model file;
    file.flags = 0;
    file.boxes = {ModelFileWriter::Box{}};
    WriteModel(L"models\\empty.mlf", file);
    Model* model = Models().LoadModel(L"models\\empty.mlf", nullptr, 0, false);
    EXPECT_EQ(ModelFlags::kVertexBufferKind, model->GetFlags());
    EXPECT_EQ(0u, model->GetVertexBuffer()->GetVertexCount());
    EXPECT_EQ(0u, model->GetPrimitiveCount());
    ExpectOnlyShaderFileErrors();
    delete model;
}

TEST_F(ModelFileTest, KeyFrameModelFillsItsVerticesOnItsFirstUpdate) {
    WriteModel(L"models\\walk.mlf", KeyFrameTriangleFile(3));
    Model* model = Models().LoadModel(L"models\\walk.mlf", nullptr, 0, false);
    ExpectVector({0, 0, 0}, VertexPosition(*model, 1));
    ExpectVector({1, 1, 0}, model->GetBoundingBox().localMax);
    model->Update(false);
    ExpectVector({1, 0, 0}, VertexPosition(*model, 1));
    EXPECT_EQ(1.0f, model->GetVertexBuffer()->Lock(0, 3)[2].v);
    model->GetVertexBuffer()->Unlock();
    delete model;
}

TEST_F(ModelFileTest, SkinnedModelTakesTheSkeletonsPoseBox) {
    for (std::uint32_t version : {201u, 202u}) {
        SCOPED_TRACE(version);
        WriteModel(L"models\\skin.mlf", SkinnedTriangleFile(version, 2));
        Model* model = Models().LoadModel(L"models\\skin.mlf", nullptr, 0, false);
        ASSERT_NE(nullptr, model->GetSkeleton());
        const Vantor::Bone& bone = *const_cast<Vantor::Skeleton*>(model->GetSkeleton())->GetBone(0);
        EXPECT_EQ("root", bone.name);
        // Version 201 stores no pivots.
        const float pivot = version == 201 ? 0.0f : 5.0f;
        EXPECT_EQ(pivot, bone.pivot.x);
        // The box of the pose at frame 0, not the file's (-7..7): the bone's box
        // (-0.5..0.5) moved by the pivot.
        ExpectVector({pivot - 0.5f, -0.5f, -0.5f}, model->GetBoundingBox().localMin);
        model->Update(false);
        ExpectVector({pivot + 1.0f, 0, 0}, VertexPosition(*model, 1));
        delete model;
    }
    ExpectOnlyShaderFileErrors();
}

TEST_F(ModelFileTest, MaterialComesFromTheShaderFileBesideIt) {
    WriteModel(L"models\\crate.mlf", TriangleFile());
    Content::ShaderFileWriter::Shader shader;
    shader.flags = 1;
    Content::ShaderFileWriter::Stage stage;
    stage.textureName = "crate";
    shader.stages = {stage};
    Content::ShaderFileWriter::WriteFile(L"data\\models\\crate.srf", shader);
    Model* model = Models().LoadModel(L"models\\crate.mlf", nullptr, 0, false);
    ASSERT_EQ(1u, model->GetShaderUser()->GetStageCount());
    EXPECT_EQ("models\\crate", model->GetShaderUser()->GetStage(0).textureName);
    delete model;

    WriteModel(L"models\\plain.mlf", TriangleFile());
    model = Models().LoadModel(L"models\\plain.mlf", nullptr, 0, false);
    EXPECT_EQ(0u, model->GetShaderUser()->GetStageCount());
    delete model;
    TakeErrors();  // the missing texture and the missing shader file
}

TEST_F(ModelFileTest, AnimationTakesTheFilesFramesAndSpeed) {
    WriteModel(L"models\\walk.mlf", KeyFrameTriangleFile(4));
    Model* model = Models().LoadModel(L"models\\walk.mlf", nullptr, 0, false);
    Vantor::AnimationControl& control = *model->GetAnimationControl();
    control.SetLoop(false);
    control.Play();
    for (int i = 0; i < 5; ++i) {
        NextFrame();
        model->Update(false);
    }
    // 10 frames per second: the range of 4 frames ends on its last frame.
    EXPECT_EQ(3u, control.GetFrameA());
    EXPECT_FALSE(control.IsPlaying());
    ExpectVector({4, 0, 0}, VertexPosition(*model, 1));
    delete model;
}

TEST_F(ModelFileTest, LengthOffByOneIsRefusedWithTheLoggedText) {
    for (int delta : {-1, 1}) {
        ModelFileWriter::Bytes bytes = ModelFileWriter::Build(TriangleFile());
        const std::uint32_t length = static_cast<std::uint32_t>(bytes.size()) + delta;
        std::memcpy(bytes.data(), &length, 4);
        WriteBytes(L"models\\short.mlf", bytes);
        EXPECT_EQ("Incorrect \"models\\short.mlf\" file format", ExpectRefused(L"models\\short.mlf"));
    }
}

TEST_F(ModelFileTest, WrongMagicOrVersionIsRefused) {
    ModelFileWriter::Bytes bytes = ModelFileWriter::Build(TriangleFile());
    bytes[8] = 'X';
    WriteBytes(L"models\\magic.mlf", bytes);
    EXPECT_EQ("Incorrect \"models\\magic.mlf\" file format", ExpectRefused(L"models\\magic.mlf"));

    ModelFileWriter::Model file = TriangleFile();
    file.version = 203;
    WriteModel(L"models\\new.mlf", file);
    EXPECT_EQ("Incorrect \"models\\new.mlf\" format version, current is 202", ExpectRefused(L"models\\new.mlf"));
}

TEST_F(ModelFileTest, MissingFileGivesABoxNamedLikeIt) {
    const std::string error = ExpectRefused(L"models\\nowhere.mlf");
    EXPECT_EQ(0u, error.find("Failed to open \"")) << error;
    EXPECT_NE(std::string::npos, error.find("models\\nowhere.mlf\" file")) << error;
}

TEST_F(ModelFileTest, CallerFlagsChangeTheSectionsExpected) {
    WriteModel(L"models\\triangle.mlf", TriangleFile());
    const std::string error = ExpectRefused(L"models\\triangle.mlf", ModelFlags::kKeyFrames);
    EXPECT_EQ(0u, error.find("Incorrect \"models\\triangle.mlf\" file format")) << error;
}

TEST_F(ModelFileTest, ReleaseLeavesAnUnregisteredModelAlone) {
    Model* model = Models().LoadModel(L"models\\nowhere.mlf", nullptr, 0, false);
    Models().ReleaseModel(model);
    Models().ReleaseModel(nullptr);
    EXPECT_EQ(L"models\\nowhere.mlf", model->GetName());
    delete model;
    TakeErrors();
}

// A file the reader must refuse before it allocates or reads outside an array.
struct BrokenFile {
    const char* name;
    std::function<void(ModelFileWriter::Model&)> change;
    // Applied to the built bytes after the change (the length is fixed up afterwards).
    std::function<void(ModelFileWriter::Bytes&)> patch;
    const char* detail;
};

void PutU32(ModelFileWriter::Bytes& bytes, std::size_t offset, std::uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}

// Offsets in a static file: the head is 17 bytes, then index and vertex counts.
constexpr std::size_t kIndexCountOffset = 17;
constexpr std::size_t kVertexCountOffset = 21;

TEST_F(ModelFileTest, CountsAndReferencesBeyondTheFileAreRefused) {
    const BrokenFile cases[] = {
        {"index count beyond the bytes", nullptr,
         [](ModelFileWriter::Bytes& b) { PutU32(b, kIndexCountOffset, 0xFFFFFFFFu); },
         "4294967295 indices need 17179869180 bytes"},
        {"vertex count beyond the bytes", nullptr,
         [](ModelFileWriter::Bytes& b) { PutU32(b, kVertexCountOffset, 0x10000000u); }, "268435456 vertex records need"},
        {"index not below the vertex count", [](ModelFileWriter::Model& m) { m.indices[2] = 3; }, nullptr,
         "index 2 is 3, not below the vertex count 3"},
        {"vertices without a layout",
         [](ModelFileWriter::Model& m) {
             m.flags = ModelFlags::kTriangleList;
             m.vertices.clear();
         },
         nullptr, "3 vertices without vertex records"},
        {"key frames without frames", [](ModelFileWriter::Model& m) { m = KeyFrameTriangleFile(1); m.frameCount = 0; },
         nullptr, "an animated model without frames"},
        {"frame count beyond the bytes", [](ModelFileWriter::Model& m) { m = KeyFrameTriangleFile(2); m.frameCount = 0x40000000; },
         nullptr, "3221225472 vertex records need"},
        {"bone count beyond the bytes", [](ModelFileWriter::Model& m) { m = SkinnedTriangleFile(202, 1); },
         [](ModelFileWriter::Bytes& b) { b[25] = 0xFF; b[26] = 0xFF; }, "65535 bones need"},
        {"key values beyond the bytes", [](ModelFileWriter::Model& m) { m = SkinnedTriangleFile(202, 1); m.frameCount = 100000000; },
         nullptr, "1000000000 key values need"},
        {"more than four influences",
         [](ModelFileWriter::Model& m) {
             m = SkinnedTriangleFile(202, 1);
             m.vertices[1].influences.resize(5);
         },
         nullptr, "vertex 1 has 5 bone influences, at most 4"},
        {"influence count beyond the bytes", [](ModelFileWriter::Model& m) { m = SkinnedTriangleFile(202, 1); },
         [](ModelFileWriter::Bytes& b) {
             // The last vertex's influence count sits before its one influence (30 bytes)
             // and the box (24 bytes).
             b[b.size() - 24 - 30 - 2] = 4;
         },
         "4 bone influences need 120 bytes"},
        {"bone number beyond the bones", [](ModelFileWriter::Model& m) { m = SkinnedTriangleFile(202, 1); m.vertices[2].influences[0].bone = 1; },
         nullptr, "vertex 2 names bone 1 of 1"},
        {"boxes beyond the bytes", [](ModelFileWriter::Model& m) { m.boxes.clear(); }, nullptr, "1 boxes need 24 bytes, 0 are left"},
    };
    for (const BrokenFile& c : cases) {
        SCOPED_TRACE(c.name);
        ModelFileWriter::Model file = TriangleFile();
        if (c.change) c.change(file);
        ModelFileWriter::Bytes bytes = ModelFileWriter::Build(file);
        if (c.patch) c.patch(bytes);
        WriteBytes(L"models\\broken.mlf", bytes);
        const std::string error = ExpectRefused(L"models\\broken.mlf");
        EXPECT_EQ(0u, error.find("Incorrect \"models\\broken.mlf\" file format: ")) << error;
        EXPECT_NE(std::string::npos, error.find(c.detail)) << error;
    }
}

}  // namespace
}  // namespace modeltest
