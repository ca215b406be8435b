// The sprite manager: sprites register themselves and leave when destroyed, updates run
// in slot order (a freed slot is taken by the next sprite), and the manager destroys the
// sprites still registered, their windows and animations with them.

#include "tools/SpriteManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gui/GUIManager.h"
#include "tests/tools/SpriteTestSupport.h"

namespace spritetest {
namespace {

using testing::ElementsAre;

std::uint32_t WindowCount() { return Vantor::GUIManager::Instance()->GetWindows().GetCount(); }

TEST_F(SpriteTest, ASpriteIsRegisteredWhileItLives) {
    const std::uint32_t windows = WindowCount();
    Sprite2D& sprite = MakeSprite(nullptr, "walk", {0, 0});
    EXPECT_THAT(sprites_->GetSprites().GetSlots(), ElementsAre(&sprite));
    EXPECT_EQ(windows + 1, WindowCount());

    delete &sprite;
    EXPECT_EQ(0u, sprites_->GetSprites().GetCount());
    EXPECT_EQ(windows, WindowCount()) << "its window went back to the GUI manager";
}

TEST_F(SpriteTest, UpdatesRunInSlotOrder) {
    // Each sprite asks for a texture the pack lacks: the pack's error lines name them in
    // the order they were updated.
    TexturePack& pack = LoadPack({PackTexture("walk", {AtlasFrame(0, 0, 0, 1, 1)})});
    MakeSprite(&pack, "a", {0, 0});
    Sprite2D& b = MakeSprite(&pack, "b", {0, 0});
    MakeSprite(&pack, "c", {0, 0});
    delete &b;
    MakeSprite(&pack, "d", {0, 0});  // takes b's slot
    TakeErrors();

    sprites_->Update();
    std::vector<std::string> names;
    for (const std::string& error : TakeErrors()) names.push_back(error.substr(error.find("contain") + 9, 1));
    EXPECT_THAT(names, ElementsAre("a", "d", "c"));
}

TEST_F(SpriteTest, TheManagerDestroysTheSpritesStillRegistered) {
    const std::uint32_t windows = WindowCount();
    TexturePack& pack = LoadPack({PackTexture("walk", {AtlasFrame(0, 0, 0, 1, 1)}), PackTexture("blank", {})});
    // Five sprites, the second and third destroyed by their owners: taking the rest out
    // packs the slots under a walk that would not expect it. One sprite shows a texture
    // without frames, one has no pack.
    for (int i = 0; i < 3; ++i) MakeSprite(&pack, "walk", {0, 0});
    MakeSprite(&pack, "blank", {0, 0});
    MakeSprite(nullptr, "walk", {0, 0});
    delete sprites_->GetSprites().GetSlots()[1];
    delete sprites_->GetSprites().GetSlots()[2];
    Frame();
    EXPECT_EQ(windows + 3, WindowCount());

    sprites_.reset();
    EXPECT_EQ(windows, WindowCount()) << "every sprite's window went back";
}

}  // namespace
}  // namespace spritetest
