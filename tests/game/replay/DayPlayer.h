#pragma once
// A player that always acts the same in the same room: it picks the waiting customer
// with the lowest mood (the first of equals) and one of its open items, and builds that
// item from the distributors and the machines, putting a machine's input in and taking
// its product out (an input made by another machine is made there first), then hands it
// over with a left click. It keeps to its choice until
// the item is served or the customer stops waiting; what its hand holds that leads
// nowhere goes into the dustbin. It gives a step at most every few frames, named as a
// script names them, so that its days are recorded and replayed like scripted ones. A
// tutorial hint that waits for a key gets the space bar.

#include <optional>
#include <string>
#include <vector>

#include "tests/game/replay/ReplayStep.h"
#include "tests/game/replay/RoomView.h"

namespace GameFramework {
class Tutorial;
}

namespace Morvane {
class AutomaticMachine;
class Customer;
class GameData;
}  // namespace Morvane

namespace replay {

class DayPlayer {
public:
    // Frames between two steps, so that each step's effect is seen before the next.
    static constexpr unsigned kReactionFrames = 3;
    static constexpr const char* kDustbin = "dustbin";

    DayPlayer(const Morvane::GameData& gameData, const GameFramework::Tutorial* tutorial)
        : gameData_(gameData), tutorial_(tutorial) {}

    // The step to give before the frame, if any, from the room as the last frame left it.
    std::optional<ReplayStep> Decide(unsigned frame, const RoomView& room);

private:
    struct Goal {
        unsigned place = 0;
        std::string item;
    };

    std::optional<ReplayStep> Act(unsigned frame, const RoomView& room);
    // The customer of the goal while it still waits for the item.
    const Morvane::Customer* GoalCustomer(const RoomView& room) const;
    bool ChooseGoal(const RoomView& room);
    // The next target for building the food named, from what the hand holds; nothing
    // while the food has to wait (a machine at work, a refilling distributor).
    std::optional<Target> NextTowards(const std::string& food, const RoomView& room) const;
    std::optional<Target> FromDistributors(const std::vector<std::string>& ingredients,
                                           const std::vector<std::string>& held, const RoomView& room) const;
    // The room's machine making the food, with the input it makes it from.
    const Morvane::AutomaticMachine* MakerOf(const std::string& food, const RoomView& room,
                                             std::string& input) const;
    std::vector<std::string> Ingredients(const std::string& food) const;
    static std::vector<std::string> Held(const RoomView& room);
    bool WaitsForKey() const;

    const Morvane::GameData& gameData_;
    const GameFramework::Tutorial* tutorial_;
    std::optional<Goal> goal_;
    unsigned nextFrame_ = 0;
};

}  // namespace replay
