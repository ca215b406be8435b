// The built data set's own pictures as a player sees them: the menu background before
// and after its moving layers, a line in every font, the kind-0 cursor's picture and the
// two splash pictures at the texture coordinates the code gives them. Each frame is kept
// in "captures/".

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "gui_tools/GUIBackgroundBase.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "gui_tools/GUITextControl.h"
#include "tests/content/layout_sheet/DataSetSdlTest.h"
#include "tests/content/lint/DataLint.h"

namespace {

using scenes::PixelAt;
using scenes::Rgb;

int Difference(const Rgb& a, const Rgb& b) {
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

class ScreenPicturesSdlTest : public datasettest::DataSetSdlTest {
protected:
    void TearDown() override {
        for (Vantor::GUIWindow* window : windows_) Vantor::GUIManager::Instance()->DestroyWindow(window);
        DataSetSdlTest::TearDown();
    }

    // A shown window with the picture of the texture (alpha-blended).
    Vantor::GUIWindow& Picture(const std::string& texture, const Vantor::Vector2& position, const Vantor::Vector2& size) {
        Vantor::ShaderUser* shader =
            Vantor::ShaderManager::Instance()->GetShader(Vantor::ShaderDescriptor(true, false, texture, true), false);
        keeper_->AddShaderUser("test/" + texture, shader);
        windows_.push_back(Vantor::GUIManager::Instance()->CreateWindow(1, position, size, nullptr, shader, nullptr));
        return *windows_.back();
    }

    std::vector<Vantor::GUIWindow*> windows_;
};

TEST_F(ScreenPicturesSdlTest, TheMenuBackgroundGrowsItsMovingLayersAfterLoading) {
    LoadList(L"ui\\background\\resources_basic.xml");
    GUITools::GUIBackgroundBase background(keeper_.get(), nullptr, L"data\\ui\\background\\background.xml");
    background.CreateBasicLayers();
    background.Show(true, false, 1.0f);
    for (int frame = 0; frame < 5; ++frame) Frame([&] { background.Update(); });
    Vantor::Image basic, grown;
    Capture(basic, "menu_background_basic");
    EXPECT_EQ(background.layers.size(), 2u);

    LoadList(L"ui\\background\\resources_additional.xml");
    background.CreateAdditionalLayers();
    // The new layers fade in over a second of the real clock.
    for (int frame = 0; frame < 2000 && background.layers.back()->GetFadeValue() < 1.0f; ++frame)
        Frame([&] { background.Update(); });
    Frame([&] { background.Update(); });
    Capture(grown, "menu_background_additional");
    EXPECT_EQ(background.layers.size(), 5u);
    // The light under the lamp warms the cream wall: less blue.
    EXPECT_LT(PixelAt(grown, 420, 440).blue + 8, PixelAt(basic, 420, 440).blue);
    EXPECT_TRUE(enginetest::TakeErrors(*Vantor::MessageManager::Instance()).empty());
}

TEST_F(ScreenPicturesSdlTest, EveryFontPrintsALineOnLightAndOnDarkGround) {
    Picture("ui\\skin\\panel", {0, 0}, {400, 600});
    std::vector<std::unique_ptr<GUITools::GUITextControl>> lines;
    float y = 560;
    for (const std::string& reference : contentlint::DataLint::FixedReferences()) {
        const std::string prefix = "fonts\\", suffix = "\\font.fnt";
        if (reference.rfind(prefix, 0) != 0) continue;
        const std::string font = reference.substr(prefix.size(), reference.size() - prefix.size() - suffix.size());
        y -= 56;
        for (float x : {24.0f, 424.0f}) {
            GUITools::GUIControlDescription description;
            description.name = font;
            lines.push_back(std::make_unique<GUITools::GUITextControl>(keeper_.get(), tools_->GetFontTool(),
                                                                       tools_->GetTextTool(), nullptr, description));
            GUITools::GUITextControl& line = *lines.back();
            line.SetFont(font);
            line.SetPosition({x, y});
            line.SetSize({352, 48});
            line.autoFontSize = true;
            line.SetLiteralText(std::wstring(font.begin(), font.end()) + L": Café au lait, 12 €");
            line.Show(true, false);
        }
    }
    ASSERT_EQ(lines.size(), 18u);
    for (int frame = 0; frame < 3; ++frame)
        Frame([&] {
            for (const auto& line : lines) line->Update();
        });
    Vantor::Image picture;
    Capture(picture, "fonts");
    for (const auto& line : lines) {
        SCOPED_TRACE(line->GetName() + (line->GetPosition().x < 400 ? " on cream" : " on black"));
        EXPECT_NE(line->font, nullptr);
        const Rgb ground = PixelAt(picture, static_cast<int>(line->GetPosition().x) - 12,
                                   static_cast<int>(line->GetPosition().y) + 24);
        int ink = 0;
        for (int y0 = 0; y0 < 48; ++y0)
            for (int x0 = 0; x0 < 352; ++x0) {
                const Rgb pixel = PixelAt(picture, static_cast<int>(line->GetPosition().x) + x0,
                                          static_cast<int>(line->GetPosition().y) + y0);
                if (Difference(pixel, ground) > 60) ++ink;
            }
        EXPECT_GT(ink, 200) << "letters stand out of their ground";
    }
}

// Kind 0 names "ui\cursors\cursor_alpha.jpg"; the lookup finds "cursor_alpha.jpg.png",
// whose alpha leaves the square around the arrow open.
TEST_F(ScreenPicturesSdlTest, TheKindZeroCursorIsTransparentAroundItsArrow) {
    Picture("ui\\cursors\\cursor_alpha.jpg", {100, 100}, {128, 128});
    Frame([] {});
    Vantor::Image picture;
    Capture(picture, "cursor_kind_0");
    // The picture is 64 pixels square, drawn here at 2 units a pixel; its rows run down.
    auto at = [&](int x, int y) { return PixelAt(picture, 100 + 2 * x, 100 + 128 - 2 * y); };
    EXPECT_LT(Difference(at(56, 8), {0, 0, 0}), 20) << "open to the right of the arrow";
    EXPECT_LT(Difference(at(8, 60), {0, 0, 0}), 20) << "open below the arrow";
    EXPECT_GT(Difference(at(10, 24), {0, 0, 0}), 300) << "the arrow's cream body";
}

// The splashes are 800 x 600 pictures in the lower left of 1024 x 1024: the code scales
// the texture coordinates by (800, 600) / 1024, so the screen shows the card alone.
TEST_F(ScreenPicturesSdlTest, BothSplashPicturesFillTheScreenAtTheirTextureCoordinates) {
    for (const char* splash : {"splash1", "splash2"}) {
        SCOPED_TRACE(splash);
        Vantor::GUIWindow& window = Picture(splash, {0, 0}, {800, 600});
        window.ScaleTextureCoordinates({0.78125f, 0.5859375f});
        Frame([] {});
        Vantor::Image picture;
        Capture(picture, std::string("splash_") + splash);
        window.ClearFlags(1);
        // Every corner shows the card's own ground, not the unused part of the square.
        const Rgb corner = PixelAt(picture, 2, 2);
        for (const auto& [x, y] : {std::pair{797, 2}, std::pair{2, 597}, std::pair{797, 597}})
            EXPECT_LT(Difference(PixelAt(picture, x, y), corner), 40) << x << "," << y;
    }
}

}  // namespace
