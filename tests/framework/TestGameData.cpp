#include "tests/framework/TestGameData.h"

#include <cstdint>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "content/TgaWriter.h"
#include "tests/gui_tools/TextTableTestSupport.h"

namespace frameworktest {

namespace {

struct ColouredWindow {
    const char* name;
    std::uint8_t red, green, blue;
    const char* position;
    const char* size;
};

const ColouredWindow kColouredWindows[] = {
    {"welcome", 0x20, 0xC0, 0x20, "250 200", "300 200"},
    {"level_display", 0x20, 0x40, 0xC0, "50 50", "700 500"},
    {"pause", 0xE0, 0xE0, 0x20, "500 350", "250 150"},
    {"high_scores", 0xD0, 0x20, 0x20, "200 150", "400 300"},
};

void WritePicture(const testsupport::TempFolder& folder, const std::string& path, std::uint8_t red,
                  std::uint8_t green, std::uint8_t blue) {
    std::vector<std::uint8_t> pixels(16, 0xFF);
    for (std::size_t pixel = 0; pixel < pixels.size(); pixel += 4) {
        pixels[pixel] = red;
        pixels[pixel + 1] = green;
        pixels[pixel + 2] = blue;
    }
    const Content::TgaWriter::Bytes picture = Content::TgaWriter::Build(2, 2, pixels);
    folder.WriteFile(path, std::string(picture.begin(), picture.end()));
}

void WriteWhitePicture(const testsupport::TempFolder& folder, const std::string& path) {
    WritePicture(folder, path, 0xFF, 0xFF, 0xFF);
}

// A shader of the list in "data\ui", with its picture there when it has one.
std::string Shader(const std::string& name, const std::string& picture = "") {
    const std::string texture = picture.empty() ? "" : " texture_name=\"" + picture + ".tga\"";
    return "<shader name=\"" + name + "\"" + texture + " alpha_blend=\"true\" mip_map=\"false\"/>";
}

// The basic resources: the white quad and one coloured picture per window of its own.
void WriteWindows(const testsupport::TempFolder& folder) {
    std::string shaders = Shader("quad");
    for (const ColouredWindow& window : kColouredWindows) {
        shaders += Shader(window.name, window.name);
        WritePicture(folder, std::string("data/ui/") + window.name + ".tga", window.red, window.green, window.blue);
        folder.WriteFile(std::string("data/ui/windows/test_") + window.name + ".xml",
                         std::string("<window name=\"test_") + window.name + "\" shader=\"" + window.name +
                             "\" position=\"" + window.position + "\" size=\"" + window.size + "\" />");
    }
    folder.WriteFile("data/ui/resources_basic.xml", "<resources><ui>" + shaders + "</ui></resources>");
    folder.WriteFile("data/ui/windows/test_window.xml",
                     std::string("<window name=\"") + kTestWindowLayout +
                         "\" shader=\"quad\" position=\"300 250\" size=\"200 100\" />");
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

std::string TestWindowLayoutOf(const std::string& windowName) {
    for (const ColouredWindow& window : kColouredWindows)
        if (windowName == window.name) return std::string("test_") + window.name;
    return kTestWindowLayout;
}

void WriteTestGameData(const testsupport::TempFolder& folder) {
    folder.WriteFile("data/levels/levels.xml",
                     "<levels><stage><level/><level/></stage><stage><level/><level/></stage></levels>");
    folder.WriteFile("data/ui/resources_additional.xml",
                     "<resources><ui><shader name=\"extra\" alpha_blend=\"true\" mip_map=\"false\"/></ui></resources>");
    WriteWindows(folder);
    folder.WriteFile("data/texts/texts.xml", guitoolstest::Utf8Document(std::string("<texts language=\"english\">") +
                                                                         "<game_title text=\"" + kTestGameTitle +
                                                                         "\"/></texts>"));
    WriteConsoleFont(folder);
    WriteWhitePicture(folder, "data/console/console.tga");
}

}  // namespace frameworktest
