#include "framework/windows/GUILevelCompleteWindowBase.h"

namespace GameFramework {

void GUILevelCompleteWindowBase::OpenWith(WindowId source, const LevelKey& level, float time) {
    Open(source);
    level_ = level;
    levelTime_ = time;
}

}  // namespace GameFramework
