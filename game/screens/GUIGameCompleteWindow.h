#pragma once
// The end of the game has no screen of its own: opening reports it finished at once.

#include "framework/windows/GUIGameCompleteWindowBase.h"

namespace Morvane {

class GUIGameCompleteWindow : public GameFramework::GUIGameCompleteWindowBase {
public:
    void Open(GameFramework::WindowId source) override {
        GUIGameCompleteWindowBase::Open(source);
        ReportWhileOpening(GameFramework::WindowResult::Finished);
    }
};

}  // namespace Morvane
