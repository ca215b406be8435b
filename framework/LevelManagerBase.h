#pragma once
// The game's sequence of levels grouped in stages, read once from
// "data\levels\levels.xml": the document element's children are the stages, theirs the
// levels. The entries keep the elements for the game, which reads everything a level
// holds; the manager answers which level follows another and which one is the last.
//
// The game derives its manager, supplies the two entry factories and calls Load from
// its constructor. A game cannot run without the file: any fault reading it is fatal.

#include <string>
#include <vector>

#include "framework/LevelKey.h"

namespace GameTools {
class XMLNode;
}

namespace GameFramework {

struct LevelEntry;
struct StageEntry;

class LevelManagerBase {
public:
    // Keys hold bytes: no more stages, and no more levels in a stage, can be named.
    static constexpr std::size_t kMaxEntries = 256;

    LevelManagerBase() = default;
    virtual ~LevelManagerBase();
    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;

    // Appends the resource lists the level needs besides the common ones; none here.
    virtual void GetLevelResourceLists(const LevelKey& level, std::vector<std::wstring>& lists);
    // Reads the file and builds the entries; a missing or malformed file, one without
    // stages, or more stages or levels in a stage than keys can name, ends the program
    // through the log's fatal path.
    virtual void Load();

    // True for the last level of the last stage that has levels. A key that names no
    // loaded level is logged and answered true: no level follows it.
    bool IsLastLevel(const LevelKey& key) const;
    // The next level of the stage, else the first level of the next stage that has
    // levels, else the key itself (also, logged, for a key that names no loaded level).
    LevelKey GetNextLevel(const LevelKey& key) const;
    // The level before it in its stage, else the last level of the nearest earlier stage
    // that has levels, else the key itself (also, logged, for a key that names no level).
    LevelKey GetPreviousLevel(const LevelKey& key) const;

    std::size_t GetStageCount() const { return stages_.size(); }
    // Null past the loaded stages.
    const StageEntry* GetStage(std::size_t index) const;
    // Null for a key that names no loaded level.
    const LevelEntry* GetLevel(const LevelKey& key) const;

protected:
    virtual StageEntry* CreateStageRecord() = 0;
    virtual LevelEntry* CreateLevelRecord() = 0;
    // Stores the element and sets the stage's level count to 0.
    virtual void SetStageNode(StageEntry* entry, GameTools::XMLNode* node);
    virtual void SetLevelNode(LevelEntry* entry, GameTools::XMLNode* node);

private:
    void BuildEntries();
    bool IsLoaded(const LevelKey& key) const;
    void ReportUnknown(const LevelKey& key) const;
    // The first stage after `stage` that has levels, or the stage count.
    std::size_t NextStageWithLevels(std::size_t stage) const;

    GameTools::XMLNode* tree_ = nullptr;
    std::vector<StageEntry*> stages_;
    std::vector<std::vector<LevelEntry*>> levels_;
};

}  // namespace GameFramework
