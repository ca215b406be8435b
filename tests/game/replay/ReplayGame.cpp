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
#include "tests/game/replay/BuiltDataSet.h"

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

ReplayGameFolder::ReplayGameFolder(const testsupport::TempFolder& folder, const std::filesystem::path& builtDataSet)
    : resourceLists(BuiltDataSet::ResourceLists()) {
    // The links of an earlier game go first: writing through them would change the built set.
    std::filesystem::remove_all(folder.Path() / "data");
    frameworktest::WriteTestGameData(folder);
    for (const std::string& file : BuiltDataSet::ReplacedFiles()) std::filesystem::remove(folder.Path() / "data" / file);
    BuiltDataSet::LinkInto(builtDataSet, folder.Path() / "data");
}

ReplayGame::ReplayGame(const testsupport::TempFolder& folder, const std::wstring& installPath,
                       const ReplayDataOptions& data)
    : ReplayGameFolder(folder, installPath, data), TestGame(journal, installPath, {}, InitializeLater{}) {
    Start();
}

ReplayGame::ReplayGame(const testsupport::TempFolder& folder, const std::wstring& installPath,
                       const std::filesystem::path& builtDataSet)
    : ReplayGameFolder(folder, builtDataSet), TestGame(journal, installPath, {}, InitializeLater{}) {
    Start();
}

void ReplayGame::Start() {
    Initialize();
    for (const std::wstring& list : resourceLists) GetGameData()->LoadResourceList(list, false);
    GetGameData()->LoadAll();
    CreateWindows();
    // The day is played without the window flow: the logos window, open since the
    // start, would cover the room.
    FindWindow("logos")->Close();
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

void ReplayGame::PlayFrame() {
    Frame();
    journal.clear();
}

Morvane::GameLogic* ReplayGame::GetDay() const { return static_cast<Morvane::GameLogic*>(GetGameLogic()); }

RoomView ReplayGame::Room() const {
    const Morvane::GameLogic* day = GetDay();
    return day ? RoomView::Of(*day) : RoomView{};
}

Morvane::ProfileManager& ReplayGame::Profiles() const {
    return static_cast<Morvane::ProfileManager&>(*GetProfileManager());
}

Morvane::GameData& ReplayGame::Data() const { return static_cast<Morvane::GameData&>(*GetGameData()); }

std::vector<std::string> ReplayGame::TakeLogged() {
    Vantor::MessageManager& log = *Vantor::MessageManager::Instance();
    std::vector<std::string> lines;
    for (const Vantor::LogMessage* message : log.GetMessages())
        if (message->kind >= Vantor::MessageKind::Warning) lines.push_back(message->text);
    log.ClearMessages();
    return lines;
}

}  // namespace replay
