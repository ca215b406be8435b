#include "tests/game/replay/DayPlayer.h"

#include <algorithm>

#include "framework/Tutorial.h"
#include "game/AutomaticMachine.h"
#include "game/CursorFood.h"
#include "game/Customer.h"
#include "game/CustomerManager.h"
#include "game/Distributor.h"
#include "game/Food.h"
#include "game/GameData.h"

namespace replay {

namespace {

// The hints that finish on a key press once shown this long.
constexpr int kKeyHints[] = {1, 9, 10, 22};
constexpr float kKeyDelay = 0.5f;
constexpr float kGoneMood = 0.0001f;

std::vector<std::string> LayersOf(const Morvane::Food& food) {
    std::vector<std::string> names;
    for (std::size_t layer = 0; layer < food.GetLayers().size(); ++layer) names.push_back(food.GetLayerName(layer));
    return names;
}

bool IsPrefix(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    return part.size() < whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

bool WaitsFor(const Morvane::Customer& customer, const std::string& item) {
    if (customer.GetState() != Morvane::kWaiting || customer.GetMood() < kGoneMood) return false;
    for (const auto& ordered : customer.GetOrderItems())
        if (ordered->GetName() == item && !ordered->IsDone()) return true;
    return false;
}

Target Named(Target::Kind kind, const std::string& name) {
    Target target;
    target.kind = kind;
    target.name = name;
    return target;
}

}  // namespace

std::optional<ReplayStep> DayPlayer::Decide(unsigned frame, const RoomView& room) {
    if (frame < nextFrame_) return std::nullopt;
    std::optional<ReplayStep> step = Act(frame, room);
    if (step) nextFrame_ = frame + kReactionFrames;
    return step;
}

std::optional<ReplayStep> DayPlayer::Act(unsigned frame, const RoomView& room) {
    ReplayStep step;
    step.frame = frame;
    if (WaitsForKey()) {
        step.action = ReplayStep::Action::Key;
        step.key = "SPACE";
        return step;
    }
    if (!GoalCustomer(room)) goal_.reset();
    if (!goal_ && !ChooseGoal(room)) {
        if (Held(room).empty()) return std::nullopt;
        step.action = ReplayStep::Action::Click;
        step.target = Named(Target::Kind::Machine, kDustbin);
        return step;
    }
    std::optional<Target> target;
    if (Held(room) == Ingredients(goal_->item)) {
        target.emplace();
        target->kind = Target::Kind::Customer;
        target->place = goal_->place;
    } else {
        target = NextTowards(goal_->item, room);
    }
    if (!target) return std::nullopt;
    step.action = ReplayStep::Action::Click;
    step.target = *target;
    return step;
}

const Morvane::Customer* DayPlayer::GoalCustomer(const RoomView& room) const {
    if (!goal_) return nullptr;
    for (const auto& customer : room.customers->GetCustomers())
        if (customer && customer->GetPlace() == goal_->place && WaitsFor(*customer, goal_->item)) return customer.get();
    return nullptr;
}

bool DayPlayer::ChooseGoal(const RoomView& room) {
    const Morvane::Customer* chosen = nullptr;
    for (const auto& customer : room.customers->GetCustomers()) {
        if (!customer || customer->GetState() != Morvane::kWaiting || customer->GetMood() < kGoneMood) continue;
        if (!chosen || customer->GetMood() < chosen->GetMood()) chosen = customer.get();
    }
    if (!chosen) return false;
    for (const auto& item : chosen->GetOrderItems()) {
        if (item->IsDone()) continue;
        goal_ = Goal{chosen->GetPlace(), item->GetName()};
        return true;
    }
    return false;
}

std::optional<Target> DayPlayer::NextTowards(const std::string& food, const RoomView& room) const {
    const std::vector<std::string> held = Held(room);
    std::string input;
    const Morvane::AutomaticMachine* machine = MakerOf(food, room, input);
    if (!machine) return FromDistributors(Ingredients(food), held, room);

    const Target atMachine = Named(Target::Kind::Machine, machine->GetName());
    const std::vector<std::string> inputLayers = Ingredients(input);
    // Putting the input in swaps it for a waiting product.
    if (const Morvane::Food* finished = machine->GetFinishedItem(); finished && LayersOf(*finished) == Ingredients(food))
        return held.empty() || held == inputLayers ? atMachine : Named(Target::Kind::Machine, kDustbin);
    if (machine->GetItemInProduction()) return std::nullopt;
    if (held == inputLayers) return atMachine;
    // The input may be another machine's product (a coffee to top with cream).
    return NextTowards(input, room);
}

std::optional<Target> DayPlayer::FromDistributors(const std::vector<std::string>& ingredients,
                                                  const std::vector<std::string>& held, const RoomView& room) const {
    if (!IsPrefix(held, ingredients)) return Named(Target::Kind::Machine, kDustbin);
    const std::string& next = ingredients[held.size()];
    for (const Morvane::Distributor* distributor : room.distributors) {
        const Morvane::DistributorInfo* definition = gameData_.FindDistributor(distributor->GetName());
        if (!definition || definition->ingredient != next) continue;
        const auto& slots = distributor->GetSlotFoods();
        const bool offers = std::any_of(slots.begin(), slots.end(), [](const auto& slot) {
            return !slot->GetLayers().empty();
        });
        if (distributor->IsRefilling() || !offers) return std::nullopt;
        return Named(Target::Kind::Distributor, distributor->GetName());
    }
    // Nothing in the room gives the ingredient: the goal cannot be built.
    return held.empty() ? std::nullopt : std::optional(Named(Target::Kind::Machine, kDustbin));
}

const Morvane::AutomaticMachine* DayPlayer::MakerOf(const std::string& food, const RoomView& room,
                                                    std::string& input) const {
    for (const Morvane::AutomaticMachine* machine : room.machines) {
        const Morvane::AutomaticMachineInfo* definition = gameData_.FindAutomaticMachine(machine->GetName());
        if (!definition) continue;
        for (std::size_t production = 0; production < definition->outputs.size(); ++production)
            if (definition->outputs[production] == food) {
                input = definition->inputs[production];
                return machine;
            }
    }
    return nullptr;
}

std::vector<std::string> DayPlayer::Ingredients(const std::string& food) const {
    const Morvane::FoodInfo* recipe = gameData_.FindFood(food);
    return recipe ? recipe->ingredientNames : std::vector<std::string>{};
}

std::vector<std::string> DayPlayer::Held(const RoomView& room) { return LayersOf(*room.hand->GetFood()); }

bool DayPlayer::WaitsForKey() const {
    if (!tutorial_ || !tutorial_->IsActive() || tutorial_->GetElapsed() <= kKeyDelay) return false;
    return std::find(std::begin(kKeyHints), std::end(kKeyHints), tutorial_->GetHint()) != std::end(kKeyHints);
}

}  // namespace replay
