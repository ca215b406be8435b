#include "game/LevelManager.h"

#include "framework/LevelEntry.h"
#include "framework/StageEntry.h"

namespace Morvane {

LevelManager::LevelManager() { Load(); }

GameFramework::StageEntry* LevelManager::CreateStageRecord() { return new GameFramework::StageEntry; }

GameFramework::LevelEntry* LevelManager::CreateLevelRecord() { return new GameFramework::LevelEntry; }

}  // namespace Morvane
