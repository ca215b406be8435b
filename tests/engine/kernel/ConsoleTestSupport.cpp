#include "tests/engine/kernel/ConsoleTestSupport.h"

#include "content/FontFileWriter.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/Clock.h"
#include "platform/WinUserSeams.h"

namespace consoletest {

namespace {

std::string ColourName(const Vantor::Color& colour) {
    const Vantor::Color named[] = {{1, 1, 1, 1}, {0, 1, 0, 1}, {0.5f, 0.5f, 0.5f, 1}, {1, 0, 0, 1}, {0, 0, 1, 1}};
    const char* names[] = {"white", "green", "grey", "red", "blue"};
    for (std::size_t i = 0; i < std::size(named); ++i)
        if (Vantor::PackColor(named[i]) == Vantor::PackColor(colour)) return names[i];
    return "other";
}

}  // namespace

void ConsoleEngineTest::SetUp() {
    EngineObjectTest::SetUp();
    WriteConsoleFont();
}

void ConsoleEngineTest::TearDown() {
    engine_.reset();
    EngineObjectTest::TearDown();
}

void ConsoleEngineTest::WriteConsoleFont() {
    std::vector<Content::FontFileWriter::Record> glyphs;
    for (char16_t c = u'!'; c <= u'~'; ++c) {
        Content::FontFileWriter::Record glyph;
        glyph.code = c;
        glyph.w = 1.0f;
        glyph.h = 1.0f;
        glyph.width = 0.5f;
        glyphs.push_back(glyph);
    }
    const Content::FontFileWriter::Bytes bytes = Content::FontFileWriter::Build(glyphs);
    home_.folder.WriteFile("data/fonts/console/font.fnt", std::string(bytes.begin(), bytes.end()));
}

void ConsoleEngineTest::MakeEngine(bool loadFont) {
    StartEngine();
    if (loadFont) {
        Vantor::GUIFont& font = *Vantor::GUIManager::Instance()->GetFontManager()->LoadFont(
            kFontId, nullptr, L"data\\fonts\\console\\font.fnt");
        font.SetSize(16.0f);
        font.SetSpaceSize(0.5f);
    }
    CreateConsole(Vantor::ShaderDescriptor());
}

void ConsoleEngineTest::StartEngine() {
    engine_ = std::make_unique<Vantor::Engine>(home_.Settings());
    Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
}

void ConsoleEngineTest::CreateConsole(const Vantor::ShaderDescriptor& background) {
    engine_->CreateConsole(L"Console Test 1.02", background, kFontId, u'_', u']', u'^', "~", 0.95f, 308.0f, 1000.0f);
    RunFrames(1);
}

void ConsoleEngineTest::RunFrames(int count, std::uint64_t frameTime) {
    for (int i = 0; i < count; ++i) {
        platform::seam::AdvanceVirtualTime(frameTime);
        engine_->BeginFrame();
        engine_->EndFrame();
    }
}

void ConsoleEngineTest::BeginFrame() {
    platform::seam::AdvanceVirtualTime(kFrameTime);
    engine_->BeginFrame();
}

void ConsoleEngineTest::EndFrame() { engine_->EndFrame(); }

void ConsoleEngineTest::PressKey(UINT virtualKey) {
    platform::seam::InjectKeyDown(virtualKey);
    platform::seam::InjectKeyUp(virtualKey);
    RunFrames(1);
}

void ConsoleEngineTest::Type(const std::wstring& text) {
    for (const wchar_t c : text) {
        platform::seam::InjectText(std::wstring(1, c));
        RunFrames(1);
    }
}

void ConsoleEngineTest::Run(const std::wstring& line) {
    Type(line);
    PressKey(VK_RETURN);
}

void ConsoleEngineTest::OpenConsole() {
    PressKey(VK_OEM_3);
    RunFrames(20);
    ASSERT_EQ(TheConsole().GetState(), Vantor::ConsoleState::Open);
}

Pieces ConsoleEngineTest::PiecesSince(std::size_t from) const {
    Pieces pieces;
    const std::vector<Vantor::ConsoleLine>& lines = TheConsole().GetLines();
    for (std::size_t i = from; i < lines.size(); ++i)
        pieces.push_back(ColourName(lines[i].colour) + ":" + Vantor::ToNarrow(lines[i].text));
    return pieces;
}

int ConsoleEngineTest::ClosedRows() const {
    int rows = 0;
    for (const Vantor::ConsoleLine& line : TheConsole().GetLines()) rows += line.rowEnd ? 1 : 0;
    return rows;
}

const Vantor::TextPrint* ConsoleEngineTest::FindPrint(const std::wstring& text) const {
    const Vantor::GUIWindow& window = *TheConsole().GetWindow();
    for (int i = 0; i < window.GetPrintCount(); ++i)
        if (window.GetTextPrint(i).text == text) return &window.GetTextPrint(i);
    return nullptr;
}

bool ConsoleEngineTest::Drawn(const std::wstring& text) {
    BeginFrame();
    const bool drawn = FindPrint(text) != nullptr;
    EndFrame();
    return drawn;
}

}  // namespace consoletest
