#pragma once
// A lost game has no screen of its own: opening reports it finished at once.

#include "framework/windows/GUIGameOverWindowBase.h"

namespace Morvane {

class GUIGameOverWindow : public GameFramework::GUIGameOverWindowBase {
public:
    void Open(GameFramework::WindowId source) override {
        GUIGameOverWindowBase::Open(source);
        ReportWhileOpening(GameFramework::WindowResult::Finished);
    }
};

}  // namespace Morvane
