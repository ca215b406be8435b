#include "tests/content/lint/GameDataLint.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "engine/kernel/Engine.h"
#include "engine/kernel/Error.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"
#include "game/HouseBackground.h"
#include "game/TexturePack.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "platform/WinPaths.h"
#include "tests/content/lint/LintSupport.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"
#include "tools/XMLValue.h"

namespace contentlint {

namespace {

using Morvane::GameData;
using Layers = std::vector<std::string>;

// The resource lists in the order the game loads them; a list of another area that
// is not built yet is left out.
const char* const kResourceLists[] = {
    "ui\\background\\resources_basic.xml",      "ui\\resources_introduction_comics.xml",
    "ui\\resources_basic.xml",                  "ui\\background\\resources_additional.xml",
    "background\\resources.xml",                "house\\resources.xml",
    "final\\resources.xml",                     "game_objects\\provisions_resources.xml",
    "game_objects\\room_resources.xml",         "game_objects\\customers_resources.xml",
    "ui\\resources_additional.xml",
};

// The parts of a machine's name that choose its sound, in the order they are tried.
const char* const kSoundParts[] = {"dustbin", "soda", "coffee", "ice_cream", "cream", "candyfloss", "popcorn"};

// The days checked on paper: the number of machines bought.
const std::size_t kDays[] = {0, 1, 5, 15};

constexpr std::size_t kMachinesForSale = 15;
constexpr std::size_t kQualificationLevels = 8;
constexpr std::size_t kCafeClasses = 16;
constexpr unsigned kCustomerWalkFrames = 51;
constexpr unsigned kSmileFrames = 49;
constexpr unsigned kPatienceStages = 3;
constexpr unsigned kBalloonColours = 4;
constexpr unsigned kBalloonPathFrames = 5;
constexpr int kToyBalloons = 4;

// Where the tutorial's arrows point: the arrow window's corner and angle, and the
// element whose box must hold the tip.
struct Arrow {
    float x, y, angle;
    const char* element;
};

const Arrow kArrows[] = {
    {457, 368, 3.65f, "room/distributors/cracker_waffle/selection"},
    {391, 440, 3.65f, "room/distributors/jelly_green/selection"},
    {393, 367, 3.65f, "room/distributors/cracker_chocolate/selection"},
    {236, 250, 3.65f, "customers/models/00/selection"},
    {335, 221, 5.8f, "room/automatic_machines/dustbin/selection"},
    {709, 298, 8.35f, "room/distributors/coffee_cup/input_2"},
    {664, 298, 8.35f, "room/distributors/coffee_cup/input_1"},
    {619, 298, 8.35f, "room/distributors/coffee_cup/input_0"},
    {392, 346, 6.7f, "room/automatic_machines/coffee_black/input"},
    {664, 427, 8.8f, "room/automatic_machines/coffee_black/output"},
};

Layers Sorted(Layers layers) {
    std::sort(layers.begin(), layers.end());
    return layers;
}

// Whether the recipe's layers hold the stack's (both sorted).
bool Holds(const Layers& recipe, const Layers& stack) {
    return std::includes(recipe.begin(), recipe.end(), stack.begin(), stack.end());
}

std::string HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string Number(std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

unsigned FirstStageFrames(const Vantor::ShaderUser* material) {
    const Vantor::AnimationControl* stage = material ? material->GetAnimationControl(0) : nullptr;
    return stage ? stage->GetFrameCount() : 0;
}

bool NameHolds(const std::string& name, const char* part) { return name.find(part) != std::string::npos; }

// What the day's set-up decides for a room (the dustbin, then the machines bought in
// the upgrade window's order): the foods machines take in and give out, the ingredients
// the inputs need, the distributors taking part and the customer types served.
struct DaySetUp {
    std::vector<std::string> machines;
    std::map<std::string, const Morvane::FoodInfo*> inputs, outputs;
    std::set<std::string> neededIngredients, distributorIngredients, outputGroups;
    std::vector<std::string> customerTypes;

    DaySetUp(const GameData& data, std::size_t bought) {
        machines.push_back("dustbin");
        const auto& forSale = data.GetCharacter().machineUpgrades;
        for (std::size_t i = 0; i < bought && i < forSale.size(); ++i) machines.push_back(forSale[i]->name);
        for (const std::string& name : machines) {
            const Morvane::AutomaticMachineInfo* machine = data.FindAutomaticMachine(name);
            if (!machine) continue;
            for (std::size_t p = 0; p < machine->inputs.size(); ++p) {
                if (!IsMadeInRoom(data, machine->inputs[p])) continue;
                inputs.emplace(machine->inputs[p], data.FindFood(machine->inputs[p]));
                outputs.emplace(machine->outputs[p], data.FindFood(machine->outputs[p]));
            }
        }
        for (const auto& food : data.GetFoods()) {
            if (!food->madeByHand || !food->canOrder) continue;
            inputs.emplace(food->name, food.get());
            outputs.emplace(food->name, food.get());
        }
        for (const auto& [name, food] : inputs)
            if (food) neededIngredients.insert(food->ingredientNames.begin(), food->ingredientNames.end());
        for (const auto& distributor : data.GetDistributors()) {
            const bool machinesStand = std::all_of(
                distributor->requiredMachines.begin(), distributor->requiredMachines.end(),
                [&](const std::string& m) { return std::find(machines.begin(), machines.end(), m) != machines.end(); });
            if (machinesStand && neededIngredients.count(distributor->ingredient))
                distributorIngredients.insert(distributor->ingredient);
        }
        for (const auto& [name, food] : outputs)
            if (food) outputGroups.insert(food->group);
        for (const auto& type : data.GetCustomerTypes()) {
            bool served = true;
            for (std::size_t g = 0; g < type->groups.size() && served; ++g)
                served = !type->mustOrderFlags[g] || outputGroups.count(type->groups[g]);
            if (served) customerTypes.push_back(type->name);
        }
    }

    bool IsMadeByRoomMachine(const GameData& data, const std::string& food) const {
        for (const std::string& name : machines) {
            const Morvane::AutomaticMachineInfo* machine = data.FindAutomaticMachine(name);
            if (machine && std::find(machine->outputs.begin(), machine->outputs.end(), food) != machine->outputs.end())
                return true;
        }
        return false;
    }

    // An input another machine makes counts only when that machine stands.
    bool IsMadeInRoom(const GameData& data, const std::string& input) const {
        for (const auto& machine : data.GetAutomaticMachines())
            if (std::find(machine->outputs.begin(), machine->outputs.end(), input) != machine->outputs.end())
                return std::find(machines.begin(), machines.end(), machine->name) != machines.end();
        return true;
    }
};

}  // namespace

GameDataLint::GameDataLint(std::filesystem::path dataFolder) : dataFolder_(std::move(dataFolder)) {}

std::vector<std::string> GameDataLint::Run() {
    problems_.clear();
    enginetest::EngineFolder home;
    Vantor::EngineSettings settings = home.Settings(L"game data lint");
    settings.logEnabled = false;
    settings.baseFolder = platform::ToWindowsPath(dataFolder_.parent_path().string());
    settings.dataFolder = Wide(dataFolder_.filename().string());
    try {
        Vantor::Engine engine(settings);
        TakeLoggedProblems();
        GameData data;
        for (const char* list : kResourceLists)
            if (std::filesystem::exists(dataFolder_ / HostPath(list)))
                data.LoadResourceList(L"data\\" + Wide(list), false);
        data.LoadAll();
        for (const std::string& logged : TakeLoggedProblems()) Problem("game data", logged);
        CheckFixedNames(data);
        CheckKeys(data);
        CheckAnimationRanges(data);
        CheckRecipes(data);
        CheckDays(data);
        CheckTutorialArrows(data);
        CheckHouse(data);
        for (const std::string& logged : TakeLoggedProblems()) Problem("game data", logged);
    } catch (const Vantor::Error& error) {
        Problem("game data", "loading stopped: " + error.GetText());
    }
    return problems_;
}

void GameDataLint::CheckFixedNames(const GameData& data) {
    const auto layersOf = [&](const char* food) {
        const Morvane::FoodInfo* info = data.FindFood(food);
        return info ? Sorted(info->ingredientNames) : Layers{};
    };
    if (layersOf("cake_13") != Layers{"cracker_chocolate", "cracker_waffle", "jelly_green"})
        Problem("provisions", "\"cake_13\" must be cracker_waffle, jelly_green and cracker_chocolate");
    const Layers cake07 = layersOf("cake_07");
    if (cake07.size() != 3 || std::any_of(cake07.begin(), cake07.end(), [](const std::string& layer) {
            return layer != "cracker_fancy" && layer != "jelly_red";
        }))
        Problem("provisions", "\"cake_07\" must be three layers of cracker_fancy and jelly_red");
    const Morvane::AutomaticMachineInfo* coffee = data.FindAutomaticMachine("coffee_black");
    const Morvane::FoodInfo* coffeeFood = data.FindFood("coffee_black");
    if (!coffee || coffee->outputs != std::vector<std::string>{"coffee_black"} || layersOf(coffee->inputs[0].c_str()) != Layers{"coffee_cup"} ||
        !coffeeFood || coffeeFood->group != "coffee")
        Problem("room", "machine \"coffee_black\" must make the coffee \"coffee_black\" from a \"coffee_cup\"");
    for (const char* name : {"cracker_waffle", "jelly_green", "cracker_chocolate", "cracker_fancy", "jelly_red", "coffee_cup"}) {
        const Morvane::DistributorInfo* distributor = data.FindDistributor(name);
        if (!data.FindIngredient(name) || !distributor || distributor->ingredient != name ||
            !distributor->requiredMachines.empty())
            Problem("room", std::string("distributor \"") + name + "\" must hand out its ingredient on every day");
    }
    const Morvane::AutomaticMachineInfo* dustbin = data.FindAutomaticMachine("dustbin");
    if (!dustbin || !dustbin->inputs.empty()) Problem("room", "machine \"dustbin\" must take anything and make nothing");
    for (const auto& machine : data.GetAutomaticMachines())
        if (std::none_of(std::begin(kSoundParts), std::end(kSoundParts),
                         [&](const char* part) { return NameHolds(machine->name, part); }))
            Problem("room", "machine \"" + machine->name + "\" has no sound in its name");
    const auto& types = data.GetCustomerTypes();
    if (types.empty() || std::any_of(types[0]->groups.begin(), types[0]->groups.end(),
                                     [](const std::string& group) { return group != "cake"; }))
        Problem("customers", "the first customer type must order cakes only");
    const Morvane::CharacterInfo& character = data.GetCharacter();
    if (character.machineUpgrades.size() != kMachinesForSale)
        Problem("character", std::to_string(character.machineUpgrades.size()) + " machines for sale, not 15");
    for (const auto& upgrade : character.machineUpgrades) {
        if (!data.FindAutomaticMachine(upgrade->name) || upgrade->cost <= 0)
            Problem("character", "machine for sale \"" + upgrade->name + "\" is not a room machine with a cost");
        if (!character.machineUpgrades.empty() && upgrade->cost < character.machineUpgrades[0]->cost)
            Problem("character", "machine \"" + upgrade->name + "\" is cheaper than the first machine for sale");
    }
    if (character.machineUpgrades.empty() || character.machineUpgrades[0]->name != "coffee_black" ||
        character.machineUpgrades[0]->qualification != 0)
        Problem("character", "the first machine for sale must be \"coffee_black\" at qualification 0");
    if (character.qualificationThresholds.size() != kQualificationLevels || character.qualificationThresholds[0] != 0)
        Problem("character", "8 qualification levels from 0 tips");
    if (character.cafeClasses.size() != kCafeClasses) Problem("character", "16 cafe classes (0 to 15 machines)");
    for (const auto& a : data.GetHouseUpgrades())
        for (const auto& b : data.GetHouseUpgrades())
            if (a != b && NameHolds(b->name, a->name.c_str()))
                Problem("upgrades", "\"" + b->name + "\" holds the name of \"" + a->name + "\"");
}

void GameDataLint::CheckKeys(const GameData& data) {
    for (const auto& ingredient : data.GetIngredients()) {
        RequireModel(data, "provisions/ingredients/models/" + ingredient->name);
        RequireShader(data, "provisions/ingredients/shaders/" + ingredient->name);
        RequireShader(data, "provisions/ingredients/shaders/" + ingredient->name + "_selection");
    }
    std::map<std::string, std::size_t> groupLayers;
    for (const auto& food : data.GetFoods())
        groupLayers[food->group] = std::max(groupLayers[food->group], food->ingredientNames.size());
    for (const auto& [group, layers] : groupLayers)
        for (std::size_t n = 0; n < layers; ++n) RequireModel(data, "provisions/food/" + group + "_" + std::to_string(n));
    RequireModel(data, "provisions/food/done/model");
    RequireShader(data, "provisions/food/done/shader");
    for (const auto& distributor : data.GetDistributors()) {
        const std::string key = "room/distributors/" + distributor->name + "/";
        RequireModel(data, key + "lower");
        RequireModel(data, key + "selection");
        RequireModel(data, key + "input_0");
    }
    for (const auto& machine : data.GetAutomaticMachines()) {
        const std::string key = "room/automatic_machines/" + machine->name + "/";
        RequireModel(data, key + "lower");
        RequireModel(data, key + "selection");
        if (machine->inputs.empty() && data.HasModel(key + "input"))
            Problem("room", "machine \"" + machine->name + "\" has an input place but nothing to make");
        for (const std::string& input : machine->inputs) {
            const Morvane::FoodInfo* food = data.FindFood(input);
            if (!food || (!data.HasModel(key + "input") && !data.HasModel(key + "input_" + food->group)))
                Problem("room", "machine \"" + machine->name + "\" has no place to take \"" + input + "\"");
        }
        for (const std::string& output : machine->outputs) {
            const Morvane::FoodInfo* food = data.FindFood(output);
            if (!food || (!data.HasModel(key + "output") && !data.HasModel(key + "output_" + food->group)))
                Problem("room", "machine \"" + machine->name + "\" has no place to give out \"" + output + "\"");
        }
    }
    RequireModel(data, "room/clock/model");
    if (data.GetCustomerPlaceCount() == 0 || data.GetBalloonPlaceCount() == 0)
        Problem("customers", "no customer place or no balloon place");
    for (unsigned place = 0; place < data.GetCustomerPlaceCount(); ++place) {
        RequireModel(data, "customers/models/" + Number(place) + "/selection");
        RequireModel(data, "customers/models/" + Number(place) + "/balloon");
    }
    for (const auto& type : data.GetCustomerTypes()) RequireShader(data, "customers/shaders/" + type->name);
    std::set<std::string> orderable;
    for (const auto& food : data.GetFoods())
        if (food->canOrder) orderable.insert(food->group);
    for (unsigned place = 0; place < data.GetBalloonPlaceCount(); ++place)
        for (const std::string& group : orderable) RequireModel(data, "customers/balloon/place_" + Number(place) + "/" + group);
    for (const char* part : {"model", "smile", "smile_progress"}) RequireModel(data, std::string("customers/balloon/") + part);
    for (const auto& upgrade : data.GetCharacter().machineUpgrades) RequireShader(data, "ui/machines/preview_" + upgrade->name);
    data.GetParticleSystem(Morvane::HouseBackground::kBuildEffect);
    // The rating's bursts rise from the box the customer's code sets above its figure.
    for (const char* burst : {"ui/customer_good", "ui/customer_bad"})
        if (data.GetParticleSystem(burst)->GetEmitterShape() != Vantor::ParticleSystem::kBoxEmitter)
            Problem("customers", std::string("\"") + burst + "\" does not rise from an emitter box");
    for (int balloon = 0; balloon < kToyBalloons; ++balloon) RequireModel(data, "game_logic/house/balloon_" + std::to_string(balloon));
    RequireShader(data, "game_logic/house/balloon");
    for (const std::string& logged : TakeLoggedProblems()) Problem("keys", logged);
}

void GameDataLint::CheckAnimationRanges(const GameData& data) {
    const auto frames = [&](const std::string& key) {
        return data.HasModel(key) ? FirstStageFrames(data.GetModel(key)->GetShaderUser()) : 0u;
    };
    for (const auto& machine : data.GetAutomaticMachines())
        for (const auto& range : machine->animations) {
            for (const char* layer : {"lower", "upper"}) {
                if (!NameHolds(range->layer, layer)) continue;
                const unsigned count = frames("room/automatic_machines/" + machine->name + "/" + layer);
                if (range->startFrame < 0 || range->endFrame < range->startFrame ||
                    static_cast<unsigned>(range->endFrame) >= count)
                    Problem("room", "machine \"" + machine->name + "\": frames " + std::to_string(range->startFrame) +
                                        "-" + std::to_string(range->endFrame) + " beyond the " + std::to_string(count) +
                                        " frames of its " + layer + " sheet");
            }
        }
    const auto atLeast = [&](const std::string& what, unsigned count, unsigned least) {
        if (count < least)
            Problem("animations", what + " has " + std::to_string(count) + " frames, fewer than " + std::to_string(least));
    };
    atLeast("room/clock/model", frames("room/clock/model"), 2);
    atLeast("customers/balloon/smile", frames("customers/balloon/smile"), kSmileFrames);
    atLeast("customers/balloon/smile_progress", frames("customers/balloon/smile_progress"), kPatienceStages);
    atLeast("provisions/food/done/shader", FirstStageFrames(data.GetShaderUser("provisions/food/done/shader")), 2);
    atLeast("game_logic/house/balloon", FirstStageFrames(data.GetShaderUser("game_logic/house/balloon")), kBalloonColours);
    const auto modelFrames = [&](const std::string& key) {
        const Vantor::Model* model = data.HasModel(key) ? data.GetModel(key) : nullptr;
        return model && model->GetAnimationControl() ? model->GetAnimationControl()->GetFrameCount() : 0u;
    };
    for (unsigned place = 0; place < data.GetCustomerPlaceCount(); ++place) {
        const std::string key = "customers/models/" + Number(place) + "/customer";
        atLeast(key, modelFrames(key), kCustomerWalkFrames);
    }
    atLeast("customers/balloon/smile_progress (bar)", modelFrames("customers/balloon/smile_progress"), 2);
    for (int balloon = 0; balloon < kToyBalloons; ++balloon) {
        const std::string key = "game_logic/house/balloon_" + std::to_string(balloon);
        atLeast(key, modelFrames(key), kBalloonPathFrames);
    }
}

// A stack is laid out by the first recipe holding it and named when that recipe has
// exactly its layers: each recipe, built a layer at a time, must end up laid out and
// named as itself, so no earlier recipe may hold all its layers.
void GameDataLint::CheckRecipes(const GameData& data) {
    const auto& foods = data.GetFoods();
    std::vector<Layers> sorted;
    for (const auto& food : foods) sorted.push_back(Sorted(food->ingredientNames));
    const auto firstHolding = [&](const Layers& stack) -> std::size_t {
        for (std::size_t i = 0; i < foods.size(); ++i)
            if (Holds(sorted[i], stack)) return i;
        return foods.size();
    };
    for (std::size_t i = 0; i < foods.size(); ++i) {
        for (const std::string& layer : foods[i]->ingredientNames)
            if (!data.FindIngredient(layer))
                Problem("provisions", "food \"" + foods[i]->name + "\": no ingredient \"" + layer + "\"");
        // Every part of the stack on the way is held by the recipe itself.
        const std::size_t named = firstHolding(sorted[i]);
        if (named != i)
            Problem("provisions", "food \"" + foods[i]->name + "\" built layer by layer is laid out as \"" +
                                      foods[named]->name + "\"");
    }
}

void GameDataLint::CheckDays(const GameData& data) {
    for (std::size_t bought : kDays) {
        const DaySetUp day(data, bought);
        const std::string area = "day with " + std::to_string(bought) + " machines";
        for (const std::string& machine : day.machines)
            if (!data.FindAutomaticMachine(machine)) Problem(area, "no machine \"" + machine + "\"");
        for (const auto* foods : {&day.inputs, &day.outputs})
            for (const auto& [name, food] : *foods)
                if (!food) Problem(area, "no food \"" + name + "\"");
        // What no machine of the room makes is put together from the trays.
        for (const auto& [name, food] : day.inputs) {
            if (!food || day.IsMadeByRoomMachine(data, name)) continue;
            for (const std::string& ingredient : food->ingredientNames)
                if (!day.distributorIngredients.count(ingredient))
                    Problem(area, "no distributor hands out \"" + ingredient + "\"");
        }
        if (day.customerTypes.empty()) Problem(area, "no customer type to serve");
        else if (bought == 0 && day.customerTypes[0] != data.GetCustomerTypes()[0]->name)
            Problem(area, "the first customer type cannot come");
        // A type that comes with nothing of the room to order logs a warning and leaves.
        for (const auto& type : data.GetCustomerTypes())
            if (std::find(day.customerTypes.begin(), day.customerTypes.end(), type->name) != day.customerTypes.end() &&
                std::none_of(type->groups.begin(), type->groups.end(),
                             [&](const std::string& group) { return day.outputGroups.count(group) > 0; }))
                Problem(area, "customer type \"" + type->name + "\" comes and can order nothing");
        for (const std::string& machine : day.machines) {
            const Morvane::AutomaticMachineInfo* info = data.FindAutomaticMachine(machine);
            if (!info) continue;
            for (const std::string& input : info->inputs)
                if (day.IsMadeInRoom(data, input) && !day.inputs.count(input))
                    Problem(area, "machine \"" + machine + "\" gets no \"" + input + "\"");
        }
    }
}

void GameDataLint::CheckHouse(GameData& data) {
    Morvane::HouseBackground house(nullptr, &data, nullptr);
    std::set<std::string> layers;
    for (const auto* layer : house.GetUpgradeLayers()) layers.insert(layer->GetName());
    for (const auto& upgrade : data.GetHouseUpgrades())
        if (std::none_of(layers.begin(), layers.end(), [&](const std::string& layer) { return NameHolds(layer, upgrade->name.c_str()); }))
            Problem("house", "upgrade \"" + upgrade->name + "\" shows no layer");
    for (const std::string& layer : layers) {
        const auto holding = std::count_if(data.GetHouseUpgrades().begin(), data.GetHouseUpgrades().end(),
                                           [&](const auto& upgrade) { return NameHolds(layer, upgrade->name.c_str()); });
        if (holding != 1) Problem("house", "layer \"" + layer + "\" belongs to " + std::to_string(holding) + " upgrades");
    }
    GameTools::XMLNode* document = nullptr;
    GameTools::XMLParser().ParseFile(document, Morvane::HouseBackground::kDescriptionFile);
    const std::unique_ptr<GameTools::XMLNode> background(document);
    for (const GameTools::XMLNode* element : background->children) {
        const GameTools::XMLValue* name = element->GetAttribute("name", GameTools::XMLNode::kReportSilent);
        if (element->name != "texture_pack" || !name) continue;
        const auto placement = house.GetPlacements().find(name->GetString());
        if (placement == house.GetPlacements().end())
            Problem("house", "layer \"" + name->GetString() + "\" is not in the placement file");
        else if (!data.GetHouseTexturePack()->FindPicture(Lower(placement->second.textureName)))
            Problem("house", "picture \"" + placement->second.textureName + "\" is not in the house pack");
    }
}

// The arrow's tip: the window's centre plus half its side along the angle.
void GameDataLint::CheckTutorialArrows(const GameData& data) {
    const float half = kArrowWindow / 2;
    for (const Arrow& arrow : kArrows) {
        if (!data.HasModel(arrow.element)) continue;
        const float tipX = arrow.x + half + half * std::cos(arrow.angle);
        const float tipY = arrow.y + half + half * std::sin(arrow.angle);
        const Vantor::BoundingBox& box = data.GetModel(arrow.element)->GetBoundingBox();
        if (tipX < box.worldMin.x || tipX > box.worldMax.x || tipY < box.worldMin.y || tipY > box.worldMax.y)
            Problem("tutorial", "the arrow at (" + std::to_string(static_cast<int>(arrow.x)) + ", " +
                                    std::to_string(static_cast<int>(arrow.y)) + ") ends outside \"" + arrow.element + "\"");
    }
}

void GameDataLint::RequireModel(const GameData& data, const std::string& key) {
    if (!data.HasModel(key)) Problem("keys", "no model \"" + key + "\"");
}

// A missing shader is logged by the lookup; the log is collected afterwards.
void GameDataLint::RequireShader(const GameData& data, const std::string& key) { data.GetShaderUser(key); }

void GameDataLint::Problem(const std::string& area, const std::string& what) { problems_.push_back(area + ": " + what); }

}  // namespace contentlint
