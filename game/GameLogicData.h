#pragma once
// The data store of one day, made each time a day is started from the start-of-day
// window. No day has resources of its own, so its loading is the keeper's hundred empty
// resource steps and one extra step that is done at once.

#include "tools/DataKeeper.h"

namespace GameFramework {
struct LevelEntry;
struct StageEntry;
}  // namespace GameFramework

namespace Morvane {

class GameLogicData : public GameTools::DataKeeper {
public:
    // The records of the day it serves, owned by the level manager.
    GameLogicData(const GameFramework::StageEntry* stage, const GameFramework::LevelEntry* level);

    // Done at the first extra step and when everything is loaded at once.
    bool LoadExtraStep(int step) override;

    const GameFramework::StageEntry* GetStage() const { return stage_; }
    const GameFramework::LevelEntry* GetLevel() const { return level_; }

private:
    const GameFramework::StageEntry* stage_;
    const GameFramework::LevelEntry* level_;
};

}  // namespace Morvane
