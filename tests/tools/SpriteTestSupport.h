#pragma once
// What the sprite tests share: the whole engine (its GUI manager makes the sprites'
// windows) in a private home with a sprite manager registered as the framework registers
// it, the atlas "packs\sprites.srf" of two pictures, packs written with the content
// layer's writer and loaded as the data keeper loads them, and whole frames on the
// virtual clock with the sprites updated last in the game's update.
//
// Atlas texture 0 is 256 x 128 pixels, texture 1 is 64 x 64. Each pixel's red is its u
// and its green its v (0 at the picture's bottom row) scaled to 0..255, so a captured
// picture tells which rectangle of an atlas it shows; blue is 0 on texture 0 and 255 on
// texture 1.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/ShaderFileWriter.h"
#include "content/TexturePackWriter.h"
#include "content/TgaWriter.h"
#include "engine/kernel/Engine.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderStage.h"
#include "platform/Clock.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tools/Sprite2D.h"
#include "tools/SpriteManager.h"
#include "tools/TexturePack.h"

namespace spritetest {

using Content::TexturePackWriter;
using GameTools::Sprite2D;
using GameTools::TexturePack;

struct AtlasPicture {
    std::uint32_t width, height;
    std::uint8_t blue;
};
inline const AtlasPicture kAtlas[2] = {{256, 128, 0}, {64, 64, 255}};

// A frame of the rectangle (u, v from the top-left to the bottom-right corner) of the
// atlas texture, drawn at the offset.
inline TexturePackWriter::Frame AtlasFrame(std::int32_t atlasIndex, float left, float top, float right, float bottom,
                                           float offsetX = 0.0f, float offsetY = 0.0f) {
    TexturePackWriter::Frame frame;
    frame.atlasIndex = atlasIndex;
    frame.topLeft[0] = left;
    frame.topLeft[1] = top;
    frame.bottomRight[0] = right;
    frame.bottomRight[1] = bottom;
    frame.offset[0] = offsetX;
    frame.offset[1] = offsetY;
    return frame;
}

inline TexturePackWriter::Texture PackTexture(const std::string& name, std::vector<TexturePackWriter::Frame> frames) {
    TexturePackWriter::Texture texture;
    texture.name = name;
    texture.frames = std::move(frames);
    return texture;
}

class SpriteTest : public enginetest::EngineSceneTest {
protected:
    void SetUp() override {
        EngineSceneTest::SetUp();
        engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
        sprites_ = std::make_unique<GameTools::SpriteManager>();
        GameTools::SpriteManager::Instance(sprites_.get());
        WriteAtlas();
        TakeErrors();
    }
    void TearDown() override {
        sprites_.reset();
        packs_.clear();
        engine_.reset();
        EngineSceneTest::TearDown();
    }

    static Vantor::MessageManager& Log() { return *Vantor::MessageManager::Instance(); }
    // The error lines logged since the last call; the engine's frame start empties the
    // log's list, so frames keep what was logged before it.
    std::vector<std::string> TakeErrors() {
        KeepErrors();
        return std::exchange(errors_, {});
    }

    // Writes the pack "packs\sprites.tpf" over the atlas and loads it; the fixture keeps
    // it as the data keeper would. Each call loads a pack of its own.
    TexturePack& LoadPack(const std::vector<TexturePackWriter::Texture>& textures) {
        TexturePackWriter::Pack pack;
        pack.textures = textures;
        TexturePackWriter::WriteFile(L"data\\packs\\sprites.tpf", pack);
        packs_.push_back(std::make_unique<TexturePack>(L"packs\\sprites.tpf", false));
        return *packs_.back();
    }

    // A sprite owned by the sprite manager.
    static Sprite2D& MakeSprite(TexturePack* pack, const std::string& texture, const Vantor::Vector2& position,
                                const Vantor::Vector2& scale = {1.0f, 1.0f}, Vantor::GUIWindow* parent = nullptr) {
        return *new Sprite2D(pack, texture, position, scale, parent);
    }

    // Sets the sprite's animation going through its frames, looping, at the speed.
    static void Play(Sprite2D& sprite, float framesPerSecond) {
        sprite.GetAnimation().SetSpeed(framesPerSecond);
        sprite.GetAnimation().SetLoop(true);
        sprite.GetAnimation().Play();
    }

    // One frame of 0.1 s: the engine's frame start, the sprites last in the game's
    // update, the engine's frame end (the GUI's update and the drawing).
    void Frame() {
        platform::seam::AdvanceVirtualTime(150000);
        KeepErrors();
        engine_->BeginFrame();
        sprites_->Update();
        KeepErrors();
        engine_->EndFrame();
    }

    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<GameTools::SpriteManager> sprites_;
    std::vector<std::unique_ptr<TexturePack>> packs_;

private:
    void KeepErrors() {
        for (std::string& error : enginetest::TakeErrors(Log())) errors_.push_back(std::move(error));
    }

    static void WriteAtlas() {
        Content::ShaderFileWriter::Stage numbered;
        numbered.kind = Vantor::ShaderStage::kNumberedFiles;
        numbered.frames = 2;
        numbered.textureName = "packs\\atlas0";
        Content::ShaderFileWriter::Shader shader;
        shader.stages.push_back(numbered);
        Content::ShaderFileWriter::WriteFile(L"data\\packs\\sprites.srf", shader);
        for (int index = 0; index < 2; ++index) {
            const AtlasPicture& atlas = kAtlas[index];
            std::vector<std::uint8_t> pixels;
            // Rows bottom first, as the TGA file stores them.
            for (std::uint32_t y = 0; y < atlas.height; ++y)
                for (std::uint32_t x = 0; x < atlas.width; ++x)
                    pixels.insert(pixels.end(), {static_cast<std::uint8_t>(256 * x / atlas.width),
                                                 static_cast<std::uint8_t>(256 * y / atlas.height), atlas.blue, 255});
            Content::TgaWriter::WriteFile(L"data\\packs\\atlas" + std::to_wstring(index) + L".tga", atlas.width,
                                          atlas.height, pixels);
        }
    }

    std::vector<std::string> errors_;
};

}  // namespace spritetest
