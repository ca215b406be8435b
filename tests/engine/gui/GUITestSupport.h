#pragma once
// What the GUI tests share: the model managers over the headless (or sdl) render system,
// an orthographic GUI camera over 800 x 600 units (near 500, far -500) and a font
// manager of their own, windows made over them, font files written below the data
// folder, and GUI frames run as the GUI manager's update runs them.

#include <memory>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/engine/render/d3d7/ModelTestSupport.h"

namespace guitest {

using Content::FontFileWriter;
using Vantor::GUIFont;
using Vantor::GUIWindow;
using Vantor::Vector2;

// Expects the vector to equal the expected one within the tolerance, coordinate by
// coordinate.
void ExpectVector(const Vector2& expected, const Vector2& actual, float tolerance = 1e-3f);

// A glyph record of the test fonts: the code and its advance width; the picture is the
// whole texture.
FontFileWriter::Record GlyphRecord(char16_t code, float width);

class GUITest : public modeltest::ModelTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the font file "data\fonts\<name>\font.fnt" and returns its path.
    std::wstring WriteFont(const std::string& name, const FontFileWriter::Bytes& bytes);
    std::wstring WriteFont(const std::string& name, const std::vector<FontFileWriter::Record>& records);
    // The test font under the id: 'A' 1.0 wide, 'M' 0.8, 'i' 0.25, 'L' 0.5, with the size.
    GUIFont& LoadTestFont(int id = 0, float size = 20.0f);

    // A window owned by the test; a material gives it a unit quad.
    GUIWindow& MakeWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                          GUIWindow* parent = nullptr, const Vantor::ShaderDescriptor* shader = nullptr,
                          const Vantor::Model* modelResource = nullptr);
    // Deletes a window made by MakeWindow.
    void DestroyWindow(GUIWindow& window);

    // The GUI manager's update: every window's Update in creation order, then the unused
    // instances go and the batches close.
    void UpdateGUI();

    Vantor::Camera* camera_ = nullptr;
    std::unique_ptr<Vantor::GUIFontManager> fonts_;
    std::vector<std::unique_ptr<GUIWindow>> windows_;
};

}  // namespace guitest
