#include "tests/game/replay/RoomView.h"

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

}  // namespace replay
