// A tutorial hint drawn by the whole engine under an X server: hint 2's text box and its
// arrow, a lopsided shape (an L: the lower right quarter of its square missing) so that
// the picture tells its turn apart from a mirror or another angle. The arrow must lie
// turned by 3.65 rad about its middle and stretched over its 160 x 96 window.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "framework/Tutorial.h"
#include "game/screens/GUITutorialWindow.h"
#include "gui_tools/GUIWindowControl.h"
#include "tests/engine/render/d3d7/DrawingScenes.h"
#include "tests/game/screens/DialogueArt.h"
#include "tests/game/screens/TutorialBench.h"
#include "tests/game/screens/sdl/PictureChecks.h"

namespace {

using Vantor::Vector2;

constexpr scenes::Rgb kArrowColour{240, 60, 60};
constexpr Vector2 kArrowPlace{457, 368};
constexpr Vector2 kArrowSize{160, 96};
constexpr float kAngle = 3.65f;

class TutorialSdlTest : public screenstest::TutorialBench {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        TutorialBench::SetUp();
        WriteLayout("tutorial.xml", R"(<window name="window_tutorial" position="0 0" size="800 600">
            <window name="arrow" model="arrow" position="0 0" size="160 96" height="5" />
            <window name="mouse_left_small" shader="mouse" position="0 0" size="40 40" height="3" />
            <window name="mouse_right_small" shader="mouse" position="0 0" size="40 40" height="3" />
            <window name="window" shader="panel" position="0 0" size="352 152" height="2">
              <window name="mouse" shader="mouse" position="16 88" size="48 48" />
              <text_label name="text" position="72 12" size="264 128" font="common_2" multiline="1" />
            </window></window>)");
        WriteTexts(R"(<tutorial><cracker_0 text="A cake starts with a cracker. Click the waffle crackers." />
            </tutorial>)");
        MakeGame();
        AddEffect(Morvane::GUITutorialWindow::kHintSound, false);
        AddColourShader("mouse", {220, 220, 220, 255});
        AddColourShader("panel", {40, 60, 110, 255});
        AddLopsidedArrow();
        MakeTutorial();
    }

    // "ui/arrow": the unit square's left half and upper right quarter, in one colour.
    void AddLopsidedArrow() {
        Content::ModelFileWriter::Model model;
        model.flags = Vantor::ModelFlags::kKeyFrames | Vantor::ModelFlags::kTriangleList | Vantor::ModelFlags::kVisible;
        const float quads[2][4] = {{0.0f, 0.0f, 0.5f, 1.0f}, {0.5f, 0.5f, 1.0f, 1.0f}};
        for (const auto& quad : quads) {
            const auto first = static_cast<std::uint16_t>(model.vertexCount);
            for (int corner = 0; corner < 4; ++corner) {
                Content::ModelFileWriter::Vertex vertex;
                vertex.u = static_cast<float>(corner % 2);
                vertex.v = static_cast<float>(1 - corner / 2);
                vertex.position[0] = corner % 2 ? quad[2] : quad[0];
                vertex.position[1] = corner / 2 ? quad[3] : quad[1];
                model.vertices.push_back(vertex);
            }
            model.vertexCount += 4;
            for (const int index : {0, 1, 2, 2, 1, 3}) model.indices.push_back(static_cast<std::uint16_t>(first + index));
        }
        model.boxes.push_back({{0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 0.0f}});
        Content::ModelFileWriter::WriteFile(L"data\\ui\\arrow.mdl", model);
        dialogueart::WritePicture("ui\\arrow.tga", {240, 60, 60});
        Content::ShaderFileWriter::Shader material;
        material.stages.push_back({});
        material.stages.back().textureName = "ui\\arrow.tga";
        Content::ShaderFileWriter::WriteFile(L"data\\ui\\arrow.srf", material);
        data_->AddModel("ui/arrow", Vantor::ModelManager::Instance()->LoadModel(L"ui\\arrow.mdl", nullptr, 0, false));
    }

    // Where the pixel's middle lies in the arrow's own square, taken back through the
    // stretch and the turn about the square's middle.
    static Vector2 InArrowSquare(int x, int y) {
        const float qx = (static_cast<float>(x) + 0.5f - kArrowPlace.x) / kArrowSize.x - 0.5f;
        const float qy = (static_cast<float>(y) + 0.5f - kArrowPlace.y) / kArrowSize.y - 0.5f;
        const float c = std::cos(kAngle);
        const float s = std::sin(kAngle);
        return {c * qx + s * qy + 0.5f, -s * qx + c * qy + 0.5f};
    }
    // 1 inside the L, 0 outside, -1 too near one of its edges to tell.
    static int InsideL(const Vector2& p) {
        constexpr float kMargin = 0.06f;
        for (const float edge : {0.0f, 0.5f, 1.0f})
            if (std::abs(p.x - edge) < kMargin || std::abs(p.y - edge) < kMargin) return -1;
        const bool inSquare = p.x > 0.0f && p.x < 1.0f && p.y > 0.0f && p.y < 1.0f;
        return inSquare && (p.x < 0.5f || p.y > 0.5f) ? 1 : 0;
    }
};

TEST_F(TutorialSdlTest, HintTwosArrowIsTurnedAboutItsMiddleAndStretchedOverItsWindow) {
    tutorial_->StartHint(2, 0.0f);
    Frames(5);
    ASSERT_TRUE(window_->IsVisible());
    Vantor::Image picture;
    Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    scenes::KeepCapture(picture, "tutorial_hint_2");

    // Every pixel around the window whose place is clear: the arrow's colour inside the
    // turned L, none outside it.
    int inside = 0;
    int outside = 0;
    int wrong = 0;
    for (int y = 300; y < 540; ++y) {
        for (int x = 400; x < 680; ++x) {
            const int expected = InsideL(InArrowSquare(x, y));
            if (expected < 0) continue;
            const bool shown = picturechecks::Shows(picture, x, y, kArrowColour);
            (expected ? inside : outside) += 1;
            if (shown != (expected == 1)) ++wrong;
        }
    }
    EXPECT_GT(inside, 5000);
    EXPECT_GT(outside, 20000);
    EXPECT_EQ(wrong, 0);
    // The text box below it and the left button where the hint puts it.
    EXPECT_TRUE(picturechecks::Shows(picture, 440, 335, {40, 60, 110}));
    EXPECT_TRUE(picturechecks::Shows(picture, 355, 221, {220, 220, 220}));
}

}  // namespace
