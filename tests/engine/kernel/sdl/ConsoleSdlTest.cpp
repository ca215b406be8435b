// The developer console drawn through OpenGL under an X server, slid in over a drawn
// scene: its translucent background, the title, the prompt with typed text in blue, and
// log lines in white, green, grey and red, in a generated monospace font.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/FontGenerator.h"
#include "content/TgaWriter.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "tests/engine/kernel/ConsoleTestSupport.h"

namespace {

using Vantor::GUIManager;
using Vantor::GUIWindow;

struct Rgb {
    int red, green, blue;
};

// Row 0 at the bottom, as the GUI counts.
Rgb PixelAt(const Vantor::Image& picture, int x, int y) {
    const std::uint8_t* pixel = picture.GetPixels() + static_cast<std::size_t>(y) * picture.GetRowBytes() +
                                static_cast<std::size_t>(x) * (picture.GetBits() / 8);
    return {pixel[0], pixel[1], pixel[2]};
}

// The pixel of the rows (both in) that scores highest.
template <class Score>
Rgb Best(const Vantor::Image& picture, int bottom, int top, Score score) {
    Rgb best{0, 0, 0};
    int bestScore = -1000;
    for (int y = std::max(bottom, 0); y <= std::min(top, 599); ++y) {
        for (int x = 0; x < 800; ++x) {
            const Rgb pixel = PixelAt(picture, x, y);
            if (score(pixel) > bestScore) {
                best = pixel;
                bestScore = score(pixel);
            }
        }
    }
    return best;
}

int Whiteness(const Rgb& p) { return std::min({p.red, p.green, p.blue}); }
int Greenness(const Rgb& p) { return p.green - std::max(p.red, p.blue); }
int Redness(const Rgb& p) { return p.red - std::max(p.green, p.blue); }
int Blueness(const Rgb& p) { return p.blue - std::max(p.red, p.green); }

class ConsoleSdlTest : public consoletest::ConsoleEngineTest {
protected:
    void SetUp() override {
        // Without a session bus, D-Bus would try to start one for SDL's video and leak
        // from the failed attempt; say there is none. A real bus is left alone.
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ConsoleEngineTest::SetUp();
        home_.WriteIni("v_vsync 0\n");
    }

    // DejaVu Sans Mono at 14 pixels, as the data set makes the console's font, with the
    // size and space size of its description.
    void LoadGeneratedFont() {
        Content::FontGenerator::Write(L"data\\fonts\\console",
                                      {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 14, true});
        const std::string description = home_.folder.ReadFile("data/fonts/console/font.xml");
        auto attribute = [&description](const std::string& name) {
            return std::stof(description.substr(description.find(" " + name + "=\"") + name.size() + 3));
        };
        fontMaterial_ = Vantor::ShaderDescriptor(true, false, "fonts\\console\\font", true);
        Vantor::GUIFont& font = *GUIManager::Instance()->GetFontManager()->LoadFont(
            kFontId, &fontMaterial_, L"data\\fonts\\console\\font.fnt");
        font.SetSize(attribute("size"));
        font.SetSpaceSize(attribute("space_size"));
    }

    // The console's ink: a dark blue-grey, 82 % opaque.
    void WriteBackground() {
        std::vector<std::uint8_t> pixels;
        for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {20, 24, 33, 209});
        Content::TgaWriter::WriteFile(L"data\\console\\console.tga", 4, 4, pixels);
    }

    // A quad of one colour, on the back layer or in front of its parent.
    GUIWindow* AddSceneQuad(const Vantor::Vector2& position, const Vantor::Vector2& size, const Vantor::Color& colour,
                            GUIWindow* parent = nullptr) {
        const Vantor::ShaderDescriptor plain;
        GUIWindow* quad = GUIManager::Instance()->CreateWindow(
            GUIWindow::kShown | (parent ? 0 : GUIWindow::kBackLayer), position, size, nullptr, &plain, parent);
        quad->SetColor(colour);
        return quad;
    }

