#pragma once
// Loads a day's resources in one go: opening loads everything queued in the keeper,
// its own extra work included, and reports the loading finished at once.

#include "framework/windows/GUILoadingWindowBase.h"

namespace GameFramework {
class LevelManagerBase;
}

namespace Morvane {

class GUIGameLogicLoadingWindow : public GameFramework::GUILoadingWindowBase {
public:
    explicit GUIGameLogicLoadingWindow(GameFramework::LevelManagerBase* levels) : levels_(levels) {}

    void OpenWith(GameFramework::WindowId source, GameTools::DataKeeper* keeper) override;

    GameFramework::LevelManagerBase* GetLevelManager() const { return levels_; }

private:
    GameFramework::LevelManagerBase* levels_;  // not owned
};

}  // namespace Morvane
