#include "framework/windows/GUILoadingWindowBase.h"

#include "tools/DataKeeper.h"

namespace GameFramework {

void GUILoadingWindowBase::OpenWith(WindowId source, GameTools::DataKeeper* keeper) {
    Open(source);
    keeper_ = keeper;
    finished_ = false;
    stepDone_ = false;
}

void GUILoadingWindowBase::Close() {
    GUIFrameworkWindow::Close();
    keeper_ = nullptr;
    finished_ = false;
    stepDone_ = false;
}

void GUILoadingWindowBase::LoadAll() {
    keeper_->LoadAll();
    Finish();
}

void GUILoadingWindowBase::LoadStep() {
    keeper_->Update();
    if (keeper_->GetStep() >= keeper_->GetExtraStepCount() + GameTools::DataKeeper::kResourceSteps + 1) Finish();
}

void GUILoadingWindowBase::Finish() {
    finished_ = true;
    stepDone_ = true;
}

}  // namespace GameFramework
