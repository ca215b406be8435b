#pragma once
// The game's profiles and the profile index "profiles.pmf" ("TBPMF" 100), all loaded
// at construction; the framework's manager making Morvane::Profile objects.

#include <string>

#include "framework/ProfileManagerBase.h"

namespace GameFramework {
class AudioManager;
}

namespace Morvane {

class Profile;

class ProfileManager : public GameFramework::ProfileManagerBase {
public:
    static constexpr const char* kIndexMagic = "TBPMF";
    static constexpr std::int32_t kIndexVersion = 100;

    // The audio manager is kept for the game, not owned.
    ProfileManager(GameFramework::AudioManager* audioManager, const std::wstring& folder);

    // The current profile, or null while there is none.
    Profile* GetCurrent() const;

protected:
    GameFramework::ProfileBase* CreateProfile(int mode, const std::wstring& text) override;
};

}  // namespace Morvane