    // The band of picture rows a print of the console window covers.
    struct Band {
        int bottom = 0, top = -1;
    };
    Band BandOf(const std::wstring& text) const {
        const Vantor::TextPrint* print = FindPrint(text);
        EXPECT_TRUE(print) << "not printed";
        if (!print) return {};
        const float y = TheConsole().GetWindow()->GetPosition().y + print->position.y;
        return {static_cast<int>(y), static_cast<int>(y + fontSize_)};
    }

    Vantor::ShaderDescriptor fontMaterial_;
    float fontSize_ = 0.0f;
};

TEST_F(ConsoleSdlTest, SlidInOverADrawnSceneItShowsTheLogInColourAndTheTypedLine) {
    StartEngine();
    LoadGeneratedFont();
    fontSize_ = GUIManager::Instance()->GetFontManager()->GetFont(kFontId)->GetSize();
    WriteBackground();
    GUIWindow* ground = AddSceneQuad({0, 0}, {800, 600}, {0.6f, 0.55f, 0.1f, 1});
    AddSceneQuad({500, 150}, {200, 300}, {0.8f, 0.2f, 0.6f, 1}, ground);
    CreateConsole(Vantor::ShaderDescriptor(true, false, "console\\console", true));

    Vantor::MessageManager& log = *Vantor::MessageManager::Instance();
    log.PrintMessage("A plain message in white");
    log.PrintHighlight("A highlight in green");
    log.PrintWarning("a warning in grey");
    log.PrintError("an error in red");
    TheConsole().Open();
    for (int i = 0; i < 1000 && TheConsole().GetState() != Vantor::ConsoleState::Open; ++i) RunFrames(1);
    ASSERT_EQ(TheConsole().GetState(), Vantor::ConsoleState::Open);
    TheConsole().GetEditBox()->SetText(L"v_gamma 1.2");

    BeginFrame();
    const Vantor::GUIWindow& window = *TheConsole().GetWindow();
    const Band titleBand = BandOf(window.GetTextPrint(0).text);
    const Band prompt = BandOf(L"]");
    const Band white = BandOf(L"A plain message in white\n");
    const Band green = BandOf(L"A highlight in green\n");
    const Band grey = BandOf(L"Warning: a warning in grey!\n");
    const Band red = BandOf(L"Error: an error in red!\n");
    EndFrame();
    Vantor::Image picture;
    Vantor::RenderSystem::Instance()->CaptureScreen(picture);
    ASSERT_EQ(picture.GetWidth(), 800u);
    ASSERT_EQ(picture.GetHeight(), 600u);

    // Below the console the scene is untouched; over it the ink lets the scene through.
    const Rgb scene = PixelAt(picture, 100, 100);
    EXPECT_NEAR(scene.red, 153, 3);
    EXPECT_NEAR(scene.green, 140, 3);
    const Rgb covered = PixelAt(picture, 5, 590);
    EXPECT_NEAR(covered.red, 49, 8) << "0.78 of the ink over the scene";
    EXPECT_NEAR(covered.blue, 31, 8);
    EXPECT_GT(PixelAt(picture, 600, 400).blue, covered.blue + 15) << "the magenta quad shows through";

    EXPECT_GT(Whiteness(Best(picture, titleBand.bottom, titleBand.top, Whiteness)), 220) << "the title";
    EXPECT_GT(Blueness(Best(picture, prompt.bottom, prompt.top, Blueness)), 150) << "the typed text";
    EXPECT_GT(Whiteness(Best(picture, prompt.bottom, prompt.top, Whiteness)), 220) << "the prompt";
    EXPECT_GT(Whiteness(Best(picture, white.bottom, white.top, Whiteness)), 220);
    EXPECT_GT(Greenness(Best(picture, green.bottom, green.top, Greenness)), 150);
    EXPECT_GT(Redness(Best(picture, red.bottom, red.top, Redness)), 150);
    const int greyest = Whiteness(Best(picture, grey.bottom, grey.top, Whiteness));
    EXPECT_GT(greyest, 100);
    EXPECT_LT(greyest, 150) << "grey, not white";
}

}  // namespace
