// Fuzzes the game's profile reader (`Morvane::Profile`: the framework's body, then the
// game's fields): the input is a ".prf" file in the profiles folder, loaded by the
// game's profile manager; a profile that loads must save, load again and save to the
// same bytes.

#include <cstddef>
#include <cstdint>

#include "fuzz/player_file_fuzz_support.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::PlayerDataWorkspace workspace;
    workspace.WriteFile("user/profiles/input.prf", data, size);
    {
        Morvane::ProfileManager manager(nullptr, workspace.Folder());
        if (!manager.GetProfiles().empty()) {
            GameFramework::ProfileBase* profile = manager.GetProfiles().front();
            workspace.ExpectStableSave(
                "user/profiles/input.prf", [&] { return profile->Save(); },
                [&] {
                    Morvane::Profile again(GameFramework::ProfileBase::kLoadProfile, L"input.prf",
                                           workspace.Folder());
                    return again.Save();
                });
        }
    }
    workspace.Reset();
    return 0;
}
