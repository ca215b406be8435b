#include "game/GameData.h"

#include <cstdio>
#include <cstdlib>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "game/DefinitionReader.h"
#include "game/TexturePack.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace Morvane {

namespace {

using GameTools::XMLNode;
using Range = DefinitionReader::Range;

// The root window: shown, in the back depth layer.
constexpr std::uint32_t kRootWindowFlags = 5;
constexpr int kFrontWindowOrder = 100;
constexpr const char* kHouseTextureFolder = "house\\textures";

// The first record of the name in the list, or null.
template <class Record>
const Record* FindByName(const std::vector<std::unique_ptr<Record>>& records, const std::string& name) {
    for (const std::unique_ptr<Record>& record : records)
        if (record->name == name) return record.get();
    return nullptr;
}

// The element names of the node's children, in file order.
std::vector<std::string> ChildNames(const XMLNode& node) {
    std::vector<std::string> names;
    for (const XMLNode* child : node.children) names.push_back(child->name);
    return names;
}

std::string NarrowPath(const wchar_t* path) { return Vantor::ToNarrow(path); }

[[noreturn]] void Fatal(const std::string& text) { Vantor::MessageManager::Instance()->PrintFatalError(text); }

}  // namespace

GameData::GameData() {
    for (int n = 0; n < 2; ++n) {
        const std::string logo = "ui\\textures\\publishers\\" + std::to_string(n) + "_logo_small";
        const Vantor::FileManager* files = Vantor::FileManager::Instance();
        if (!files->Exists(Vantor::ToWide("data\\" + logo + ".jpg")) ||
            !files->Exists(Vantor::ToWide("data\\" + logo + "_alpha.jpg")))
            continue;
        const Vantor::ShaderDescriptor shader(true, false, logo + "_alpha.jpg", false);
        logoShaders_[n] = Vantor::ShaderManager::Instance()->GetShader(shader, false);
        KeepShaderUser(logoShaders_[n]);
    }
}

GameData::~GameData() {
    if (rootWindow_ != nullptr) Vantor::GUIManager::Instance()->DestroyWindow(rootWindow_);
    if (frontWindow_ != nullptr) Vantor::GUIManager::Instance()->DestroyWindow(frontWindow_);
    houseTexturePack_.reset();
    ingredients_.clear();
    foods_.clear();
    customerTypes_.clear();
    distributors_.clear();
    machines_.clear();
    character_.machineUpgrades.clear();
    character_.cafeClasses.clear();
    houseUpgrades_.clear();
}

bool GameData::LoadExtraStep(int step) {
    DataKeeper::LoadExtraStep(step);
    if (GetStep() != kResourceSteps + 1 && step != kAllExtraSteps) return false;
    LoadDefinitions();
    return true;
}

const FoodInfo* GameData::FindFood(const std::string& name) const { return FindByName(foods_, name); }

const IngredientInfo* GameData::FindIngredient(const std::string& name) const {
    return FindByName(ingredients_, name);
}

const DistributorInfo* GameData::FindDistributor(const std::string& name) const {
    return FindByName(distributors_, name);
}

const AutomaticMachineInfo* GameData::FindAutomaticMachine(const std::string& name) const {
    return FindByName(machines_, name);
}

int GameData::GetQualificationLevel(unsigned int points) const {
    int level = 0;
    const std::vector<unsigned int>& thresholds = character_.qualificationThresholds;
    for (std::size_t i = 0; i < thresholds.size() && points >= thresholds[i]; ++i) level = static_cast<int>(i);
    return level;
}

void GameData::LoadDefinitions() {
    Vantor::GUIManager* gui = Vantor::GUIManager::Instance();
    rootWindow_ = gui->CreateEmptyWindow(kRootWindowFlags, nullptr);
    frontWindow_ = gui->CreateEmptyWindow(Vantor::GUIWindow::kShown, rootWindow_);
    frontWindow_->SetOrder(kFrontWindowOrder);

    const wchar_t* files[] = {kProvisionsFile, kRoomFile, kCustomersFile, kCharacterFile, kUpgradesFile};
    std::unique_ptr<XMLNode> holders[std::size(files)];
    {
        GameTools::XMLParser parser;
        try {
            for (std::size_t i = 0; i < std::size(files); ++i) {
                holders[i] = std::make_unique<XMLNode>();
                parser.Load(holders[i].get(), files[i]);
            }
        } catch (const Vantor::FileError& error) {
            Fatal(error.GetText());
        }
    }
    ReadProvisions(*holders[0]);
    ReadRoom(*holders[1]);
    ClearMadeByHand();
    ReadCustomers(*holders[2]);
    customerPlaceCount_ = CountPlaces("customers/models/", "/customer");
    balloonPlaceCount_ = CountPlaces("customers/balloon/place_", "/cake");
    ReadCharacter(*holders[3]);
    houseTexturePack_ = std::make_unique<TexturePack>(kHouseTextureFolder, true);
    ReadHouseUpgrades(*holders[4]);
}

