// Fuzzes the house background: the input holds its description file and then, after a
// line "%%", its placement file (without the line the placement file is missing). Over
// an engine on the headless backend and the small game's data (its house pack and the
// build burst), the house is made for a profile with the roof built, shown, animated
// over a few frames and destroyed; a broken placement file ends in the fatal error.
// Every window and particle system it made must be gone afterwards.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>

#include "engine/gui/GUIManager.h"
#include "engine/kernel/FatalError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "fuzz/engine_fuzz_support.h"
#include "game/GameData.h"
#include "game/HouseBackground.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "platform/Clock.h"
#include "tests/game/GameDataFolder.h"

namespace {

constexpr std::string_view kSeparator = "\n%%\n";

struct HouseWorkspace : fuzzing::EngineWorkspace {
    HouseWorkspace() : EngineWorkspace("data/house") {
        CreateFolder("user/profiles");
        Vantor::GUIManager::Instance()->SetScreenSize(800.0f, 600.0f);
        gametest::GameDataFolder::WriteDefinitions(gametest::SmallGame());
        gametest::GameDataFolder::WriteHousePack();
        gametest::GameDataFolder::WriteParticles(L"ui\\particles\\build.prt");
        gametest::GameDataFolder::WriteResourceList(
            L"data\\ui\\resources.xml",
            R"(<game_logic><house><particles name="build" file_name="particles\build.prt"/></house></game_logic>)" +
                gametest::GameDataFolder::ModelElement("house/ground"));
        data = std::make_unique<Morvane::GameData>();
        data->LoadResourceList(L"data\\ui\\resources.xml", false);
        data->LoadAll();
        profiles = std::make_unique<Morvane::ProfileManager>(nullptr, platform::ToWindowsPath(HostPath("user")));
        GameFramework::ProfileBase* profile = profiles->CreateProfileIfMissing(L"Anna");
        static_cast<Morvane::Profile*>(profile)->AddHouseUpgrade("roof");
        profiles->SelectProfile(profile, false);
        ClearLog();
    }

    // The description, and the placement file when the input has one.
    void WriteFiles(std::string_view input) const {
        const std::size_t end = input.find(kSeparator);
        WriteFile("data/house/background.xml", reinterpret_cast<const std::uint8_t*>(input.data()),
                  std::min(end, input.size()));
        if (end == std::string_view::npos) {
            std::filesystem::remove(HostPath("data/house/house_upgrades.hsu"));
            return;
        }
        const std::string_view placements = input.substr(end + kSeparator.size());
        WriteFile("data/house/house_upgrades.hsu", reinterpret_cast<const std::uint8_t*>(placements.data()),
                  placements.size());
    }

    // Frames of 0.1 s with the per-frame passes the layers and bursts take part in.
    static void Frames(Morvane::HouseBackground& house, int count) {
        for (int frame = 0; frame < count; ++frame) {
            platform::seam::AdvanceVirtualTime(100000);
            Vantor::TimerManager::Instance()->Update();
            house.Update();
            Vantor::ParticleSystemManager::Instance()->Update();
            Vantor::GUIManager::Instance()->Update();
        }
    }

    // Both go before the engine.
    std::unique_ptr<Morvane::GameData> data;
    std::unique_ptr<Morvane::ProfileManager> profiles;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static HouseWorkspace workspace;
    workspace.WriteFiles(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::uint32_t windows = Vantor::GUIManager::Instance()->GetWindows().GetCount();
    const std::uint32_t systems = Vantor::ParticleSystemManager::Instance()->GetRegisteredCount();
    try {
        Morvane::HouseBackground house(workspace.profiles.get(), workspace.data.get(), nullptr);
        house.Show(true, true, 1.0f);
        workspace.Frames(house, 2);
        house.PlayBuildAnimation("chimney");
        workspace.Frames(house, 3);
        house.PlayBuildAnimation("");
        house.Show(false, true, 2.0f);
        workspace.Frames(house, 6);
    } catch (const Vantor::FatalError&) {
        // A broken placement file, or a placement whose picture the pack lacks.
    }
    if (Vantor::GUIManager::Instance()->GetWindows().GetCount() != windows) std::abort();
    if (Vantor::ParticleSystemManager::Instance()->GetRegisteredCount() != systems) std::abort();
    workspace.ClearLog();
    return 0;
}
