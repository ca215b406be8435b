#pragma once
// The end of a stage has no screen of its own: opening reports at once that the game
// goes on to the start of the next day.

#include "framework/windows/GUIStageCompleteWindowBase.h"

namespace Morvane {

class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase {
public:
    using GUIStageCompleteWindowBase::GUIStageCompleteWindowBase;

    void OpenWith(GameFramework::WindowId source, const GameFramework::LevelKey& level) override {
        GUIStageCompleteWindowBase::OpenWith(source, level);
        ReportWhileOpening(GameFramework::WindowResult::GoToStart);
    }
};

}  // namespace Morvane
