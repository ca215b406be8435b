#include "tests/game/GameDataFolder.h"

#include <cstdio>

#include "content/FontFileWriter.h"
#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "content/VersionedFileWriting.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ModelFlags.h"
#include "game/GameData.h"
#include "tests/tools/ResourceFileSupport.h"

namespace gametest {

Definitions SmallGame() {
    Definitions game;
    game.provisions = R"(<provisions>
  <ingredients><base cost="1"/><cream cost="2"/><cherry cost="3"/><coffee_beans cost="1"/></ingredients>
  <food>
    <cake group="cake" cost="10"><base/><cream/><cherry visible="0"/></cake>
    <coffee group="drink" cost="5"><coffee_beans/></coffee>
    <beans group="drink" can_order="0" cost="0"><coffee_beans/></beans>
  </food>
</provisions>)";
    game.room = R"(<room day_time="120">
  <distributors>
    <base_stand ingredient="base"/>
    <bean_stand ingredient="coffee_beans"><automatic_machines><grinder/></automatic_machines></bean_stand>
  </distributors>
  <automatic_machines>
    <grinder layer="2">
      <productions hide_input="1"><grind input="beans" output="coffee"/></productions>
      <animations><work group="drink" layer="lower" start_frame="0" end_frame="24" time="2.0"/></animations>
    </grinder>
  </automatic_machines>
</room>)";
    game.customers = R"(<customers min_mood_time="20" max_mood_time="40">
  <student name="student"><a group="cake"/><b group="drink" must_order="1"/></student>
</customers>)";
    game.character = R"(<character>
  <mood day_change="-0.1" build_change="0.3"/>
  <qualification><novice tips="0"/><cook tips="100"/><chef tips="200"/></qualification>
  <automatic_machines><grinder qualification="1" cost="500"/></automatic_machines>
  <cafe_classes><plain cost_multiplier="1" day_multiplier="1"/><fine cost_multiplier="1.5" day_multiplier="1.25"/></cafe_classes>
</character>)";
    game.upgrades = R"(<upgrades><roof cost="100"/><chimney cost="50"><roof/></chimney></upgrades>)";
    return game;
}

void GameDataFolder::WriteDefinitions(const Definitions& definitions) {
    const std::pair<const wchar_t*, const std::optional<std::string>*> files[] = {
        {Morvane::GameData::kProvisionsFile, &definitions.provisions},
        {Morvane::GameData::kRoomFile, &definitions.room},
        {Morvane::GameData::kCustomersFile, &definitions.customers},
        {Morvane::GameData::kCharacterFile, &definitions.character},
        {Morvane::GameData::kUpgradesFile, &definitions.upgrades}};
    for (const auto& [path, text] : files)
        if (text->has_value()) WriteText(path, **text);
}

void GameDataFolder::WriteText(const std::wstring& path, const std::string& text) {
    Content::VersionedFileWriting::WriteFile(path, Content::VersionedFileWriting::Bytes(text.begin(), text.end()));
}

void GameDataFolder::WriteResourceList(const std::wstring& path, const std::string& elements) {
    WriteText(path, "<?xml version=\"1.0\"?>\n<resources>\n" + elements + "\n</resources>\n");
}

void GameDataFolder::WriteModel(const std::wstring& path) {
    Content::ModelFileWriter::WriteFile(L"data\\" + path, keepertest::TriangleModel());
    WriteMaterialBeside(path);
}

void GameDataFolder::WriteParticles(const std::wstring& path) {
    Content::ParticleFileWriter::WriteFile(L"data\\" + path, {});
    WriteMaterialBeside(path);
}

void GameDataFolder::WriteMaterialBeside(const std::wstring& path) {
    std::wstring material = L"data\\" + path;
    Vantor::FileManager::ChangeExtension(material, L"srf");
    Content::ShaderFileWriter::WriteFile(material, {});
}

void GameDataFolder::WritePicture(const std::wstring& path, Size size) {
    Content::TgaWriter::WriteFile(L"data\\" + path, size.width, size.height,
                                  std::vector<std::uint8_t>(std::size_t{size.width} * size.height * 4, 0xFF));
}

void GameDataFolder::WriteQuad(const std::string& file, Vantor::Vector2 minimum, Vantor::Vector2 maximum,
                               std::uint32_t frames) {
    Content::ModelFileWriter::Model model = keepertest::TriangleModel();
    if (frames > 1) model.flags = (model.flags & ~Vantor::ModelFlags::kStatic) | Vantor::ModelFlags::kKeyFrames;
    model.frameCount = frames;
    model.indices = {0, 1, 2, 2, 1, 3};
    model.vertexCount = 4;
    model.vertices.clear();
    model.boxes.clear();
    const float xs[] = {minimum.x, maximum.x, minimum.x, maximum.x};
    const float ys[] = {minimum.y, minimum.y, maximum.y, maximum.y};
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        for (int i = 0; i < 4; ++i) {
            Content::ModelFileWriter::Vertex& vertex = model.vertices.emplace_back();
            vertex.position[0] = xs[i];
            vertex.position[1] = ys[i];
            vertex.u = static_cast<float>(i % 2);
            vertex.v = static_cast<float>(1 - i / 2);
        }
        model.boxes.push_back({{minimum.x, minimum.y, 0.0f}, {maximum.x, maximum.y, 0.0f}});
    }
    Content::ModelFileWriter::WriteFile(L"data\\ui\\" + std::wstring(file.begin(), file.end()), model);
}

