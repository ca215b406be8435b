#include "game/DayProducts.h"

#include <algorithm>

#include "engine/kernel/MessageManager.h"
#include "game/GameData.h"

namespace Morvane {

namespace {

void AppendOnce(std::vector<std::string>& list, const std::string& name) {
    if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
}

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

DayProducts::DayProducts(const GameData& gameData, const std::vector<std::string>& roomMachines)
    : gameData_(gameData), roomMachines_(roomMachines) {
    for (const std::string& machine : roomMachines_) AddProductions(machine);
    for (const auto& food : gameData_.GetFoods()) {
        if (!food->madeByHand || !food->canOrder) continue;
        inputs_.emplace(food->name, food.get());
        outputs_.emplace(food->name, food.get());
    }
}

void DayProducts::AddProductions(const std::string& machineName) {
    const AutomaticMachineInfo* machine = gameData_.FindAutomaticMachine(machineName);
    // The machine itself reports a missing definition when it is made.
    if (!machine) return;
    for (std::size_t i = 0; i < machine->inputs.size() && i < machine->outputs.size(); ++i) {
        const std::string maker = MakerOf(machine->inputs[i]);
        if (!maker.empty() && !IsRoomMachine(maker)) continue;
        Add(inputs_, machine->inputs[i]);
        Add(outputs_, machine->outputs[i]);
    }
}

std::string DayProducts::MakerOf(const std::string& foodName) const {
    for (const auto& machine : gameData_.GetAutomaticMachines())
        if (Contains(machine->outputs, foodName)) return machine->name;
    return "";
}

bool DayProducts::IsRoomMachine(const std::string& name) const { return Contains(roomMachines_, name); }

void DayProducts::Add(std::map<std::string, const FoodInfo*>& products, const std::string& foodName) {
    if (products.count(foodName) != 0) return;
    const FoodInfo* food = gameData_.FindFood(foodName);
    if (!food) {
        Vantor::MessageManager::Instance()->PrintWarning("A machine's production names the unknown food \"" +
                                                          foodName + "\": left out of the day");
        return;
    }
    products.emplace(foodName, food);
}

std::vector<std::string> DayProducts::OrderableProducts() const {
    std::vector<std::string> names;
    for (const auto& [name, food] : outputs_)
        if (food->canOrder) names.push_back(name);
    return names;
}

std::vector<std::string> DayProducts::NeededIngredients() const {
    std::vector<std::string> names;
    for (const auto& [name, food] : inputs_)
        for (const std::string& ingredient : food->ingredientNames) AppendOnce(names, ingredient);
    return names;
}

std::vector<std::string> DayProducts::DistributorNames() const {
    const std::vector<std::string> needed = NeededIngredients();
    std::vector<std::string> names;
    for (const auto& distributor : gameData_.GetDistributors()) {
        const bool machinesStand = std::all_of(distributor->requiredMachines.begin(),
                                               distributor->requiredMachines.end(),
                                               [&](const std::string& machine) { return IsRoomMachine(machine); });
        if (machinesStand && Contains(needed, distributor->ingredient)) names.push_back(distributor->name);
    }
    return names;
}

std::vector<std::string> DayProducts::OutputGroups() const {
    std::vector<std::string> groups;
    for (const auto& [name, food] : outputs_) AppendOnce(groups, food->group);
    return groups;
}

std::vector<const CustomerInfo*> DayProducts::CustomerTypes() const {
    const std::vector<std::string> groups = OutputGroups();
    std::vector<const CustomerInfo*> types;
    for (const auto& type : gameData_.GetCustomerTypes()) {
        bool excluded = false;
        for (std::size_t i = 0; i < type->groups.size() && !excluded; ++i)
            excluded = type->mustOrderFlags[i] && !Contains(groups, type->groups[i]);
        if (!excluded) types.push_back(type.get());
    }
    return types;
}

}  // namespace Morvane
