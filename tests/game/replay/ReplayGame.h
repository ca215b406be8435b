#pragma once
// The framework's test game with the game's own profile manager and game data over the
// replay data or the data set make_data built, and the game's day as its level logic;
// the framework's tutorial window base is its tutorial window. Its frames are the
// framework's own (GameBase::Frame) on the backend the test runs on. The data is laid
// into the install folder before the game is made; the game data is loaded at once.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/framework/TestGame.h"
#include "tests/game/replay/DayHost.h"
#include "tests/support/TempFolder.h"
#include "tests/game/replay/ReplayData.h"
#include "tests/game/replay/RoomView.h"

namespace Morvane {
class GameData;
class GameLogic;
class Profile;
class ProfileManager;
}  // namespace Morvane

namespace replay {

// The player's state a day starts from.
struct ProfileSetup {
    std::int32_t day = 0;
    std::int32_t money = 0;
    float mood = 0.5f;
    std::vector<std::string> machines;
    // Off: shown-bit 0 is set, so neither hints nor tutorial orders come; on: every hint
    // is still to be shown.
    bool tutorial = false;
};

// Made before the test game: the data laid into the folder, and the journal the game
// writes.
struct ReplayGameFolder {
    ReplayGameFolder(const testsupport::TempFolder& folder, const std::wstring& installPath,
                     const ReplayDataOptions& data);
    // The built data set at the path (its "data" folder) in place of the replay data.
    ReplayGameFolder(const testsupport::TempFolder& folder, const std::filesystem::path& builtDataSet);

    frameworktest::Journal journal;
    // Queued into the game data after the test game's lists.
    std::vector<std::wstring> resourceLists;
};

class ReplayGame : private ReplayGameFolder, public frameworktest::TestGame, public DayHost {
public:
    static constexpr const wchar_t* kPlayer = L"Player";

    // Writes the test game's and the replay data into the folder (whose Windows path is
    // the install path) and makes the game with its windows.
    ReplayGame(const testsupport::TempFolder& folder, const std::wstring& installPath,
               const ReplayDataOptions& data = {});
    // The same over the built data set at the path.
    ReplayGame(const testsupport::TempFolder& folder, const std::wstring& installPath,
               const std::filesystem::path& builtDataSet);

    GameFramework::ProfileManagerBase* CreateProfileManager() override;
    GameTools::DataKeeper* CreateGameData() override;

    // The player "Player", current, set up as asked and saved.
    Morvane::Profile& SetUpPlayer(const ProfileSetup& setup);
    // The current profile's day as the running level, made right after the random
    // generator was seeded.
    Morvane::GameLogic& StartDay(std::uint32_t seed);
    Morvane::GameLogic* GetDay() const override;
    RoomView Room() const;

    Morvane::ProfileManager& Profiles() const override;
    Morvane::GameData& Data() const;
    // The framework's frame; the journal, which grows by every window update, is
    // cleared after it.
    void PlayFrame() override;
    // The error and warning lines logged since the last call or the last frame's start
    // (each frame empties the log's list first).
    static std::vector<std::string> TakeLogged();

private:
    void Start();
};

}  // namespace replay
