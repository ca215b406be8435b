#include "framework/windows/GUIStageCompleteWindowBase.h"

namespace GameFramework {

void GUIStageCompleteWindowBase::OpenWith(WindowId source, const LevelKey& level) {
    Open(source);
    level_ = level;
}

}  // namespace GameFramework
