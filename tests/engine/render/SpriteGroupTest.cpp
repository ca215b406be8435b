// Sprite groups: sprite indices handed out and reused, quads written far to near facing
// the camera, their corners, texture coordinates and colours, the rotation tolerance,
// hidden and empty groups, copies, and which groups the manager rebuilds.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "engine/render/ModelFlags.h"
#include "tests/engine/render/SpriteSceneTestSupport.h"

namespace {

using spritetest::DrawnIndices;
using spritetest::QuadCentre;
using spritetest::VertexOf;
using Vantor::Color;
using Vantor::SpriteGroup;
using Vantor::Vector3;

constexpr Color kWhite{1.0f, 1.0f, 1.0f, 1.0f};

class SpriteGroupTest : public spritetest::SpriteSceneTest {
protected:
    SpriteGroup* Group(std::uint32_t capacity) {
        return sprites_->CreateRegisteredSpriteGroup(capacity, nullptr, nullptr, false);
    }
};

void ExpectCorner(const SpriteGroup& group, std::uint32_t vertex, float x, float y, float z) {
    const Vantor::ColouredVertex& v = VertexOf(group, vertex);
    EXPECT_NEAR(v.position[0], x, 1e-5f) << "vertex " << vertex;
    EXPECT_NEAR(v.position[1], y, 1e-5f) << "vertex " << vertex;
    EXPECT_NEAR(v.position[2], z, 1e-5f) << "vertex " << vertex;
}

TEST_F(SpriteGroupTest, IndicesComeFromTheTopAndTheLastFreedComesBackFirst) {
    SpriteGroup& group = *Group(3);
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), 2);
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), 1);
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), 0);
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), -1) << "a full group has no index to give";

    group.RemoveSprite(1);
    EXPECT_TRUE(group.GetSprite(1)->hidden);
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), 1);
    EXPECT_FALSE(group.GetSprite(1)->hidden);

    group.RemoveSprite(0);
    group.RemoveSprite(2);
    group.RemoveSprite(2);  // already free: not handed out twice
    group.RemoveSprite(7);  // out of range
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), 2);
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), 0);
    EXPECT_EQ(group.AddSprite({}, 1, kWhite), -1);
    EXPECT_EQ(group.GetSprite(3), nullptr);
}

TEST_F(SpriteGroupTest, SortedQuadsAreWrittenFarthestFirstUnsortedInIndexOrder) {
    // The default camera sits at the origin and looks down -z.
    SpriteGroup& group = *Group(3);
    EXPECT_EQ(group.AddSprite({0, 0, -5}, 1, kWhite), 2);
    EXPECT_EQ(group.AddSprite({0, 0, -10}, 1, kWhite), 1);
    EXPECT_EQ(group.AddSprite({0, 0, -1}, 1, kWhite), 0);

    NextFrame(0.02);
    ASSERT_EQ(DrawnIndices(group), 18u);
    EXPECT_FLOAT_EQ(QuadCentre(group, 0).z, -10.0f);
    EXPECT_FLOAT_EQ(QuadCentre(group, 1).z, -5.0f);
    EXPECT_FLOAT_EQ(QuadCentre(group, 2).z, -1.0f);
    EXPECT_FLOAT_EQ(group.GetSprite(1)->depth, 10.0f);

    group.SetSort(false);
    NextFrame(0.02);
    EXPECT_FLOAT_EQ(QuadCentre(group, 0).z, -1.0f);
    EXPECT_FLOAT_EQ(QuadCentre(group, 1).z, -10.0f);
    EXPECT_FLOAT_EQ(QuadCentre(group, 2).z, -5.0f);
}

TEST_F(SpriteGroupTest, QuadFacesTheCameraWithFixedTextureCoordinates) {
    SpriteGroup& group = *Group(2);
    group.AddSprite({0, 0, 0}, 1, {1, 0, 0, 1});
    NextFrame(0.02);

    ASSERT_EQ(DrawnIndices(group), 6u);
    ExpectCorner(group, 0, -1, -1, 0);
    ExpectCorner(group, 1, -1, 1, 0);
    ExpectCorner(group, 2, 1, -1, 0);
    ExpectCorner(group, 3, 1, 1, 0);
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (std::uint32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(VertexOf(group, i).u, uv[i % 4][0]) << "vertex " << i;
        EXPECT_EQ(VertexOf(group, i).v, uv[i % 4][1]) << "vertex " << i;
    }
    for (std::uint32_t i = 0; i < 4; ++i) EXPECT_EQ(VertexOf(group, i).colour, 0xFFFF0000u);

    // Two triangles per slot over the slot's own vertices.
    const auto* indices = reinterpret_cast<const std::uint16_t*>(group.GetModel()->GetIndexBuffer()->GetData());
    EXPECT_THAT(std::vector<std::uint16_t>(indices, indices + 12),
                testing::ElementsAre(0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7));
}

TEST_F(SpriteGroupTest, RotationTurnsTheQuadAboutTheBackAxisAboveTheTolerance) {
    struct Case {
        float rotation;
        float corners[4][2];
    };
    const Case cases[] = {
        {0.00005f, {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}}},
        {std::numbers::pi_v<float> / 2, {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rotation);
        SpriteGroup& group = *Group(1);
        group.GetSprite(group.AddSprite({0, 0, 0}, 1, kWhite))->rotation = c.rotation;
        NextFrame(0.02);
        for (std::uint32_t i = 0; i < 4; ++i) ExpectCorner(group, i, c.corners[i][0], c.corners[i][1], 0);
        sprites_->ReleaseSpriteGroup(&group);
    }
}

