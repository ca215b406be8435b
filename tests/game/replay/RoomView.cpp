#include "tests/game/replay/RoomView.h"

#include <algorithm>

#include "game/AutomaticMachine.h"
#include "game/Distributor.h"
#include "game/GameData.h"
#include "game/GameLogic.h"

namespace replay {

RoomView RoomView::Of(const Morvane::GameLogic& day) {
    RoomView room;
    for (const auto& distributor : day.GetDistributors()) room.distributors.push_back(distributor.get());
    for (const auto& machine : day.GetMachines()) room.machines.push_back(machine.get());
    room.customers = day.GetCustomerManager();
    room.hand = day.GetCursorFood();
    return room;
}

std::vector<std::string> RoomView::MissingTrays(const Morvane::GameData& data) const {
    const auto madeByMachine = [&](const std::string& food) {
        return std::any_of(data.GetAutomaticMachines().begin(), data.GetAutomaticMachines().end(),
                           [&](const auto& machine) {
                               return std::find(machine->outputs.begin(), machine->outputs.end(), food) !=
                                      machine->outputs.end();
                           });
    };
    const auto handedOut = [&](const std::string& ingredient) {
        return std::any_of(distributors.begin(), distributors.end(), [&](const Morvane::Distributor* tray) {
            const Morvane::DistributorInfo* definition = data.FindDistributor(tray->GetName());
            return definition && definition->ingredient == ingredient;
        });
    };
    std::vector<std::string> missing;
    for (const Morvane::AutomaticMachine* machine : machines) {
        const Morvane::AutomaticMachineInfo* definition = data.FindAutomaticMachine(machine->GetName());
        if (!definition) continue;
        for (const std::string& input : definition->inputs) {
            const Morvane::FoodInfo* food = data.FindFood(input);
            if (!food || madeByMachine(input)) continue;
            for (const std::string& ingredient : food->ingredientNames)
                if (!handedOut(ingredient)) missing.push_back(machine->GetName() + " takes " + ingredient);
        }
    }
    return missing;
}

}  // namespace replay
