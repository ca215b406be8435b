#pragma once
// The game's days grouped in stages, read from "data\levels\levels.xml" as the game is
// made: the framework's level manager with plain stage and level records. No day needs
// resource lists of its own.

#include "framework/LevelManagerBase.h"

namespace Morvane {

class LevelManager : public GameFramework::LevelManagerBase {
public:
    // Reads the levels file at once; a missing or malformed one is fatal.
    LevelManager();

protected:
    GameFramework::StageEntry* CreateStageRecord() override;
    GameFramework::LevelEntry* CreateLevelRecord() override;
};

}  // namespace Morvane
