#include "tests/game/replay/ReplayGame.h"

#include "engine/kernel/FileManager.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "framework/LevelManagerBase.h"
#include "framework/Tutorial.h"
#include "game/GameData.h"
#include "game/GameLogic.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "tests/framework/TestGameData.h"

namespace replay {

// The replay data is written through a file manager of its own; the game's engine
// registers its managers in their place.
ReplayGameFolder::ReplayGameFolder(const testsupport::TempFolder& folder, const std::wstring& installPath,
                                   const ReplayDataOptions& options) {
    frameworktest::WriteTestGameData(folder);
    Vantor::MessageManager log(L"Replay", false, false, L"", L"");
    Vantor::MessageManager::Instance(&log);
    Vantor::FileManager files(installPath, false, L"data", 0u);
    Vantor::FileManager::Instance(&files);
    ReplayData::Write(GameFramework::GameBase::kAdditionalResources, options);
}

ReplayGame::ReplayGame(const testsupport::TempFolder& folder, const std::wstring& installPath,
                       const ReplayDataOptions& data)
    : ReplayGameFolder(folder, installPath, data), TestGame(journal, installPath, {}, InitializeLater{}) {
    Initialize();
    GetGameData()->LoadAll();
    CreateWindows();
}

GameFramework::ProfileManagerBase* ReplayGame::CreateProfileManager() {
    return new Morvane::ProfileManager(audioManager_, userDataFolder_);
}

GameTools::DataKeeper* ReplayGame::CreateGameData() { return new Morvane::GameData(); }

Morvane::Profile& ReplayGame::SetUpPlayer(const ProfileSetup& setup) {
    Morvane::ProfileManager& profiles = Profiles();
    profiles.SelectProfile(profiles.CreateProfileIfMissing(kPlayer), true);
    Morvane::Profile& player = *profiles.GetCurrent();
    player.Reset();
    player.SetDay(setup.day);
    player.SetMoney(setup.money);
    player.SetMood(setup.mood);
    for (const std::string& machine : setup.machines) player.AddMachine(machine);
    GetTutorial()->ClearAllShown();
    if (!setup.tutorial) GetTutorial()->MarkShown(0);
    player.Save();
    return player;
}

Morvane::GameLogic& ReplayGame::StartDay(std::uint32_t seed) {
    const GameFramework::LevelManagerBase* levels = GetLevelManager();
    Vantor::SeedRandom(seed);
    auto* day = new Morvane::GameLogic(&Profiles(), GetAudioManager(), &Data(), nullptr, GetTutorial(),
                                       GetToolManager(), levels->GetStage(0), levels->GetLevel({0, 0}), 0);
    SetGameLogic(day);
    return *day;
}

Morvane::GameLogic* ReplayGame::GetDay() const { return static_cast<Morvane::GameLogic*>(GetGameLogic()); }

RoomView ReplayGame::Room() const {
    RoomView room;
    const Morvane::GameLogic* day = GetDay();
    if (!day) return room;
    for (const auto& distributor : day->GetDistributors()) room.distributors.push_back(distributor.get());
    for (const auto& machine : day->GetMachines()) room.machines.push_back(machine.get());
    room.customers = day->GetCustomerManager();
    room.hand = day->GetCursorFood();
    return room;
}

Morvane::ProfileManager& ReplayGame::Profiles() const {
    return static_cast<Morvane::ProfileManager&>(*GetProfileManager());
}

Morvane::GameData& ReplayGame::Data() const { return static_cast<Morvane::GameData&>(*GetGameData()); }

}  // namespace replay
