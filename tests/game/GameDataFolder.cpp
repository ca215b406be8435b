#include "tests/game/GameDataFolder.h"

#include <cstdio>

#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TgaWriter.h"
#include "content/VersionedFileWriting.h"
#include "engine/kernel/FileManager.h"
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
