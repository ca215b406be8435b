#include "tests/game/replay/ReplayData.h"

#include <cstdint>
#include <utility>

#include "engine/kernel/StringHelpers.h"
#include "game/Background.h"

namespace replay {

namespace {

using gametest::GameDataFolder;

std::string Number(float value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

// A quad of one colour (0xAARRGGBB), with a material of that colour beside it (a sheet
// of frames of it when asked), as a model element of the key.
std::string Quad(const std::string& key, Vantor::Vector2 minimum, Vantor::Vector2 maximum, std::uint32_t argb,
                 std::uint32_t keyFrames = 1, int sheetFrames = 1) {
    std::string file = key;
    for (char& c : file)
        if (c == '/') c = '_';
    GameDataFolder::WriteColourPicture(file, argb, false);
    GameDataFolder::WriteQuad("models\\" + file + ".mdl", minimum, maximum, keyFrames);
    GameDataFolder::WriteSheetMaterial(L"models\\" + Vantor::ToWide(file) + L".srf", file, sheetFrames, 1);
    return GameDataFolder::Element(key, "model", "file_name=\"models\\" + file + ".mdl\"");
}

constexpr std::pair<const char*, std::uint32_t> kIngredients[] = {
    {"cracker_waffle", 0xFFD8A040}, {"jelly_green", 0xFF30C040}, {"cracker_chocolate", 0xFF603010},
    {"cracker_fancy", 0xFFF0E0A0},  {"jelly_red", 0xFFE02020},   {"coffee_cup", 0xFFF0F0F0},
    {"coffee", 0xFF402010}};
// Layers of the foods of each group, the most of any of its recipes.
constexpr std::pair<const char*, int> kGroupLayers[] = {{"cake", 3}, {"coffee", 2}};

std::string FoodElements() {
    std::string elements;
    GameDataFolder::WriteColourPicture("glow", 0xFFFFFFFF, true);
    GameDataFolder::WriteQuad("models\\ingredient.mdl", {0.0f, 0.0f}, {30.0f, 12.0f});
    for (const auto& [name, colour] : kIngredients) elements += GameDataFolder::IngredientElements(name, colour);
    for (const auto& [group, layers] : kGroupLayers)
        for (int layer = 0; layer < layers; ++layer) {
            const std::string key = std::string(group) + "_" + std::to_string(layer);
            const float bottom = 10.0f * static_cast<float>(layer);
            GameDataFolder::WriteQuad("models\\" + key + ".mdl", {0.0f, bottom}, {30.0f, bottom + 12.0f});
            elements += GameDataFolder::Element("provisions/food/" + key, "model", "file_name=\"models\\" + key + ".mdl\"");
        }
    elements += Quad("provisions/food/done/model", {0.0f, 0.0f}, {10.0f, 10.0f}, 0xFF20FF20);
    elements += GameDataFolder::Element("provisions/food/done/shader", "shader", "texture_name=\"pictures\\glow.tga\"");
    return elements;
}

// The distributors in a row at the top, each with a hit area over its three slots.
std::string DistributorElements() {
    std::string elements;
    float left = 20.0f;
    for (const char* name : ReplayData::kDistributors) {
        const std::string prefix = std::string("room/distributors/") + name + "/";
        elements += Quad(prefix + "selection", {left, 470.0f}, {left + 120.0f, 560.0f}, 0xFF806040);
        for (int slot = 0; slot < 3; ++slot) {
            const float x = left + 5.0f + 38.0f * static_cast<float>(slot);
            elements += Quad(prefix + "input_" + std::to_string(slot), {x, 480.0f}, {x + 30.0f, 490.0f}, 0xFF404040);
        }
        left += 128.0f;
    }
    return elements;
}

// The dustbin at the bottom right and the coffee machine above it, which shows eight
// frames while it brews.
std::string MachineElements() {
    std::string elements;
    elements += Quad("room/automatic_machines/dustbin/selection", {690.0f, 20.0f}, {790.0f, 140.0f}, 0xFF505050);
    const std::string coffee = "room/automatic_machines/coffee_black/";
    elements += Quad(coffee + "selection", {620.0f, 190.0f}, {790.0f, 420.0f}, 0xFF703020);
    elements += Quad(coffee + "lower", {620.0f, 190.0f}, {790.0f, 420.0f}, 0xFF903020, 1, 8);
    elements += Quad(coffee + "input", {650.0f, 220.0f}, {700.0f, 260.0f}, 0xFF202020);
    elements += Quad(coffee + "output", {700.0f, 330.0f}, {750.0f, 370.0f}, 0xFF202020);
    elements += Quad("room/clock/model", {740.0f, 432.0f}, {790.0f, 466.0f}, 0xFFFFFFFF, 1, 8);
    return elements;
}

// Place n: the figure from (200 n + 20, 40) to (200 n + 170, 300), walking in over 60
// frames; its balloon above it. The balloon's item places side by side.
std::string CustomerElements() {
    std::string elements;
    for (unsigned place = 0; place < ReplayData::kPlaces; ++place) {
        const std::string models = "customers/models/" + Vantor::ToString(place, 2) + "/";
        const float left = 200.0f * static_cast<float>(place) + 20.0f;
        elements += Quad(models + "customer", {left, 40.0f}, {left + 150.0f, 300.0f}, 0xFF3060A0, 60);
        elements += Quad(models + "selection", {left, 40.0f}, {left + 150.0f, 300.0f}, 0xFF3060A0);
        elements += Quad(models + "balloon", {left, 310.0f}, {left + 160.0f, 430.0f}, 0xFFFFFFFF);
    }
    elements += Quad("customers/balloon/model", {0.0f, 0.0f}, {160.0f, 120.0f}, 0xFFFFFFFF);
    for (unsigned item = 0; item < 3; ++item) {
        const float left = 10.0f + 50.0f * static_cast<float>(item);
        for (const auto& [group, layers] : kGroupLayers)
            elements += Quad("customers/balloon/place_" + Vantor::ToString(item, 2) + "/" + group, {left, 40.0f},
                             {left + 40.0f, 80.0f}, 0x00000000);
    }
    elements += Quad("customers/balloon/smile", {0.0f, 0.0f}, {30.0f, 30.0f}, 0xFFFFD020, 1, 48);
    elements += Quad("customers/balloon/smile_progress", {0.0f, -8.0f}, {30.0f, -3.0f}, 0xFF20C040, 11, 3);
    for (const char* type : ReplayData::kCustomerTypes)
        elements += GameDataFolder::Element(std::string("customers/shaders/") + type, "shader",
                                            "texture_name=\"pictures\\customers_models_00_customer.tga\"");
    GameDataFolder::WriteParticles(L"ui\\particles\\customer.prt");
    for (const char* effect : {"ui/customer_good", "ui/customer_bad"})
        elements += GameDataFolder::Element(effect, "particles", "file_name=\"particles\\customer.prt\"");
    return elements;
}

std::string BackgroundElements() {
    GameDataFolder::WriteText(Morvane::Background::kDescriptionFile,
                              "<?xml version=\"1.0\"?>\n<background resources_prefix=\"room\">"
                              "<model name=\"wall\"/></background>\n");
    return Quad("room/wall", {0.0f, 0.0f}, {800.0f, 600.0f}, 0xFF705848);
}

}  // namespace

gametest::Definitions ReplayData::Definitions(const ReplayDataOptions& options) {
    gametest::Definitions game;
    game.provisions = R"(<provisions>
  <ingredients><cracker_waffle cost="1"/><jelly_green cost="1"/><cracker_chocolate cost="1"/><cracker_fancy cost="1"/>
    <jelly_red cost="1"/><coffee_cup cost="1"/><coffee cost="1"/></ingredients>
  <food>
    <cake_13 group="cake" cost="12"><cracker_waffle/><jelly_green/><cracker_chocolate/></cake_13>
    <cake_07 group="cake" cost="9"><cracker_fancy/><jelly_red/><cracker_fancy/></cake_07>
    <cake_02 group="cake" cost="7"><cracker_waffle/><jelly_red/></cake_02>
    <empty_cup group="coffee" can_order="0" cost="0"><coffee_cup/></empty_cup>
    <coffee_black group="coffee" cost="5"><coffee_cup/><coffee/></coffee_black>
  </food>
</provisions>)";
    std::string distributors;
    for (const char* name : kDistributors) {
        const std::string distributor = name;
        const std::string machines = distributor == "coffee_cup"
                                         ? "<automatic_machines><coffee_black/></automatic_machines>"
                                         : "";
        distributors += "<" + distributor + " ingredient=\"" + distributor + "\">" + machines + "</" + distributor + ">";
    }
    game.room = "<room day_time=\"" + Number(options.dayTime) + "\"><distributors>" + distributors +
                R"(</distributors>
  <automatic_machines>
    <dustbin layer="1"><productions/><animations/></dustbin>
    <coffee_black layer="2">
      <productions><brew input="empty_cup" output="coffee_black"/></productions>
      <animations><work group="" layer="lower" start_frame="0" end_frame="7" time=")" +
                Number(options.brewTime) + R"("/></animations>
    </coffee_black>
  </automatic_machines>
</room>)";
    game.customers = "<customers min_mood_time=\"" + Number(options.minMoodTime) + "\" max_mood_time=\"" +
                     Number(options.maxMoodTime) + R"(">
  <student name="student"><a group="cake" must_order="1"/></student>
  <teacher name="teacher"><a group="cake"/><b group="coffee"/></teacher>
  <pilot name="pilot"><a group="coffee" must_order="1"/><b group="cake"/></pilot>
  <baker name="baker"><a group="cake" must_order="1"/><b group="cake" must_order="1"/><c group="coffee" must_order="1"/></baker>
</customers>)";
    game.character = R"(<character>
  <mood day_change="-0.1" build_change="0.3"/>
  <qualification><novice tips="0"/><cook tips="100"/></qualification>
  <automatic_machines><coffee_black qualification="0" cost="100"/></automatic_machines>
  <cafe_classes><plain cost_multiplier="1" day_multiplier="1"/><fine cost_multiplier="1.5" day_multiplier="1"/></cafe_classes>
</character>)";
    game.upgrades = R"(<upgrades><roof cost="100"/><chimney cost="50"><roof/></chimney></upgrades>)";
    return game;
}

std::string ReplayData::Texts() {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<texts language="english"><game_title text="Replay"/><game_logic>
  <service_0 text="Great service!"/><service_1 text="Good service"/><service_2 text="Slow service"/>
  <service_3 text="Gone!"/><tip text="Tip: %money%"/><plus_money text="+%MONEY%"/>
</game_logic></texts>)";
}

void ReplayData::Write(const std::wstring& resourceList, const ReplayDataOptions& options) {
    GameDataFolder::WriteDefinitions(Definitions(options));
    GameDataFolder::WriteHousePack();
    GameDataFolder::WriteResourceList(resourceList, FoodElements() + DistributorElements() + MachineElements() +
                                                        CustomerElements() + BackgroundElements());
    for (const char* font : {"common", "tip"}) GameDataFolder::WriteBlockFont(font);
    GameDataFolder::WriteText(L"data\\texts\\texts.xml", Texts());
}

}  // namespace replay
