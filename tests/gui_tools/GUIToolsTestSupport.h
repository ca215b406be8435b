#pragma once
// What the tests of the layout layer's controls share: a whole engine on the headless
// backend in a private home (its GUI manager makes the controls' elements), a data
// keeper for the controls' models, the font tool and the text table, test fonts written
// below the data folder, and engine frames on the virtual clock in which every control
// made by the test is updated as its window would update it.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/kernel/Engine.h"
#include "gui_tools/GUIControlDescription.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "tests/engine/kernel/EngineSceneTestSupport.h"
#include "tools/DataKeeper.h"

namespace guitoolstest {

// Two floats as the templates write them, for comparing a vector in one expectation.
inline std::pair<float, float> Pair(const Vantor::Vector2& v) { return {v.x, v.y}; }

class GUIToolsTest : public enginetest::EngineSceneTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // "data\fonts\<name>": font.xml with the attributes of its "font" element, and a
    // font.fnt whose letters, digits and punctuation are half the size wide (blanks the
    // space size), over a white picture.
    void WriteFont(const std::string& name, const std::string& attributes) const;
    // The text table (the body of texts.xml).
    void WriteTexts(const std::string& body) const;
    // A key-frame model "data\ui\<name>.mdl" of the frame count whose box in frame k
    // has its lower-left corner at (10 k, 5 k), in the keeper as "ui/<name>" playing at
    // 10 frames per second.
    void AddFramesModel(const std::string& name, std::uint32_t frames);

    // "data\ui\windows\<file>" with the body.
    void WriteTemplate(const std::string& file, const std::string& body) const;

    // Makes the font tool and the text table, which read their files when made.
    void MakeTools();
    // Makes the tool manager, which reads the fonts, texts and templates written so far.
    void MakeToolManager();
    // A window of the layout below no parent, owned by the test and updated in every frame.
    GUITools::GUIWindowBase& MakeWindow(const std::string& layout);
    // A text control under no parent, owned by the test, with the font and size.
    GUITools::GUITextControl& MakeText(const std::string& font = "plain",
                                       const Vantor::Vector2& size = {200.0f, 100.0f},
                                       const GUITools::GUIControlDescription& description = {});

    // Ends the open frame; then a frame of the seconds (at most 0.1) in which every
    // control and window is updated. The controls' prints stay queued until the next frame.
    void Frame(float seconds = 0.1f);
    // As many frames of 0.1 s as fill the seconds.
    void Run(float seconds);

    std::vector<std::string> TakeErrors() const;

    std::unique_ptr<Vantor::Engine> engine_;
    std::unique_ptr<GameTools::DataKeeper> keeper_;
    std::unique_ptr<GUITools::GUIFontTool> fonts_;
    std::unique_ptr<GUITools::GUITextTool> texts_;
    std::vector<std::unique_ptr<GUITools::GUIControl>> controls_;
    std::unique_ptr<GUITools::GUIToolManager> tools_;
    std::vector<std::unique_ptr<GUITools::GUIWindowBase>> windows_;
    bool frameOpen_ = false;
};

}  // namespace guitoolstest
