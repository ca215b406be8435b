#include "game/screens/GUIGameLogicLoadingWindow.h"

namespace Morvane {

void GUIGameLogicLoadingWindow::OpenWith(GameFramework::WindowId source, GameTools::DataKeeper* keeper) {
    GUILoadingWindowBase::OpenWith(source, keeper);
    LoadAll();
    ReportWhileOpening(GameFramework::WindowResult::Finished);
}

}  // namespace Morvane
