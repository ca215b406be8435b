#include "tests/framework/TestGameData.h"

#include <cstdint>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "content/TgaWriter.h"
#include "tests/gui_tools/TextTableTestSupport.h"

namespace frameworktest {

namespace {

void WriteWhitePicture(const testsupport::TempFolder& folder, const std::string& path) {
    const Content::TgaWriter::Bytes picture = Content::TgaWriter::Build(2, 2, std::vector<std::uint8_t>(16, 0xFF));
    folder.WriteFile(path, std::string(picture.begin(), picture.end()));
}

void WriteConsoleFont(const testsupport::TempFolder& folder) {
    folder.WriteFile("data/fonts/console/font.xml", "<font size=\"12\" />\n");
    std::vector<Content::FontFileWriter::Record> glyphs;
    for (char16_t code = u' '; code <= u'~'; ++code) glyphs.push_back(Content::FontFileWriter::WholePicture(code, 0.5f));
    const Content::FontFileWriter::Bytes bytes = Content::FontFileWriter::Build(glyphs);
    folder.WriteFile("data/fonts/console/font.fnt", std::string(bytes.begin(), bytes.end()));
    WriteWhitePicture(folder, "data/fonts/console/font.tga");
}

}  // namespace

void WriteTestGameData(const testsupport::TempFolder& folder) {
    folder.WriteFile("data/levels/levels.xml", "<levels><stage><level/><level/></stage><stage><level/></stage></levels>");
    folder.WriteFile("data/ui/resources_basic.xml",
                     "<resources><ui><shader name=\"quad\" alpha_blend=\"true\" mip_map=\"false\"/></ui></resources>");
    folder.WriteFile("data/ui/resources_additional.xml",
                     "<resources><ui><shader name=\"extra\" alpha_blend=\"true\" mip_map=\"false\"/></ui></resources>");
    folder.WriteFile("data/ui/windows/test_window.xml",
                     std::string("<window name=\"") + kTestWindowLayout +
                         "\" shader=\"quad\" position=\"300 250\" size=\"200 100\" />");
    folder.WriteFile("data/texts/texts.xml", guitoolstest::Utf8Document(std::string("<texts language=\"english\">") +
                                                                         "<game_title text=\"" + kTestGameTitle +
                                                                         "\"/></texts>"));
    WriteConsoleFont(folder);
    WriteWhitePicture(folder, "data/console/console.tga");
}

}  // namespace frameworktest
