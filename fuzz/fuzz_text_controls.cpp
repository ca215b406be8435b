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

#include "engine/gui/GUIManager.h"
#include "engine/kernel/MessageManager.h"
#include "fuzz/gui_fuzz_support.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "platform/Clock.h"
#include "platform/Crt.h"

namespace {

using GUITools::GUITextControl;

using fuzzing::NextPart;

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
    static fuzzing::GUIWorkspace workspace;
    const std::uint8_t* end = data + size;
    const std::string texts = NextPart(data, end);
    const std::string font = NextPart(data, end);
    const std::string keys(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(end));
    workspace.WriteText("data/texts/texts.xml", texts);
    workspace.WriteText("data/fonts/fuzz/font.xml", font);
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
