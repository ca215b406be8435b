// Typing into edit boxes through the engine's input road: keys and text injected into
// the engine's window, read at the frame start, taken by the boxes during the frame and
// forgotten at the frame end.

#include <gtest/gtest.h>

#include <cwctype>
#include <memory>
#include <vector>

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Engine.h"
#include "engine/render/CameraManager.h"
#include "platform/Clock.h"
#include "platform/WinUser.h"
#include "platform/WinUserSeams.h"
#include "tests/engine/gui/GUIElementTestSupport.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace {

using Vantor::GUIEditBox;
using Vantor::Vector2;

class EngineEditBoxTest : public enginetest::EngineObjectTest {
protected:
    void SetUp() override {
        EngineObjectTest::SetUp();
        const Content::FontFileWriter::Bytes font = guitest::TypingFont();
        home_.folder.WriteFile("data/fonts/typing/font.fnt", std::string(font.begin(), font.end()));
        engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
        camera_ = Vantor::CameraManager::Instance()->CreateCamera(1);
        fonts_ = std::make_unique<Vantor::GUIFontManager>(camera_);
        fonts_->LoadFont(0, nullptr, L"data\\fonts\\typing\\font.fnt")->SetSize(20.0f);
    }

    void TearDown() override {
        boxes_.clear();
        fonts_.reset();
        Vantor::CameraManager::Instance()->DeleteCamera(camera_);
        engine_.reset();
        EngineObjectTest::TearDown();
    }

    GUIEditBox& MakeBox() {
        boxes_.push_back(std::make_unique<GUIEditBox>(
            fonts_.get(), nullptr, camera_, Vantor::GUIWindow::kShown, Vector2(0, 0), Vector2(300, 30), nullptr,
            nullptr, 0, Vantor::Color(1, 1, 1, 1), Vector2(0, 0), 20, 1000.0f, 1000.0f, std::uint16_t{u'|'},
            nullptr));
        return *boxes_.back();
    }

    // One engine frame in which every box takes its input and is updated as the GUI
    // manager does it.
    void Frame() {
        platform::seam::AdvanceVirtualTime(16667);
        engine_->BeginFrame();
        for (const auto& box : boxes_) box->HandleInput(Vector2(-1, -1), false, false);
        keyPressedSeen_.push_back(Vantor::Controls::Instance()->IsKeyPressed("B"));
        for (const auto& box : boxes_) box->Update();
        fonts_->ReleaseUnusedInstances();
        engine_->EndFrame();
    }

    // A key pressed and released, with the text it types (if any), in one frame.
    void Press(UINT virtualKey, const std::wstring& text = L"") {
        platform::seam::InjectKeyDown(virtualKey);
        if (!text.empty()) platform::seam::InjectText(text);
        platform::seam::InjectKeyUp(virtualKey);
        Frame();
    }

    std::unique_ptr<Vantor::Engine> engine_;
    Vantor::Camera* camera_ = nullptr;
    std::unique_ptr<Vantor::GUIFontManager> fonts_;
    std::vector<std::unique_ptr<GUIEditBox>> boxes_;
    std::vector<bool> keyPressedSeen_;
};

TEST_F(EngineEditBoxTest, LettersEnterTheirCharacterAndShiftTheCapital) {
    GUIEditBox& box = MakeBox();
    Press('A', L"a");
    platform::seam::InjectKeyDown(VK_LSHIFT);
    Press('A', L"A");
    platform::seam::InjectKeyUp(VK_LSHIFT);
    Frame();
    EXPECT_EQ(box.GetText(), L"aA");
}

TEST_F(EngineEditBoxTest, EditingKeysActOnTheCaret) {
    GUIEditBox& box = MakeBox();
    for (wchar_t c : std::wstring(L"abcdef")) Press(static_cast<UINT>(std::towupper(c)), std::wstring(1, c));
    Press(VK_BACK);
    EXPECT_EQ(box.GetText(), L"abcde");
    Press(VK_HOME);
    Press(VK_DELETE);
    EXPECT_EQ(box.GetText(), L"bcde");
    Press(VK_END);
    Press(VK_LEFT);
    EXPECT_EQ(box.GetCaret(), 3);
    Press(VK_OEM_PERIOD, L".");
    EXPECT_EQ(box.GetText(), L"bcd") << "a typed full stop is taken as Delete";
}

TEST_F(EngineEditBoxTest, AHeldKeyRepeatsOneCharacterPerFrameWhileTheDeviceSeesOnePress) {
    GUIEditBox& box = MakeBox();
    for (int frame = 0; frame < 4; ++frame) {
        platform::seam::InjectKeyDown('B');
        platform::seam::InjectText(L"b");
        Frame();
    }
    platform::seam::InjectKeyUp('B');
    Frame();
    EXPECT_EQ(box.GetText(), L"bbbb");
    EXPECT_EQ(keyPressedSeen_, (std::vector<bool>{true, false, false, false, false}));
    for (int frame = 0; frame < 3; ++frame) {
        platform::seam::InjectKeyDown(VK_BACK);
        Frame();
    }
    platform::seam::InjectKeyUp(VK_BACK);
    EXPECT_EQ(box.GetText(), L"b");
}

TEST_F(EngineEditBoxTest, EveryBoxWithInputOnTakesTheCharacter) {
    GUIEditBox& first = MakeBox();
    GUIEditBox& second = MakeBox();
    GUIEditBox& closed = MakeBox();
    closed.inputOn = false;
    platform::seam::InjectKeyDown('K');
    platform::seam::InjectText(L"k");
    platform::seam::InjectKeyUp('K');
    platform::seam::AdvanceVirtualTime(16667);
    engine_->BeginFrame();
    for (const auto& box : boxes_) box->HandleInput(Vector2(-1, -1), false, false);
    EXPECT_EQ(first.GetText(), L"k");
    EXPECT_EQ(second.GetText(), L"k");
    EXPECT_EQ(closed.GetText(), L"");
    EXPECT_EQ(second.GetPrintCount(), 2) << "text and caret";
    EXPECT_EQ(closed.GetPrintCount(), 0) << "nothing to show and no caret";
    engine_->EndFrame();
}

}  // namespace
