// The texture cache: textures shared by their lower-cased paths and counted, released
// with their last user, lazy surfaces given back after four unused passes and made
// again on the next use, and the pictures a material's texture lookup finds.

#include "engine/render/TextureManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStage.h"
#include "engine/render/Texture2D.h"
#include "engine/render/d3d7/Texture2D_D3D7.h"
#include "tests/engine/render/TextureTestSupport.h"

namespace {

using texturetest::Rgba;
using Vantor::Texture2D;
using Vantor::TextureManager;

class TextureManagerTest : public texturetest::TextureTest {
protected:
    // One level per texture keeps the byte counts plain.
    void SetUp() override {
        TextureTest::SetUp();
        Values().useMipMapping = false;
    }
    std::wstring WriteTga(const std::string& name, std::uint32_t side) {
        return WritePicture(name, texturetest::TgaFile(texturetest::SolidPicture(side, side, 24, Rgba(1, 2, 3))));
    }
    // What a shader does when it applies the texture: bind it (the render system makes
    // its surface when it has none) and reset its unused passes.
    void Apply(Texture2D* texture) {
        renderSystem_->SetTexture(0, nullptr);
        renderSystem_->SetTexture(0, texture);
        texture->unusedPasses = 0;
    }
};

TEST(TextureKeyTest, NamesTheLowerCasedPathsAndTheMipMaps) {
    struct Case {
        bool mipMaps;
        const wchar_t* colour;
        const wchar_t* opacity;
        const char* key;
    };
    const Case cases[] = {
        {false, L"Data\\UI\\Button.JPG", L"", "diffuse_data\\ui\\button.jpg"},
        {true, L"data\\ui\\button.jpg", L"", "diffuse_data\\ui\\button.jpg_with_mip_mapping"},
        {true, L"data\\ui\\button.jpg", L"Data\\UI\\Button_Alpha.jpg",
         "diffuse_data\\ui\\button.jpg_plus_opacity_data\\ui\\button_alpha.jpg_with_mip_mapping"},
    };
    for (const Case& c : cases) {
        std::string key = "left over";
        TextureManager::MakeKey(key, c.mipMaps, c.colour, c.opacity);
        EXPECT_EQ(key, c.key);
    }
}

TEST_F(TextureManagerTest, TheSamePicturesInAnyLetterCaseShareOneTexture) {
    Make();
    TextureManager textures;
    Texture2D* first = textures.GetTexture(true, L"Data\\UI\\Button.jpg", L"", true);
    Texture2D* second = textures.GetTexture(false, L"data\\ui\\button.jpg", L"", false);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->referenceCount, 2u);
    EXPECT_EQ(first->key, "diffuse_data\\ui\\button.jpg_with_mip_mapping");
    EXPECT_TRUE(first->lazy) << "the first request decides";

    Texture2D* withOpacity = textures.GetTexture(true, L"data\\ui\\button.jpg", L"data\\ui\\button_alpha.jpg", true);
    EXPECT_NE(withOpacity, first);
    EXPECT_EQ(withOpacity->key,
              "diffuse_data\\ui\\button.jpg_plus_opacity_data\\ui\\button_alpha.jpg_with_mip_mapping");
    EXPECT_EQ(textures.GetTextureCount(), 2u);
}

TEST_F(TextureManagerTest, ATextureGoesWithItsLastUser) {
    Make();
    TextureManager textures;
    const std::wstring path = WriteTga("shared.tga", 4);
    Texture2D* texture = textures.GetTexture(true, path, L"", false);
    textures.GetTexture(true, path, L"", false);

    textures.ReleaseTexture(texture);
    EXPECT_EQ(textures.GetTextureCount(), 1u);
    EXPECT_EQ(texture->referenceCount, 1u);

    // Textures the manager does not hold are left alone, even under a key it knows.
    std::unique_ptr<Texture2D> stranger(renderSystem_->CreateTextureFromFiles(texture->key, path, L"", true, true));
    textures.ReleaseTexture(stranger.get());
    textures.ReleaseTexture(nullptr);
    EXPECT_EQ(texture->referenceCount, 1u);

    textures.ReleaseTexture(texture);
    EXPECT_EQ(textures.GetTextureCount(), 0u);
    EXPECT_EQ(renderSystem_->GetTextures(), std::vector<Texture2D*>{stranger.get()}) << "the texture was deleted";
}

TEST_F(TextureManagerTest, ALazySurfaceGoesOnTheFourthUnusedPassAndComesBackOnTheNextUse) {
    Make();
    TextureManager textures;
    Texture2D* lazy = textures.GetTexture(true, WriteTga("lazy.tga", 8), L"", true);
    Texture2D* kept = textures.GetTexture(true, WriteTga("kept.tga", 8), L"", false);

    for (int pass = 0; pass < 5; ++pass) textures.AgeTextures();
    EXPECT_EQ(lazy->videoBytes, 0) << "never applied, never made";

    Apply(lazy);
    EXPECT_EQ(lazy->videoBytes, 256);
    for (int pass = 1; pass <= 4; ++pass) {
        textures.AgeTextures();
        EXPECT_EQ(lazy->videoBytes, pass < 4 ? 256 : 0) << "pass " << pass;
    }
    Apply(lazy);
    EXPECT_EQ(lazy->videoBytes, 256);

    for (int pass = 0; pass < 10; ++pass) textures.AgeTextures();
    EXPECT_EQ(kept->videoBytes, 256) << "textures that are not lazy keep their surfaces";
}

TEST_F(TextureManagerTest, ReportsItsTexturesInKeyOrderAndTheirBytes) {
    Make();
    TextureManager textures;
    Texture2D* b = textures.GetTexture(true, WriteTga("b.tga", 8), L"", false);
    Texture2D* a = textures.GetTexture(true, WriteTga("a.tga", 4), L"", false);
    EXPECT_EQ(textures.GetUsedVideoMemorySize(), 256 + 64);
    std::vector<Texture2D*> list{nullptr};
    textures.GetTextures(list);
    EXPECT_EQ(list, (std::vector<Texture2D*>{a, b}));
}

TEST_F(TextureManagerTest, APictureFoundByTheLookupTakesItsOpacityPicture) {
    Make();
    // BMP before PNG in the lookup; a BMP picture takes an "_alpha" picture.
    home_.folder.WriteFile("data/look/wood.bmp",
                           texturetest::BmpFile(texturetest::SolidPicture(8, 8, 24, Rgba(10, 20, 30))));
    home_.folder.WriteFile("data/look/wood.png", "not read");
    home_.folder.WriteFile("data/look/wood_alpha.tga",
                           texturetest::TgaFile(texturetest::SolidPicture(8, 8, 8, Rgba(0x40, 0x40, 0x40))));
    Vantor::ShaderDescriptor material;
    material.AddStage(0, Vantor::ShaderStage::kSingleTexture, 1, 1, 1, 0.0f, "look\\wood", Vantor::ShaderStage::kClamp);
    std::vector<std::wstring> files;
    material.GetStageTextureFiles(0, files);
    ASSERT_THAT(files, testing::ElementsAre(L"data\\look\\wood.bmp", L"data\\look\\wood_alpha.tga"));

    TextureManager textures;
    auto* texture = static_cast<Vantor::Texture2D_D3D7*>(textures.GetTexture(true, files[0], files[1], false));
    EXPECT_EQ(texturetest::SurfacePixel(texture->GetSurface(), 5, 5), 0x400A141Eu);
}

}  // namespace
