// One frame of a busy day of the replay data on the headless backend: the coffee machine
// brewing and every customer place taken by a customer waiting for a three-item order.
// The day's Update against the GUI manager's input pass and update of the same room,
// timed in turns in the same run; the ratio of the two is to stay at most 1.
//   PLATFORM_BACKEND=headless build/.../game_bench

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/support/BenchBackend.h"
#include "bench/support/TimeInTurns.h"
#include "engine/gui/GUIManager.h"
#include "game/Customer.h"
#include "game/CustomerManager.h"
#include "game/AutomaticMachine.h"
#include "game/Food.h"
#include "game/GameLogic.h"
#include "platform/Clock.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/game/replay/DayRunner.h"
#include "tests/game/replay/ReplayGame.h"
#include "tests/game/replay/ReplayScript.h"

namespace {

using replay::ReplayData;

// Nothing ends by itself while the benchmark runs: a long day, a long brew, customers
// of great patience.
const replay::ReplayDataOptions kBusyData{3600.0f, 3600.0f, 3600.0f, 7200.0f};

bool IsBusy(const Morvane::GameLogic& day) {
    const auto& customers = day.GetCustomerManager()->GetCustomers();
    if (customers.size() != ReplayData::kPlaces) return false;
    for (const auto& customer : customers)
        if (customer->GetState() != Morvane::kWaiting || customer->GetOrderItems().size() != 3) return false;
    return day.FindAutomaticMachine("coffee_black")->GetItemInProduction() != nullptr;
}

// Customers come at once, one after the other; whoever ordered fewer than three items
// has them handed over (and leaves), so that in the end only three-item orders wait.
void MakeBusy(replay::ReplayGame& game, replay::DayRunner& runner) {
    Morvane::GameLogic& day = *game.GetDay();
    runner.Follow(replay::ReplayScript::Parse("0 click distributor coffee_cup\n+3 click machine coffee_black\n"));
    runner.RunUntil(
        [&] {
            Morvane::CustomerManager& customers = *day.GetCustomerManager();
            customers.SetTimeToNextCustomer(-1.0f);
            for (const auto& customer : customers.GetCustomers()) {
                if (customer->GetState() != Morvane::kWaiting || customer->GetOrderItems().size() == 3) continue;
                for (const auto& item : customer->GetOrderItems()) item->MarkDone();
                customer->OnFoodDelivered();
            }
            return IsBusy(day);
        },
        20000);
}

void BM_BusyDayFrame(benchmark::State& state) {
    if (!benchsupport::NeedsHeadless(state)) return;
    enginetest::EngineFolder home;
    platform::seam::SetVirtualTime(0);
    auto game = std::make_unique<replay::ReplayGame>(home.folder, home.root, kBusyData);
    game->Frame();
    game->SetUpPlayer({1, 0, 0.5f, {"coffee_black"}, false});
    Morvane::GameLogic& day = game->StartDay(7);
    replay::DayRunner runner(*game);
    MakeBusy(*game, runner);
    if (!IsBusy(day)) {
        state.SkipWithError("the day did not get busy");
        return;
    }
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    benchsupport::TimeInTurns(
        state, "day", [&day] { day.Update(); }, "gui",
        [&gui] {
            gui.ProcessInput();
            gui.Update();
        });
    state.counters["customers"] = static_cast<double>(day.GetCustomerManager()->GetCustomers().size());
    game.reset();
}
BENCHMARK(BM_BusyDayFrame)->Unit(benchmark::kMicrosecond)->Iterations(20000);

}  // namespace
