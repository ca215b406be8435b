// Fuzzes the text table and the font description with the text controls that use
// them. The input is a texts.xml, a zero byte, a font.xml, a zero byte and the keys of
// the texts (a part that is missing is empty). The text table and the font tool read
// their files, and text controls of every mode compose, lay out, print and draw the
// keys' text over a few frame starts and GUI passes of the engine on the headless
// backend. The layout must keep one rule number per character of every line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/MessageManager.h"
#include "fuzz/engine_fuzz_support.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "platform/Clock.h"
#include "platform/Crt.h"
#include "tools/DataKeeper.h"

namespace {

using GUITools::GUITextControl;

// The engine over the workspace with a GUI of 800 x 600 units, a data keeper, and a
// font folder whose glyph file is fixed (the font file reader has its own target).
struct EngineWorkspace : fuzzing::EngineWorkspace {
    EngineWorkspace() : fuzzing::EngineWorkspace("data/texts") {
        CreateFolder("data/fonts/fuzz");
        std::vector<Content::FontFileWriter::Record> glyphs;
        for (char16_t code = u' '; code <= u'~'; ++code)
            glyphs.push_back(Content::FontFileWriter::WholePicture(code, 0.25f + static_cast<float>(code % 4) * 0.125f));
        const Content::FontFileWriter::Bytes bytes = Content::FontFileWriter::Build(glyphs);
        WriteFile("data/fonts/fuzz/font.fnt", bytes.data(), bytes.size());
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        keeper = std::make_unique<GameTools::DataKeeper>();
    }
    std::unique_ptr<GameTools::DataKeeper> keeper;
};

// The input's next part, up to a zero byte or the end.
std::string NextPart(const std::uint8_t*& data, const std::uint8_t* end) {
    const std::uint8_t* stop = data;
    while (stop < end && *stop != 0) ++stop;
    std::string part(data, stop);
    data = stop < end ? stop + 1 : end;
    return part;
}

void CheckLayout(const GUITextControl& control) {
    const GUITools::TextLines& laid = control.lines;
    if (laid.styles.size() != laid.lines.size()) std::abort();
    std::size_t total = 0;
    for (std::size_t i = 0; i < laid.lines.size(); ++i) {
        if (laid.styles[i].size() != laid.lines[i].size()) std::abort();
        for (const int rule : laid.styles[i])
            if (rule < 0 || static_cast<std::size_t>(rule) > control.rules.size()) std::abort();
        total += laid.lines[i].size();
    }
    if (total != laid.totalCharacters) std::abort();
}

// The controls' modes: plain, centred and wrapped with auto font size, printing.
void Configure(GUITextControl& control, int mode) {
    control.SetSize({300.0f, 60.0f});
    control.SetFader(mode == 2 ? "fader" : "");
    control.horizontalAlignment = mode == 1 ? "center" : "right";
    control.verticalAlignment = mode == 1 ? "middle" : "top";
    control.multiline = mode != 0;
    control.autoFontSize = mode == 1;
    control.fontSize = mode == 1 ? 20.0f : -1.0f;
    control.lineSpace = 2.0f;
    control.printingMode = mode == 2;
    control.printingSpeed = 30.0f;
    control.maxPrintingTime = 0.5f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static EngineWorkspace workspace;
    const std::uint8_t* end = data + size;
    const std::string texts = NextPart(data, end);
    const std::string font = NextPart(data, end);
    const std::string keys(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(end));
    workspace.WriteFile("data/texts/texts.xml", reinterpret_cast<const std::uint8_t*>(texts.data()), texts.size());
    workspace.WriteFile("data/fonts/fuzz/font.xml", reinterpret_cast<const std::uint8_t*>(font.data()), font.size());
    {
        GUITools::GUIFontTool fonts;
        GUITools::GUITextTool table;
        std::vector<std::unique_ptr<GUITextControl>> controls;
        for (int mode = 0; mode < 3; ++mode) {
            controls.push_back(std::make_unique<GUITextControl>(workspace.keeper.get(), &fonts, &table, nullptr,
                                                                GUITools::GUIControlDescription()));
            GUITextControl& control = *controls.back();
            control.SetFont("fuzz");
            Configure(control, mode);
            control.SetText(keys);
            control.SetParameter(L"P", table.GetText(keys));
            control.Show(true, false);
        }
        for (int frame = 0; frame < 4; ++frame) {
            platform::seam::AdvanceVirtualTime(100000);
            workspace.engine->BeginFrame();
            if (frame == 2) controls[2]->SetLiteralText(table.GetText(""));
            for (const auto& control : controls) {
                control->Update();
                CheckLayout(*control);
            }
            // The GUI's pass queues the characters into the fonts' batches; the models
            // are not drawn (the device has nothing to do with the text's layout).
            Vantor::GUIManager::Instance()->Update();
        }
    }
    crt::setlocale(LC_ALL, "C");
    workspace.ClearLog();
    return 0;
}
