#include "game/ProfileManager.h"

#include "game/Profile.h"

namespace Morvane {

ProfileManager::ProfileManager(GameFramework::AudioManager* audioManager, const std::wstring& folder)
    : ProfileManagerBase(audioManager, folder, kIndexMagic, kIndexVersion) {
    LoadAll();
}

Profile* ProfileManager::GetCurrent() const { return static_cast<Profile*>(GetCurrentProfile()); }

GameFramework::ProfileBase* ProfileManager::CreateProfile(int mode, const std::wstring& text) {
    return new Profile(mode, text, GetFolder());
}

}  // namespace Morvane
