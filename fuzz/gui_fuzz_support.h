#pragma once
// What the layout layer's targets share: the engine over the workspace with a GUI of
// 800 x 600 units, a data keeper, the folders of the text table and of the font "fuzz"
// with a fixed glyph file (the font file reader has its own target), and inputs cut into
// parts at zero bytes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "engine/gui/GUIManager.h"
#include "fuzz/engine_fuzz_support.h"
#include "tools/DataKeeper.h"

namespace fuzzing {

struct GUIWorkspace : EngineWorkspace {
    GUIWorkspace() : EngineWorkspace("data/texts") {
        CreateFolder("data/fonts/fuzz");
        std::vector<Content::FontFileWriter::Record> glyphs;
        for (char16_t code = u' '; code <= u'~'; ++code)
            glyphs.push_back(Content::FontFileWriter::WholePicture(code, 0.25f + static_cast<float>(code % 4) * 0.125f));
        const Content::FontFileWriter::Bytes bytes = Content::FontFileWriter::Build(glyphs);
        WriteFile("data/fonts/fuzz/font.fnt", bytes.data(), bytes.size());
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        keeper = std::make_unique<GameTools::DataKeeper>();
    }
    void WriteText(const std::string& relative, const std::string& text) const {
        WriteFile(relative, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    std::unique_ptr<GameTools::DataKeeper> keeper;
};

// The input's next part, up to a zero byte or the end.
inline std::string NextPart(const std::uint8_t*& data, const std::uint8_t* end) {
    const std::uint8_t* stop = data;
    while (stop < end && *stop != 0) ++stop;
    std::string part(data, stop);
    data = stop < end ? stop + 1 : end;
    return part;
}

}  // namespace fuzzing
