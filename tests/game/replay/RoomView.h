#pragma once
// What the replay harness sees of a running day: the room's objects, owned by the day.

#include <string>
#include <vector>

namespace Morvane {
class AutomaticMachine;
class CursorFood;
class CustomerManager;
class Distributor;
class GameData;
class GameLogic;
}  // namespace Morvane

namespace replay {

struct RoomView {
    std::vector<Morvane::Distributor*> distributors;
    std::vector<Morvane::AutomaticMachine*> machines;
    Morvane::CustomerManager* customers = nullptr;
    Morvane::CursorFood* hand = nullptr;

    // The room of a running day.
    static RoomView Of(const Morvane::GameLogic& day);

    // The ingredients the room's machines take in that no tray of the room hands out, as
    // "<machine> takes <ingredient>". An input that some machine makes is that machine's
    // to make (its production only counts on days it stands in the room).
    std::vector<std::string> MissingTrays(const Morvane::GameData& data) const;
};

}  // namespace replay
