#pragma once
// The logic of the level-complete window: the level and the time it took.

#include "framework/GUIFrameworkWindow.h"
#include "framework/LevelKey.h"

namespace GameFramework {

class LevelManagerBase;

class GUILevelCompleteWindowBase : public GUIFrameworkWindow {
public:
    explicit GUILevelCompleteWindowBase(LevelManagerBase* levelManager) : levelManager_(levelManager) {}

    virtual void OpenWith(WindowId source, const LevelKey& level, float time);

    LevelManagerBase* GetLevelManager() const { return levelManager_; }
    const LevelKey& GetLevel() const { return level_; }
    float GetLevelTime() const { return levelTime_; }

private:
    LevelManagerBase* levelManager_;  // not owned
    LevelKey level_{};
    float levelTime_ = 0.0f;
};

}  // namespace GameFramework