void GameDataFolder::WriteColourPicture(const std::string& name, std::uint32_t argb, bool frameOnly) {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool border = x == 0 || y == 0 || x == 7 || y == 7;
            const std::uint8_t alpha = frameOnly && !border ? 0 : static_cast<std::uint8_t>(argb >> 24);
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                                         static_cast<std::uint8_t>(argb), alpha});
        }
    Content::TgaWriter::WriteFile(L"data\\ui\\pictures\\" + std::wstring(name.begin(), name.end()) + L".tga", 8, 8,
                                  pixels);
}

void GameDataFolder::WriteSheetMaterial(const std::wstring& file, const std::string& picture, int columns, int rows) {
    Content::ShaderFileWriter::Shader material;
    if (columns > 0) {
        Content::ShaderFileWriter::Stage& sheet = material.stages.emplace_back();
        sheet.kind = 1;
        sheet.frames = columns * rows;
        sheet.columns = columns;
        sheet.rows = rows;
        sheet.textureName = "ui\\pictures\\" + picture;
    }
    Content::ShaderFileWriter::WriteFile(L"data\\ui\\" + file, material);
}

void GameDataFolder::WriteBlockFont(const std::string& name) {
    const std::wstring folder = L"data\\fonts\\" + Vantor::ToWide(name) + L"\\";
    WriteText(folder + L"font.xml", "<font size=\"16\" />\n");
    std::vector<Content::FontFileWriter::Record> glyphs;
    for (char16_t code = u' '; code <= u'~'; ++code) glyphs.push_back(Content::FontFileWriter::WholePicture(code, 0.5f));
    Content::FontFileWriter::WriteFile(folder + L"font.fnt", glyphs);
    Content::TgaWriter::WriteFile(folder + L"font.tga", 2, 2, std::vector<std::uint8_t>(16, 0xFF));
}

void GameDataFolder::WriteTexturePack(const std::string& folder, const Content::GameTexturePackWriter::Pack& pack,
                                      const std::vector<Size>& atlases) {
    const std::wstring wideFolder(folder.begin(), folder.end());
    Content::GameTexturePackWriter::WriteFile(L"data\\" + wideFolder + L"\\texture_pack.tpf", pack);
    for (std::size_t i = 0; i < atlases.size(); ++i)
        WritePicture(wideFolder + L"\\texture_pack_" + std::to_wstring(i) + L".tga", atlases[i]);
}

void GameDataFolder::WriteHousePack() {
    Content::GameTexturePackWriter::Pack pack;
    pack.pictures = {{"roof", 0, {0.0f, 0.5f}, {1.0f, 1.0f}}, {"chimney", 0, {0.0f, 0.0f}, {0.25f, 0.5f}}};
    WriteTexturePack("house\\textures", pack, {{64, 32}});
}

std::string GameDataFolder::ModelElement(const std::string& key) {
    WriteModel(L"ui\\models\\triangle.mdl");
    return Element(key, "model", "file_name=\"models\\triangle.mdl\"");
}

std::string GameDataFolder::Element(const std::string& key, const std::string& kind, const std::string& attributes) {
    const std::size_t last = key.rfind('/');
    std::string open;
    std::string close;
    for (std::size_t start = 0; last != std::string::npos && start < last;) {
        const std::size_t end = key.find('/', start);
        const std::string group = key.substr(start, end - start);
        open += "<" + group + ">";
        close = "</" + group + ">" + close;
        start = end + 1;
    }
    const std::string name = last == std::string::npos ? key : key.substr(last + 1);
    return open + "<" + kind + " name=\"" + name + "\" " + attributes + "/>" + close + "\n";
}

std::string GameDataFolder::IngredientElements(const std::string& name, std::uint32_t argb) {
    WriteColourPicture(name, argb, false);
    return Element("provisions/ingredients/models/" + name, "model", "file_name=\"models\\ingredient.mdl\"") +
           Element("provisions/ingredients/shaders/" + name, "shader", "texture_name=\"pictures\\" + name + ".tga\"") +
           Element("provisions/ingredients/shaders/" + name + "_selection", "shader",
                   "texture_name=\"pictures\\glow.tga\" alpha_blend=\"1\"");
}

std::string GameDataFolder::NumberedModels(const std::string& before, const std::vector<int>& numbers,
                                           const std::string& after) {
    std::string elements;
    for (int number : numbers) {
        char digits[16];
        std::snprintf(digits, sizeof(digits), "%02d", number);
        elements += ModelElement(before + digits + after);
    }
    return elements;
}

}  // namespace gametest
