#pragma once
// The best final scores per game mode, at most a fixed number per mode, kept in
// "high_scores.hsf" in the player-data folder and rewritten after every change.
// Entries are ranked by score, the older of equal scores first.

#include <cstdint>
#include <string>
#include <vector>

namespace Vantor {
class FileBinary;
}

namespace GameFramework {

class FileHeader;
class PlayerFile;
struct HighScoreEntry;

class HighScoresTable {
public:
    // Loads the file; without a readable one the table starts empty and a fresh file is
    // written (a damaged one is set aside first).
    HighScoresTable(std::int32_t limit, const std::wstring& folder);
    virtual ~HighScoresTable();
    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;

    // Ranks the score among its mode's, keeps the mode's best `limit` entries and
    // saves. The new entry (owned by the table), or null when it did not stay.
    HighScoreEntry* Insert(const std::wstring& name, std::int32_t key, std::int32_t score);
    unsigned GetCount(std::int32_t key) const;
    // The i-th best entry of the mode, or null.
    HighScoreEntry* GetEntry(std::int32_t key, int i) const;
    // Forgets every entry and restarts the insertion counter; saved.
    void Clear();
    // Writes the file; false (logged) when it failed, the previous file staying.
    bool Save();
    // Appends an entry as it is, unranked.
    HighScoreEntry* AddEntry(const std::wstring& name, std::int32_t key, std::int32_t score, std::int32_t number);

private:
    void Load();
    void ReadTable(Vantor::FileBinary& file);
    void WriteTable(Vantor::FileBinary& file) const;
    // Deletes the entries of the key after its best `limit`.
    void Trim(std::int32_t key);

    FileHeader* header_;
    std::int32_t limit_;
    std::vector<HighScoreEntry*> entries_;
    std::wstring folder_;
    std::int32_t nextNumber_ = 0;
    PlayerFile* file_;
};

}  // namespace GameFramework
