#pragma once
// Every player profile of the installation, the current one, and the profile index
// "profiles.pmf" in the player-data folder: the current profile's name and the best
// time per level and game mode. It also tells the game whether this is the first run
// (no readable index existed).
//
// The game derives its manager with its index magic and version, supplies the
// profile factory and calls LoadAll from its constructor.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/LevelKey.h"

namespace Vantor {
class FileBinary;
}

namespace GameFramework {

class AudioManager;
class FileHeader;
class PlayerFile;
class ProfileBase;

class ProfileManagerBase {
public:
    // One best time.
    struct LevelRecord {
        LevelKey level;
        // The name of the profile that set the time, as it was then.
        std::wstring name;
        // Only the low byte is stored.
        std::int32_t mode = 0;
        float time = 0.0f;
    };

    // Nothing is loaded: the derived constructor calls LoadAll. The audio manager is
    // the game's, kept for it and not owned.
    ProfileManagerBase(AudioManager* audioManager, const std::wstring& folder, const std::string& magic,
                       std::int32_t version);
    virtual ~ProfileManagerBase();
    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;

    // Loads every readable "*.prf" file of "profiles\" (others stay untouched) and the
    // index. Without a readable index this is the first run: a damaged index is set
    // aside and a fresh one written. Without a current profile the first one is made
    // current.
    virtual void LoadAll();

    // The first profile of the same name; letter case does not count.
    ProfileBase* FindProfile(const std::wstring& name) const;
    // By lower-cased name.
    void SortProfiles();
    // Makes the profile (or none) current; with save the index is written at once.
    void SelectProfile(ProfileBase* profile, bool save);
    // The profile of that name, or a new one saved, listed and written to the index.
    // It does not become current.
    ProfileBase* CreateProfileIfMissing(const std::wstring& name);
    // Nothing when the new name is taken or the old one names no profile.
    void RenameProfile(const std::wstring& oldName, const std::wstring& newName);
    // Deletes the profile's files and the profile; the first remaining one becomes
    // current in place of a deleted current one. Best times stay.
    void DeleteProfile(const std::wstring& name);
    // Stores a time better than the one stored for the level and mode, or the first
    // one; false (nothing saved) otherwise.
    bool RecordBestTime(const LevelKey& level, const std::wstring& name, int mode, float time);
    // Writes the index; false (logged) when it failed, the previous index staying.
    bool Save();

    ProfileBase* GetCurrentProfile() const { return current_; }
    const std::vector<ProfileBase*>& GetProfiles() const { return profiles_; }
    const std::vector<LevelRecord*>& GetBestTimes() const { return bestTimes_; }
    bool IsFirstRun() const { return firstRun_; }
    AudioManager* GetAudioManager() const { return audioManager_; }
    const std::wstring& GetFolder() const { return folder_; }

protected:
    // mode ProfileBase::kCreateProfile: a new profile named text; kLoadProfile: the
    // profile file named text. Throws Vantor::Error when it cannot be loaded.
    virtual ProfileBase* CreateProfile(int mode, const std::wstring& text) = 0;
    virtual void WriteIndex(Vantor::FileBinary& file);
    virtual void ReadIndex(Vantor::FileBinary& file);

private:
    void LoadProfiles();
    void LoadIndex();

    AudioManager* audioManager_;
    FileHeader* header_;
    std::vector<ProfileBase*> profiles_;
    ProfileBase* current_ = nullptr;
    std::vector<LevelRecord*> bestTimes_;
    std::wstring folder_;
    bool firstRun_ = false;
    PlayerFile* indexFile_;
};

}  // namespace GameFramework
