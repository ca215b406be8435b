// Fuzzes the window templates. The input is up to four template files separated by zero
// bytes; the tool manager reads them from "data\ui\windows", and every top element with
// a "name" is built as a window, shown, updated, hidden, updated and destroyed over the
// engine on the headless backend. Template errors end in Vantor::FatalError, which a
// window must survive without leaving a GUI element behind.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/kernel/FatalError.h"
#include "fuzz/engine_fuzz_support.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "platform/Clock.h"
#include "platform/Crt.h"
#include "tools/DataKeeper.h"
#include "tools/XMLNode.h"

namespace {

constexpr int kFileCount = 4;
// Windows built from one input, so that an input runs in a bounded time.
constexpr std::size_t kMaxWindows = 8;

// The engine over the workspace with a text table and the font "fuzz" for the text
// labels, and a data keeper whose unknown models and materials are its defaults.
struct EngineWorkspace : fuzzing::EngineWorkspace {
    EngineWorkspace() : fuzzing::EngineWorkspace("data/ui/windows") {
        CreateFolder("data/texts");
        CreateFolder("data/fonts/fuzz");
        const std::string texts = "<texts language=\"english\"><word text=\"Word\" /></texts>";
        WriteFile("data/texts/texts.xml", reinterpret_cast<const std::uint8_t*>(texts.data()), texts.size());
        const std::string font = "<font size=\"10\" />";
        WriteFile("data/fonts/fuzz/font.xml", reinterpret_cast<const std::uint8_t*>(font.data()), font.size());
        std::vector<Content::FontFileWriter::Record> glyphs;
        for (char16_t code = u' '; code <= u'~'; ++code) glyphs.push_back(Content::FontFileWriter::WholePicture(code, 0.5f));
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

std::size_t ElementCount() {
    const Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    return gui.GetWindows().GetCount() + gui.GetButtons().GetCount() + gui.GetCheckBoxes().GetCount() +
           gui.GetEditBoxes().GetCount() + gui.GetSliders().GetCount() + gui.GetScrolls().GetCount();
}

void Frames(Vantor::Engine& engine, GUITools::GUIWindowBase& window, int count) {
    for (int frame = 0; frame < count; ++frame) {
        platform::seam::AdvanceVirtualTime(100000);
        engine.BeginFrame();
        window.Update();
        Vantor::GUIManager::Instance()->Update();
        engine.EndFrame();
    }
}

void BuildAndRun(EngineWorkspace& workspace, GUITools::GUIToolManager& tools, const std::string& layout) {
    const std::size_t elements = ElementCount();
    try {
        GUITools::GUIWindowBase window(workspace.keeper.get(), &tools, nullptr, layout);
        window.Show(true);
        Frames(*workspace.engine, window, 3);
        for (const auto& control : window.GetControls()) {
            window.IsControlEnabled(control->GetName());
            window.GetTextControl(control->GetName());
        }
        if (window.GetControls().size() > 1) window.EnableControl(*window.GetControls()[1], false);
        window.Show(false);
        Frames(*workspace.engine, window, 3);
    } catch (const Vantor::FatalError&) {
    }
    if (ElementCount() != elements) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static EngineWorkspace workspace;
    const std::uint8_t* end = data + size;
    for (int file = 0; file < kFileCount; ++file) {
        const std::string part = NextPart(data, end);
        workspace.WriteFile("data/ui/windows/f" + std::to_string(file) + ".xml",
                            reinterpret_cast<const std::uint8_t*>(part.data()), part.size());
    }
    {
        GUITools::GUIToolManager tools;
        std::vector<std::string> layouts;
        for (const GameTools::XMLNode* top : tools.GetTemplateRoot()->children) {
            const GameTools::XMLValue* name = top->GetAttribute("name", GameTools::XMLNode::kReportSilent);
            if (name && layouts.size() < kMaxWindows) layouts.push_back(name->GetString());
        }
        for (const std::string& layout : layouts) BuildAndRun(workspace, tools, layout);
    }
    crt::setlocale(LC_ALL, "C");
    workspace.ClearLog();
    return 0;
}
