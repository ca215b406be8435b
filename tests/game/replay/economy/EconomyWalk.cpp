#include "tests/game/replay/economy/EconomyWalk.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "game/GameData.h"
#include "game/HouseUpgradeInfo.h"
#include "game/MachineUpgradeInfo.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/GUIHouseWindow.h"
#include "game/screens/GUIUpgradeWindow.h"
#include "tests/game/replay/DayPlayer.h"
#include "tests/game/replay/DayRunner.h"
#include "tests/game/replay/ReplayGame.h"

namespace replay {

namespace {

using Morvane::Profile;

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
    return text;
}

}  // namespace

std::string WalkDay::ToText() const {
    char mood[16];
    std::snprintf(mood, sizeof(mood), "%.2f", static_cast<double>(this->mood));
    std::string text = "day " + std::to_string(day) + ": machines " + std::to_string(machinesInRoom) + ", frames " +
                       std::to_string(figures.endFrame) + ", come " +
                       std::to_string(figures.come) + ", served " + std::to_string(figures.served) + ", income " +
                       std::to_string(figures.income) + " (tips " + std::to_string(figures.tips) + ") -> money " +
                       std::to_string(money) + ", level " + std::to_string(level) + ", mood " + mood +
                       ", machines " + std::to_string(machines) + ", upgrades " + std::to_string(upgrades);
    if (!bought.empty()) text += ", bought " + Joined(bought);
    if (!built.empty()) text += ", built " + Joined(built);
    return text;
}

EconomyWalk::EconomyWalk(ReplayGame& game, std::uint32_t seed)
    : game_(game), seed_(seed), setUpLogged_(ReplayGame::TakeLogged()) {
    game_.Frame();  // the window is shown and focused
    game_.SetUpPlayer({});
    for (std::string& line : ReplayGame::TakeLogged()) setUpLogged_.push_back(std::move(line));
}

Profile& EconomyWalk::Player() const { return *game_.Profiles().GetCurrent(); }

const Profile& EconomyWalk::GetProfile() const { return Player(); }

bool EconomyWalk::HasEveryMachine() const {
    return Player().GetMachines().size() >= Morvane::GUIUpgradeWindow::MachinesForSale(game_.Data()).size();
}

bool EconomyWalk::HasEveryUpgrade() const {
    return Player().GetHouseUpgrades().size() >= game_.Data().GetHouseUpgrades().size();
}

WalkDay EconomyWalk::PlayDay() {
    WalkDay walked;
    walked.day = Player().GetDay();
    walked.machinesInRoom = static_cast<unsigned>(Player().GetMachines().size());
    game_.StartDay(seed_ + static_cast<std::uint32_t>(walked.day));
    DayRunner runner(game_);
    DayPlayer player(game_.Data(), game_.GetTutorial());
    runner.SetPlayer(&player);
    // The log keeps a frame's lines until the next frame begins.
    walked.logged = ReplayGame::TakeLogged();
    const bool ended = runner.RunUntil(
        [&] {
            for (std::string& line : ReplayGame::TakeLogged()) walked.logged.push_back(std::move(line));
            return runner.IsDayWon();
        },
        kMaxDayFrames);
    if (!ended) walked.faults.push_back("the day did not end");
    walked.faults.insert(walked.faults.end(), runner.GetFaults().begin(), runner.GetFaults().end());
    walked.figures = runner.GetLog().figures;

    for (;;) {
        const Advice advice = Open();
        if (advice == Advice::Upgrade && Buy(walked)) continue;
        if (advice == Advice::Build && Build(walked)) continue;
        break;
    }
    const Profile& profile = Player();
    walked.money = profile.GetMoney();
    walked.level = game_.Data().GetQualificationLevel(static_cast<unsigned>(profile.GetQualification()));
    walked.mood = profile.GetMood();
    walked.machines = static_cast<unsigned>(profile.GetMachines().size());
    walked.upgrades = static_cast<unsigned>(profile.GetHouseUpgrades().size());
    return walked;
}

// The first of the story's events that gate buying and building that is due sets its
// flag; the greeting leaves only play, the first offer locks play until a machine is
// bought; after the other events the advice is given.
EconomyWalk::Advice EconomyWalk::Open() {
    Profile& profile = Player();
    const auto& forSale = game_.Data().GetCharacter().machineUpgrades;
    Advice advice = Morvane::GUIStartGameLogicWindow::AdviceFor(profile, game_.Data());
    if (!profile.HasFlag(Profile::kFlagGreetingGiven)) {
        profile.SetFlag(Profile::kFlagGreetingGiven);
        advice = Advice::Play;
    } else if (!profile.HasFlag(Profile::kFlagFirstUpgradeOffered) && forSale.size() > 1 &&
               profile.GetMoney() >= forSale[1]->cost) {
        profile.SetFlag(Profile::kFlagFirstUpgradeOffered);
        advice = Advice::Upgrade;
    } else if (!profile.HasFlag(Profile::kFlagFirstUpgradeTold) && !profile.GetMachines().empty()) {
        profile.SetFlag(Profile::kFlagFirstUpgradeTold);
    } else if (!profile.HasFlag(Profile::kFlagStartBuildTold) && profile.HasFlag(Profile::kFlagHouseUnlocked)) {
        profile.SetFlag(Profile::kFlagStartBuildTold);
        advice = Morvane::GUIStartGameLogicWindow::AdviceFor(profile, game_.Data());
    }
    profile.Save();
    return advice;
}

bool EconomyWalk::Buy(WalkDay& day) {
    Profile& profile = Player();
    const Morvane::GameData& data = game_.Data();
    const auto forSale = Morvane::GUIUpgradeWindow::MachinesForSale(data);
    const auto next = std::find_if(forSale.begin(), forSale.end(), [&](const Morvane::MachineUpgradeInfo* machine) {
        const auto& bought = profile.GetMachines();
        return std::find(bought.begin(), bought.end(), machine->name) == bought.end();
    });
    if (next == forSale.end()) return false;
    const Morvane::MachineUpgradeInfo& machine = **next;
    if (data.GetQualificationLevel(static_cast<unsigned>(profile.GetQualification())) < machine.qualification ||
        profile.GetMoney() < machine.cost)
        return false;
    profile.AddMachine(machine.name);
    profile.SetLastMachineDay(profile.GetDay());
    profile.SetMoney(profile.GetMoney() - machine.cost);
    profile.Save();
    day.bought.push_back(machine.name);
    return true;
}

bool EconomyWalk::Build(WalkDay& day) {
    Profile& profile = Player();
    const Morvane::GameData& data = game_.Data();
    for (const Morvane::HouseUpgradeInfo* upgrade : Morvane::GUIHouseWindow::OffersFor(profile, data)) {
        if (profile.GetMoney() < upgrade->cost) continue;
        profile.SetMoney(profile.GetMoney() - upgrade->cost);
        profile.AddHouseUpgrade(upgrade->name);
        profile.SetLastBuildDay(profile.GetDay());
        const bool last = profile.GetHouseUpgrades().size() >= data.GetHouseUpgrades().size();
        const float mood = std::clamp(profile.GetMood(), 0.0f, 1.0f) + data.GetCharacter().buildChange;
        profile.SetMood(last ? 1.0f : std::max(mood, 0.0f));
        profile.Save();
        day.built.push_back(upgrade->name);
        return true;
    }
    return false;
}

}  // namespace replay