void GameData::ReadProvisions(const XMLNode& holder) {
    const DefinitionReader reader(NarrowPath(kProvisionsFile));
    const XMLNode& provisions = DefinitionReader::Child(holder, "provisions");
    for (const XMLNode* element : DefinitionReader::Child(provisions, "ingredients").children) {
        auto& ingredient = *ingredients_.emplace_back(std::make_unique<IngredientInfo>());
        ingredient.name = element->name;
        ingredient.cost = DefinitionReader::Int(*element, "cost");
    }
    const XMLNode* food = provisions.GetChild("food", XMLNode::kReportSilent);
    if (food == nullptr) Fatal("Can't find \"food\" node");
    for (const XMLNode* element : food->children) ReadFood(reader, *element);
}

void GameData::ReadFood(const DefinitionReader& reader, const XMLNode& element) {
    if (FindFood(element.name) != nullptr) Fatal("Food \"" + element.name + "\" is duplicated");
    FoodInfo& food = *foods_.emplace_back(std::make_unique<FoodInfo>());
    food.name = element.name;
    food.group = DefinitionReader::String(element, "group");
    food.canOrder = DefinitionReader::OptionalBool(element, "can_order", true);
    food.cost = reader.NotNegativeInt(element, "cost");
    food.madeByHand = true;
    if (element.children.empty()) Fatal("Food \"" + food.name + "\" have no ingredients");
    if (element.children.size() > kMaxLayers)
        reader.Fail(element, "more than " + std::to_string(kMaxLayers) + " layers");
    for (const XMLNode* layer : element.children) {
        food.visibleFlags.push_back(DefinitionReader::OptionalBool(*layer, "visible", true));
        food.ingredientNames.push_back(layer->name);
    }
}

void GameData::ReadRoom(const XMLNode& holder) {
    const DefinitionReader reader(NarrowPath(kRoomFile));
    const XMLNode& room = DefinitionReader::Child(holder, "room");
    dayTime_ = reader.Float(room, "day_time", Range::AboveZero);
    ReadDistributors(room);
    ReadAutomaticMachines(reader, room);
}

void GameData::ReadDistributors(const XMLNode& room) {
    for (const XMLNode* element : DefinitionReader::Child(room, "distributors").children) {
        if (FindDistributor(element->name) != nullptr)
            Fatal("Distributor \"" + element->name + "\" is duplicated");
        DistributorInfo& distributor = *distributors_.emplace_back(std::make_unique<DistributorInfo>());
        distributor.name = element->name;
        distributor.ingredient = DefinitionReader::String(*element, "ingredient");
        if (const XMLNode* required = element->GetChild("automatic_machines", XMLNode::kReportSilent))
            distributor.requiredMachines = ChildNames(*required);
    }
}

void GameData::ReadAutomaticMachines(const DefinitionReader& reader, const XMLNode& room) {
    for (const XMLNode* element : DefinitionReader::Child(room, "automatic_machines").children) {
        if (FindAutomaticMachine(element->name) != nullptr)
            Fatal("Automatic machine \"" + element->name + "\" is duplicated");
        AutomaticMachineInfo& machine = *machines_.emplace_back(std::make_unique<AutomaticMachineInfo>());
        machine.name = element->name;
        machine.layer = DefinitionReader::OptionalInt(*element, "layer", 0);
        const XMLNode& productions = DefinitionReader::Child(*element, "productions");
        machine.hideInput = DefinitionReader::OptionalBool(productions, "hide_input", false);
        for (const XMLNode* production : productions.children) {
            std::string input = DefinitionReader::String(*production, "input");
            std::string output = DefinitionReader::String(*production, "output");
            machine.inputs.push_back(std::move(input));
            machine.outputs.push_back(std::move(output));
        }
        for (const XMLNode* range : DefinitionReader::Child(*element, "animations").children) {
            auto& animation = *machine.animations.emplace_back(std::make_unique<MachineAnimationInfo>());
            animation.group = DefinitionReader::String(*range, "group");
            animation.layer = DefinitionReader::String(*range, "layer");
            animation.startFrame = DefinitionReader::Int(*range, "start_frame");
            animation.endFrame = DefinitionReader::Int(*range, "end_frame");
            animation.time = reader.Float(*range, "time", Range::AboveZero);
            // A backward range plays at the speed of its forward twin.
            const long long frames = std::llabs(static_cast<long long>(animation.endFrame) - animation.startFrame);
            animation.speed = static_cast<float>(frames) / animation.time;
        }
    }
}

