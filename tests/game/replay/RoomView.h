#pragma once
// What the replay harness sees of a running day: the room's objects, owned by the day.

#include <vector>

namespace Morvane {
class AutomaticMachine;
class CursorFood;
class CustomerManager;
class Distributor;
}  // namespace Morvane

namespace replay {

struct RoomView {
    std::vector<Morvane::Distributor*> distributors;
    std::vector<Morvane::AutomaticMachine*> machines;
    Morvane::CustomerManager* customers = nullptr;
    Morvane::CursorFood* hand = nullptr;
};

}  // namespace replay
