// 2D sprites: the window a frame gives (size from the atlas texture's pixels and the
// scale, place from the offsets, the stage's atlas texture, the quad's texture
// coordinates), what a held frame leaves alone, the animation on the virtual clock, and
// the sprites that show nothing or fall back: no pack, a texture the pack lacks, frames
// and atlas textures that do not exist.

#include "tools/Sprite2D.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Vertex.h"
#include "engine/render/VertexBuffer.h"
#include "tests/tools/SpriteTestSupport.h"

namespace spritetest {
namespace {

using testing::ElementsAre;
using Vantor::GUIWindow;
using Vantor::Vector2;

// Texture "walk": frame 0 is the bottom-left eighth of atlas texture 0 (128 x 32 pixels
// of its 256 x 128), frame 1 the top-right quarter of texture 1 (32 x 32 of its 64 x 64)
// drawn 4 units to the right and 2 down.
std::vector<TexturePackWriter::Texture> WalkTextures() {
    return {PackTexture("walk", {AtlasFrame(0, 0.0f, 0.0f, 0.5f, 0.25f), AtlasFrame(1, 0.5f, 0.5f, 1.0f, 1.0f, 4, -2)})};
}

// The texture coordinates (u, v) of the window's four vertices.
std::vector<Vector2> TextureCoordinates(const GUIWindow& window) {
    const Vantor::VertexBuffer& buffer = *window.GetModel()->GetVertexBuffer();
    std::vector<Vector2> coordinates;
    for (std::uint32_t i = 0; i < 4; ++i) {
        const std::uint8_t* vertex = buffer.GetData() + i * buffer.GetVertexSize();
        if (buffer.HasColours()) {
            const auto& coloured = *reinterpret_cast<const Vantor::ColouredVertex*>(vertex);
            coordinates.emplace_back(coloured.u, coloured.v);
        } else {
            const auto& plain = *reinterpret_cast<const Vantor::Vertex*>(vertex);
            coordinates.emplace_back(plain.u, plain.v);
        }
    }
    return coordinates;
}

MATCHER_P2(IsVector, x, y, "") { return std::abs(arg.x - x) < 1e-4f && std::abs(arg.y - y) < 1e-4f; }

float AtlasPosition(const GUIWindow& window) { return window.GetShaderUser()->GetAnimationControl(0)->GetPosition(); }

// --- the geometry of a frame -------------------------------------------------------------

TEST_F(SpriteTest, FrameSizeIsItsShareOfTheAtlasTexturesPixelsTimesTheScale) {
    struct Case {
        Vector2 scale;
        Vector2 size;
    };
    TexturePack& pack = LoadPack(WalkTextures());
    for (const Case& c : {Case{{1, 1}, {128, 32}}, Case{{2, 0.5f}, {256, 16}}}) {
        Sprite2D& sprite = MakeSprite(&pack, "walk", {100, 100}, c.scale);
        const GUIWindow& window = *sprite.GetWindow();
        EXPECT_FALSE(window.IsVisible()) << "nothing shows before the first update";
        Frame();
        EXPECT_THAT(window.GetSize(), IsVector(c.size.x, c.size.y));
        EXPECT_TRUE(window.IsVisible());
        EXPECT_EQ(0.0f, AtlasPosition(window));
        EXPECT_FALSE(window.GetShaderUser()->GetAnimationControl(0)->IsPlaying()) << "the stage holds its texture";
        // Right top, right bottom, left top, left bottom of the frame's rectangle.
        EXPECT_THAT(TextureCoordinates(window), ElementsAre(IsVector(0.5f, 0.0f), IsVector(0.5f, 0.25f),
                                                            IsVector(0.0f, 0.0f), IsVector(0.0f, 0.25f)));
        delete &sprite;
    }
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(SpriteTest, OffsetsPlaceEachFrameAgainstTheFirstAndEachFrameShowsItsAtlasTexture) {
    TexturePack& pack = LoadPack(WalkTextures());
    Sprite2D& sprite = MakeSprite(&pack, "walk", {100, 100});
    const GUIWindow& window = *sprite.GetWindow();
    Frame();
    EXPECT_THAT(window.GetPosition(), IsVector(100, 100));

    sprite.GetAnimation().SetPosition(1.0f);
    Frame();
    EXPECT_THAT(window.GetPosition(), IsVector(104, 98));
    EXPECT_THAT(window.GetSize(), IsVector(32, 32)) << "half of texture 1's 64 x 64";
    EXPECT_EQ(1.0f, AtlasPosition(window));
    EXPECT_THAT(TextureCoordinates(window), ElementsAre(IsVector(1.0f, 0.5f), IsVector(1.0f, 1.0f),
                                                        IsVector(0.5f, 0.5f), IsVector(0.5f, 1.0f)));
}

TEST_F(SpriteTest, AFrameHeldOverUpdatesRewritesOnlyThePosition) {
    TexturePack& pack = LoadPack(WalkTextures());
    Sprite2D& sprite = MakeSprite(&pack, "walk", {100, 100});
    GUIWindow& window = *sprite.GetWindow();
    Frame();

    // Marks in everything the frame applies: a later write would overwrite them.
    window.SetPosition({1, 1});
    window.SetSize({7, 7});
    window.GetShaderUser()->GetAnimationControl(0)->SetPosition(1.0f);
    Vantor::VertexBuffer& buffer = *window.GetModel()->GetVertexBuffer();
    buffer.LockColoured(2, 1)->u = 0.75f;
    buffer.Unlock();

    for (int i = 0; i < 3; ++i) sprite.Update();
    EXPECT_THAT(window.GetPosition(), IsVector(100, 100));
    EXPECT_THAT(window.GetSize(), IsVector(7, 7));
    EXPECT_EQ(1.0f, AtlasPosition(window));
    EXPECT_EQ(0.75f, TextureCoordinates(window)[2].x);
    EXPECT_EQ(2u, buffer.GetLockFirst()) << "the buffer was not locked again";
    EXPECT_EQ(1u, buffer.GetLockCount());
}

TEST_F(SpriteTest, TheWindowStandsInItsParent) {
    TexturePack& pack = LoadPack(WalkTextures());
    GUIWindow& parent = *Vantor::GUIManager::Instance()->CreateWindow(GUIWindow::kShown | GUIWindow::kFrontLayer,
                                                                      {300, 200}, {200, 200}, nullptr, nullptr, nullptr);
    Sprite2D& sprite = MakeSprite(&pack, "walk", {10, 20}, {1, 1}, &parent);
    Frame();
    const GUIWindow& window = *sprite.GetWindow();
    EXPECT_EQ(&parent, window.GetParent());
    EXPECT_THAT(window.GetAbsolutePosition() + window.GetPosition(), IsVector(310, 220));
    EXPECT_FLOAT_EQ(parent.GetDepth() - 0.01f, window.GetDepth()) << "just in front of its parent";
    EXPECT_TRUE(window.IsVisible());
}

// --- the animation -----------------------------------------------------------------------

TEST_F(SpriteTest, TheAnimationStepsThroughTheFramesOnTheFrameClock) {
    TexturePack& pack = LoadPack(WalkTextures());
    Sprite2D& sprite = MakeSprite(&pack, "walk", {100, 100});
    Play(sprite, 2.5f);  // a quarter frame each 0.1 s frame
    std::vector<int> shown;
    std::vector<float> x;
    for (int i = 0; i < 9; ++i) {
        Frame();
        shown.push_back(sprite.GetShownFrame());
        x.push_back(sprite.GetWindow()->GetPosition().x);
    }
    EXPECT_THAT(shown, ElementsAre(0, 0, 0, 1, 1, 1, 1, 0, 0)) << "two frames over 0.8 s, then round again";
    EXPECT_THAT(x, ElementsAre(100, 100, 100, 104, 104, 104, 104, 100, 100));
}

TEST_F(SpriteTest, ANonLoopingAnimationStaysOnTheLastFrame) {
    TexturePack& pack = LoadPack(WalkTextures());
    Sprite2D& sprite = MakeSprite(&pack, "walk", {100, 100});
    Play(sprite, 5.0f);
    sprite.GetAnimation().SetLoop(false);
    for (int i = 0; i < 6; ++i) Frame();
    EXPECT_EQ(1, sprite.GetShownFrame());
    EXPECT_FALSE(sprite.GetAnimation().IsPlaying());
}

// --- sprites that show nothing or fall back -----------------------------------------------

TEST_F(SpriteTest, ASpriteWithoutAPackIsNotUpdated) {
    Sprite2D& sprite = MakeSprite(nullptr, "walk", {100, 100});
    Play(sprite, 10.0f);
    for (int i = 0; i < 3; ++i) Frame();
    sprite.UpdateFrame();
    EXPECT_EQ(0.0f, sprite.GetAnimation().GetPosition());
    EXPECT_EQ(Sprite2D::kNoFrame, sprite.GetShownFrame());
    EXPECT_EQ(nullptr, sprite.GetWindow()->GetModel()) << "no material, no picture";
    EXPECT_FALSE(sprite.GetWindow()->IsVisible());
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(SpriteTest, APackWithoutItsAtlasShaderPlacesTheWindowButShowsNothing) {
    std::filesystem::remove(home_.folder.Path() / "data/packs/sprites.srf");
    TexturePack& pack = LoadPack(WalkTextures());
    EXPECT_THAT(TakeErrors(), ElementsAre(testing::HasSubstr("sprites.srf")));
    Sprite2D& sprite = MakeSprite(&pack, "walk", {100, 100});
    sprite.GetAnimation().SetPosition(1.0f);
    Frame();
    EXPECT_THAT(sprite.GetWindow()->GetPosition(), IsVector(104, 98));
    EXPECT_FALSE(sprite.GetWindow()->IsVisible()) << "no atlas texture to show";
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(SpriteTest, ATextureThePackLacksIsLoggedOnEveryUpdateAndTheFirstTextureShows) {
    // "idle" comes first by name: its single frame shows.
    std::vector<TexturePackWriter::Texture> textures = WalkTextures();
    textures.push_back(PackTexture("idle", {AtlasFrame(1, 0.0f, 0.0f, 0.25f, 0.5f)}));
    TexturePack& pack = LoadPack(textures);
    Sprite2D& sprite = MakeSprite(&pack, "run", {100, 100});
    EXPECT_EQ(1u, sprite.GetAnimation().GetFrameCount());
    TakeErrors();

    Frame();
    Frame();
    EXPECT_THAT(TakeErrors(), ElementsAre("Texture pack \"packs\\sprites.tpf\" is not contain \"run\" texture",
                                          "Texture pack \"packs\\sprites.tpf\" is not contain \"run\" texture"));
    EXPECT_THAT(sprite.GetWindow()->GetSize(), IsVector(16, 32));
    EXPECT_EQ(1.0f, AtlasPosition(*sprite.GetWindow()));
}

TEST_F(SpriteTest, FramesThatCannotBeShownAreLoggedOnceAndKeepTheLastGeometry) {
    struct Case {
        const char* what;
        std::string texture;
        bool firstShows;
        // Over three frames, the second and third on frame 1 of the texture.
        std::vector<std::string> errors;
    };
    const std::string lacked = "Texture pack \"packs\\sprites.tpf\" is not contain \"run\" texture";
    auto fault = [](const std::string& texture, const std::string& what) {
        return "Sprite of texture \"" + texture + "\" of texture pack \"packs\\sprites.tpf\" " + what;
    };
    const std::vector<Case> cases = {
        {"a texture without frames", "blank", false, {fault("blank", "has no frame 0 (it has 0)")}},
        {"a lacked texture whose stand-in has no frames",
         "run",
         false,
         {lacked, fault("run", "has no frame 0 (it has 0)"), lacked, lacked}},
        {"an atlas texture the shader lacks",
         "far",
         true,
         {fault("far", "frame 1 names atlas texture 2, which the atlas shader does not have")}},
        {"a negative atlas texture",
         "under",
         true,
         {fault("under", "frame 1 names atlas texture -1, which the atlas shader does not have")}},
    };
    // "blank" comes first by name: it stands in for a texture the pack lacks.
    std::vector<TexturePackWriter::Texture> textures = WalkTextures();
    textures.push_back(PackTexture("blank", {}));
    textures.push_back(PackTexture("far", {AtlasFrame(0, 0, 0, 0.5f, 0.25f), AtlasFrame(2, 0, 0, 1, 1, 9, 9)}));
    textures.push_back(PackTexture("under", {AtlasFrame(0, 0, 0, 0.5f, 0.25f), AtlasFrame(-1, 0, 0, 1, 1, 9, 9)}));
    TexturePack& pack = LoadPack(textures);

    for (const Case& c : cases) {
        Sprite2D& sprite = MakeSprite(&pack, c.texture, {100, 100});
        const GUIWindow& window = *sprite.GetWindow();
        TakeErrors();
        Frame();
        EXPECT_EQ(c.firstShows, window.IsVisible()) << c.what;
        sprite.GetAnimation().SetPosition(1.0f);
        Frame();
        Frame();
        EXPECT_THAT(TakeErrors(), testing::ElementsAreArray(c.errors)) << c.what << ": once while the frame lasts";
        if (c.firstShows) {
            EXPECT_THAT(window.GetPosition(), IsVector(100, 100)) << c.what;
            EXPECT_THAT(window.GetSize(), IsVector(128, 32)) << c.what;
            EXPECT_EQ(0.0f, AtlasPosition(window)) << c.what;
            EXPECT_THAT(TextureCoordinates(window)[0], IsVector(0.5f, 0.0f)) << c.what;
        }
        delete &sprite;
    }
}

TEST_F(SpriteTest, ABadFrameIsLoggedAgainWhenTheAnimationComesBackToIt) {
    std::vector<TexturePackWriter::Texture> textures = {
        PackTexture("far", {AtlasFrame(0, 0, 0, 0.5f, 0.25f), AtlasFrame(5, 0, 0, 1, 1)})};
    Sprite2D& sprite = MakeSprite(&LoadPack(textures), "far", {100, 100});
    Play(sprite, 5.0f);  // half a frame each 0.1 s frame: two updates on each
    for (int i = 0; i < 8; ++i) Frame();
    EXPECT_EQ(2u, TakeErrors().size()) << "frame 1 was reached twice in 0.8 s";
}

}  // namespace
}  // namespace spritetest
