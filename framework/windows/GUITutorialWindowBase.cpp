#include "framework/windows/GUITutorialWindowBase.h"

#include "engine/gui/GUIManager.h"
#include "framework/Tutorial.h"

namespace GameFramework {

namespace {

std::vector<Vantor::GUIWindow*>& ExclusiveInput() { return Vantor::GUIManager::Instance()->GetExclusiveInputList(); }

}  // namespace

void GUITutorialWindowBase::Close() {
    showing_ = false;
    ExclusiveInput().clear();
}

void GUITutorialWindowBase::Update() {
    if (tutorial_->IsActive()) {
        if (showing_) return;
        if (tutorial_->GetDelay() <= 0.0f) {
            Open();
        } else if (ExclusiveInput().empty()) {
            // A null entry blocks all GUI input while the hint waits for its delay.
            ExclusiveInput().push_back(nullptr);
        }
        return;
    }
    if (showing_) {
        tutorial_->SetReady(true);
        Close();
        return;
    }
    if (tutorial_->IsReady()) return;
    // The hint ended before it was shown.
    tutorial_->SetReady(true);
    ExclusiveInput().clear();
}

}  // namespace GameFramework
