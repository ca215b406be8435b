// Fuzzes the profile index reader (`GameFramework::ProfileManagerBase`, "profiles.pmf")
// beside one profile named "Anna": the input is the index; whatever the manager made of
// it (read, or set aside and replaced) must save, load again and save to the same bytes.

#include <cstddef>
#include <cstdint>

#include "fuzz/player_file_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::PlayerDataWorkspace workspace;
    using GameFramework::ProfileBase;
    fuzzing::FuzzProfile(ProfileBase::kCreateProfile, L"Anna", workspace.Folder());
    workspace.WriteFile("user/profiles.pmf", data, size);
    {
        fuzzing::FuzzProfileManager manager(workspace.Folder());
        if (manager.GetProfiles().size() != 1 || manager.GetCurrentProfile() == nullptr) std::abort();
        workspace.ExpectStableSave(
            "user/profiles.pmf", [&] { return manager.Save(); },
            [&] { return fuzzing::FuzzProfileManager(workspace.Folder()).Save(); });
    }
    workspace.Reset();
    return 0;
}