TEST_F(SpriteGroupTest, GroupWithoutLiveSpritesDrawsNothing) {
    SpriteGroup& group = *Group(4);
    NextFrame(0.02);
    EXPECT_EQ(DrawnIndices(group), 0u);

    const int index = group.AddSprite({0, 0, -10}, 1, kWhite);
    NextFrame(0.02);
    EXPECT_EQ(DrawnIndices(group), 6u);
    group.RemoveSprite(index);
    NextFrame(0.02);
    EXPECT_EQ(DrawnIndices(group), 0u);
    DrawFrame();
    EXPECT_EQ(group.GetModel()->GetDrawnPrimitiveCount(), 0u);

    // A particle file may ask for no particles at all.
    SpriteGroup& none = *Group(0);
    EXPECT_EQ(none.AddSprite({0, 0, -10}, 1, kWhite), -1);
    NextFrame(0.02);
    DrawFrame();
    EXPECT_EQ(DrawnIndices(none), 0u);
}

TEST_F(SpriteGroupTest, TintMultipliesEverySpriteFromTheNextRebuild) {
    SpriteGroup& group = *Group(1);
    group.AddSprite({0, 0, -10}, 1, {1, 0.5f, 1, 1});
    NextFrame(0.02);
    group.SetColour({1, 1, 1, 0.5f});
    EXPECT_EQ(VertexOf(group, 0).colour, 0xFFFF80FFu);
    NextFrame(0.02);
    EXPECT_EQ(VertexOf(group, 0).colour, 0x80FF80FFu);
}

TEST_F(SpriteGroupTest, HiddenGroupKeepsTheQuadsOfItsLastRebuild) {
    SpriteGroup& group = *Group(2);
    const int index = group.AddSprite({0, 0, -10}, 1, kWhite);
    NextFrame(0.02);
    group.SetVisible(false);
    EXPECT_FALSE(group.IsVisible());
    EXPECT_EQ(group.GetModel()->GetFlags() & Vantor::ModelFlags::kVisible, 0u);

    group.GetSprite(index)->position = {5, 5, -10};
    group.AddSprite({0, 0, -20}, 1, kWhite);
    NextFrame(0.02);
    EXPECT_EQ(DrawnIndices(group), 6u);
    EXPECT_FLOAT_EQ(QuadCentre(group, 0).x, 0.0f);

    group.SetVisible(true);
    NextFrame(0.02);
    EXPECT_EQ(DrawnIndices(group), 12u);
}

TEST_F(SpriteGroupTest, ManagerRebuildsOnlyRegisteredGroupsAndReleasesOnlyThem) {
    const std::uint32_t modelsBefore = models_->GetModelCount();
    std::unique_ptr<SpriteGroup> own(sprites_->CreateSpriteGroup(2, nullptr, nullptr, false));
    SpriteGroup* registered = Group(2);
    EXPECT_EQ(models_->GetModelCount(), modelsBefore + 2) << "every group's model is registered";
    own->AddSprite({0, 0, -10}, 1, kWhite);
    registered->AddSprite({0, 0, -10}, 1, kWhite);

    NextFrame(0.02);
    EXPECT_EQ(DrawnIndices(*registered), 6u);
    EXPECT_EQ(DrawnIndices(*own), 12u) << "never rebuilt: it still draws every slot";

    sprites_->ReleaseSpriteGroup(own.get());  // not registered: left alone
    sprites_->ReleaseSpriteGroup(nullptr);
    EXPECT_EQ(sprites_->GetRegisteredCount(), 1u);
    sprites_->ReleaseSpriteGroup(registered);
    EXPECT_EQ(sprites_->GetRegisteredCount(), 0u);
    EXPECT_EQ(models_->GetModelCount(), modelsBefore + 1);
    own.reset();
    EXPECT_EQ(models_->GetModelCount(), modelsBefore);
}

TEST_F(SpriteGroupTest, InstanceCopiesSpritesFreeIndicesSortAndTintWithAModelOfItsOwn) {
    SpriteGroup& source = *Group(3);
    source.AddSprite({0, 0, -4}, 2, kWhite);
    source.AddSprite({0, 0, -8}, 3, kWhite);
    source.RemoveSprite(2);
    source.SetSort(false);
    source.SetColour({1, 1, 1, 0.5f});

    SpriteGroup& copy = *sprites_->CreateSpriteGroupInstance(source);
    EXPECT_NE(copy.GetModel(), source.GetModel());
    EXPECT_EQ(copy.GetCapacity(), 3u);
    EXPECT_EQ(copy.GetCamera(), source.GetCamera());
    EXPECT_FALSE(copy.IsSorted());
    EXPECT_FLOAT_EQ(copy.GetColour().w, 0.5f);
    EXPECT_TRUE(copy.GetSprite(2)->hidden);
    EXPECT_FLOAT_EQ(copy.GetSprite(1)->size, 3.0f);
    EXPECT_EQ(copy.AddSprite({}, 1, kWhite), 2) << "the free stack is copied";
    EXPECT_EQ(copy.AddSprite({}, 1, kWhite), 0);
    EXPECT_EQ(source.AddSprite({}, 1, kWhite), 2) << "and not shared";
}

}  // namespace
