#pragma once
// One player's saved progress, kept in "profiles\" + file name below the player-data
// folder and rewritten whole after every change: the name, where the player stands
// in the level sequence, the running game's score, the level statistics, the tutorial
// hints already shown and whether a game is in progress.
//
// The game derives its profile with its own magic and version, calls Open from its
// constructor and adds its fields after the framework's through the two body slots.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/LevelKey.h"

namespace Vantor {
class FileBinary;
}

namespace GameFramework {

class FileHeader;
class ProfileLevelStatisticsBase;

class ProfileBase {
public:
    // Open's modes: a new profile named by the text, or the profile file of that name.
    static constexpr int kLoadProfile = 0;
    static constexpr int kCreateProfile = 1;
    static constexpr unsigned kShownBitCount = 256;
    // The progress a new game starts with.
    static constexpr std::uint8_t kStartProgress = 3;

    // Nothing is opened: the derived constructor calls Open.
    ProfileBase(const std::wstring& folder, const std::string& magic, std::int32_t version);
    virtual ~ProfileBase();
    ProfileBase(const ProfileBase&) = delete;
    ProfileBase& operator=(const ProfileBase&) = delete;

    // Progress and game score of a new game; the caller saves.
    virtual void ResetGameProgress();
    // A new record of level (0, 0); the caller fills mode, level and time.
    virtual ProfileLevelStatisticsBase* CreateLevelStatistics();

    // Writes the whole file; false (logged) when it failed, the previous file staying.
    bool Save();
    // The name trimmed, then saved; the file name stays.
    void Rename(const std::wstring& name);
    // Deletes the profile's file and the file at the side path (never a folder).
    void DeleteFiles();
    // Takes the record over: merged into the record of the same mode and level, or
    // appended. Saved.
    void AddLevelStatistics(ProfileLevelStatisticsBase* record);
    // Saved when the level changes.
    void SetCurrentLevel(const LevelKey& key);
    // Stored and saved for a greater level, or the same level with completed set.
    void SetMaxLevel(const LevelKey& key, bool completed);
    // Flags of 256 or more are ignored; saved when the flag changes.
    void SetShownBit(unsigned n, bool value);
    // False for 256 or more.
    bool IsShownBitSet(unsigned n) const;

    // Fields the game base changes directly, saving afterwards.
    void SetMode(std::uint8_t mode) { mode_ = mode; }
    void SetProgress(std::uint8_t progress) { progress_ = progress; }
    // Adds a won level's score; the one-byte total wraps at 256.
    void AddGameScore(int score) { gameScore_ = static_cast<std::uint8_t>(gameScore_ + score); }
    void SetGameInProgress(bool inProgress) { gameInProgress_ = inProgress; }

    const std::wstring& GetName() const { return name_; }
    const std::wstring& GetFileName() const { return fileName_; }
    std::uint8_t GetMode() const { return mode_; }
    std::uint8_t GetProgress() const { return progress_; }
    std::uint8_t GetGameScore() const { return gameScore_; }
    const LevelKey& GetCurrentLevel() const { return currentLevel_; }
    const LevelKey& GetMaxLevel() const { return maxLevel_; }
    bool IsCompleted() const { return completed_; }
    bool IsGameInProgress() const { return gameInProgress_; }
    const std::vector<ProfileLevelStatisticsBase*>& GetLevelStatistics() const { return levelStatistics_; }

    // folder + "\profiles\" + file name.
    std::wstring GetFilePath(const std::wstring& fileName) const;

protected:
    // Creates (kCreateProfile, text = the typed name) or loads (text = a file name in
    // "profiles\") the profile. A profile that cannot be loaded is logged as an error
    // and throws a Vantor::Error with an empty text.
    virtual void Open(int mode, const std::wstring& text);
    // The framework's part of the body; a derived profile calls it first, then writes
    // or reads its own fields.
    virtual void WriteBody(Vantor::FileBinary& file);
    virtual void ReadBody(Vantor::FileBinary& file);
    virtual void WriteLevelStatistics(Vantor::FileBinary& file, const ProfileLevelStatisticsBase& record);
    virtual void ReadLevelStatistics(Vantor::FileBinary& file, ProfileLevelStatisticsBase& record);

private:
    static constexpr std::size_t kShownBytes = kShownBitCount / 8;

    void Create(const std::wstring& typedName);
    void Load(const std::wstring& fileName);
    void SetFileName(const std::wstring& fileName);
    // Up to 16 letters, "_", random digits up to 16 characters, ".prf": a name no
    // file has.
    std::wstring ChooseFileName() const;
    std::wstring FreeShortenedFileName(const std::wstring& letters) const;
    bool IsFileNameTaken(const std::wstring& fileName) const;

    FileHeader* header_;
    std::wstring folder_;
    std::wstring name_;
    std::wstring fileName_;
    std::wstring sidePath_;
    std::uint8_t mode_ = 0;
    std::uint8_t progress_ = 0;
    std::uint8_t gameScore_ = 0;
    LevelKey currentLevel_;
    LevelKey maxLevel_;
    bool completed_ = false;
    std::vector<ProfileLevelStatisticsBase*> levelStatistics_;
    std::uint8_t shownBits_[kShownBytes] = {};
    bool gameInProgress_ = false;
};

}  // namespace GameFramework
