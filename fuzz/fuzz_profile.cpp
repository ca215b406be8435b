// Fuzzes the player profile reader (`GameFramework::ProfileBase` with a game's field
// after the framework's): the input is a profile file; one that loads must save, load
// again and save to the same bytes.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/kernel/Error.h"
#include "fuzz/player_file_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::PlayerDataWorkspace workspace;
    using GameFramework::ProfileBase;
    workspace.WriteFile("user/profiles/input.prf", data, size);
    std::unique_ptr<fuzzing::FuzzProfile> profile;
    try {
        profile = std::make_unique<fuzzing::FuzzProfile>(ProfileBase::kLoadProfile, L"input.prf", workspace.Folder());
    } catch (const Vantor::Error&) {
        // Refused and logged; the profile manager skips the file.
    }
    if (profile) {
        workspace.ExpectStableSave(
            "user/profiles/input.prf", [&] { return profile->Save(); },
            [&] {
                fuzzing::FuzzProfile again(ProfileBase::kLoadProfile, L"input.prf", workspace.Folder());
                return again.Save();
            });
    }
    workspace.Reset();
    return 0;
}