void GameData::ClearMadeByHand() {
    for (const std::unique_ptr<FoodInfo>& food : foods_) {
        for (const std::unique_ptr<AutomaticMachineInfo>& machine : machines_) {
            if (!food->madeByHand) break;
            for (const std::string& output : machine->outputs)
                if (output == food->name) food->madeByHand = false;
        }
    }
}

void GameData::ReadCustomers(const XMLNode& holder) {
    const DefinitionReader reader(NarrowPath(kCustomersFile));
    const XMLNode& customers = DefinitionReader::Child(holder, "customers");
    minMoodTime_ = reader.Float(customers, "min_mood_time", Range::NotNegative);
    maxMoodTime_ = reader.Float(customers, "max_mood_time", Range::NotNegative);
    for (const XMLNode* element : customers.children) {
        std::string name = DefinitionReader::String(*element, "name");
        CustomerInfo& type = *customerTypes_.emplace_back(std::make_unique<CustomerInfo>());
        type.name = std::move(name);
        for (const XMLNode* group : element->children) {
            type.groups.push_back(DefinitionReader::String(*group, "group"));
            type.mustOrderFlags.push_back(DefinitionReader::OptionalBool(*group, "must_order", false));
        }
    }
}

unsigned GameData::CountPlaces(const std::string& prefix, const std::string& suffix) const {
    unsigned count = 0;
    for (; count < kMaxPlaces; ++count) {
        char number[4];
        std::snprintf(number, sizeof(number), "%02u", count);
        if (!HasModel(prefix + number + suffix)) break;
    }
    return count;
}

void GameData::ReadCharacter(const XMLNode& holder) {
    const DefinitionReader reader(NarrowPath(kCharacterFile));
    const XMLNode& character = DefinitionReader::Child(holder, "character");
    const XMLNode& mood = DefinitionReader::Child(character, "mood");
    const XMLNode& qualification = DefinitionReader::Child(character, "qualification");
    const XMLNode& machines = DefinitionReader::Child(character, "automatic_machines");
    const XMLNode& cafeClasses = DefinitionReader::Child(character, "cafe_classes");

    character_.dayChange = reader.Float(mood, "day_change", Range::Any);
    character_.buildChange = reader.Float(mood, "build_change", Range::Any);
    unsigned int threshold = 0;
    for (const XMLNode* level : qualification.children) {
        // Negative tips lower the threshold: unsigned arithmetic wraps, as stored data expects.
        threshold += static_cast<unsigned int>(DefinitionReader::Int(*level, "tips"));
        character_.qualificationThresholds.push_back(threshold);
    }
    for (const XMLNode* element : machines.children) {
        auto& upgrade = *character_.machineUpgrades.emplace_back(std::make_unique<MachineUpgradeInfo>());
        upgrade.name = element->name;
        upgrade.qualification = DefinitionReader::Int(*element, "qualification");
        upgrade.cost = DefinitionReader::Int(*element, "cost");
    }
    // A day picks its class by the number of machines bought.
    if (cafeClasses.children.empty()) reader.Fail(cafeClasses, "no cafe class");
    for (const XMLNode* element : cafeClasses.children) {
        auto& cafeClass = *character_.cafeClasses.emplace_back(std::make_unique<CafeClassInfo>());
        cafeClass.costMultiplier = reader.Float(*element, "cost_multiplier", Range::NotNegative);
        cafeClass.dayMultiplier = reader.Float(*element, "day_multiplier", Range::AboveZero);
    }
}

void GameData::ReadHouseUpgrades(const XMLNode& holder) {
    const XMLNode* upgrades = holder.GetChild("upgrades", XMLNode::kReportSilent);
    if (upgrades == nullptr) Fatal("Can't find \"upgrades\" node");
    for (const XMLNode* element : upgrades->children) {
        HouseUpgradeInfo& upgrade = *houseUpgrades_.emplace_back(std::make_unique<HouseUpgradeInfo>());
        upgrade.name = element->name;
        upgrade.cost = DefinitionReader::Int(*element, "cost");
        upgrade.parts = ChildNames(*element);
    }
}

}  // namespace Morvane
