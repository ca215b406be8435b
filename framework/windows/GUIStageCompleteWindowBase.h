#pragma once
// The logic of the stage-complete window: the level that completed the stage.

#include "framework/GUIFrameworkWindow.h"
#include "framework/LevelKey.h"

namespace GameFramework {

class LevelManagerBase;

class GUIStageCompleteWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIStageCompleteWindowBase(LevelManagerBase* levelManager) : levelManager_(levelManager) {}

    virtual void OpenWith(WindowId source, const LevelKey& level);

    LevelManagerBase* GetLevelManager() const { return levelManager_; }
    const LevelKey& GetLevel() const { return level_; }

private:
    LevelManagerBase* levelManager_;  // not owned
    LevelKey level_{};
};

}  // namespace GameFramework
