#include "game/screens/GUIGameLoadingWindow.h"

#include <algorithm>
#include <string>

#include "engine/kernel/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "game/screens/ControlParts.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"
#include "tools/DataKeeper.h"

namespace Morvane {

GUIGameLoadingWindow::GUIGameLoadingWindow(GameFramework::AudioManager* audio, GameData* data,
                                           GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                           Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      animated_(RequiredControls(*this).Window("/window_animated")),
      progress_(RequiredControls(*this).Window("/loading_progress/progress")),
      progressText_(RequiredControls(*this).Text("/loading_progress/text")),
      progressAnimation_(ControlParts::ModelAnimation(progress_)) {
    if (!progressAnimation_) return;
    // Only the window moves the bar: the control must not play it.
    progressAnimation_->SetLoop(false);
    progressAnimation_->Stop();
    progress_.ClearModelAnimation();
}

void GUIGameLoadingWindow::OpenWith(GameFramework::WindowId source, GameTools::DataKeeper* keeper) {
    GUILoadingWindowBase::OpenWith(source, keeper);
    Vantor::MessageManager::Instance()->PrintMessage("Loading window opened");
    EnableControl(animated_, false);
    Show(true);
    stepReady_ = false;
    ShowProgress();
}

void GUIGameLoadingWindow::Close() {
    GUILoadingWindowBase::Close();
    Show(false);
    EnableControl(animated_, false);
    animated_.Show(true, true);
}

void GUIGameLoadingWindow::Update() {
    GUILoadingWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    if (stepReady_ && !IsFinished() && GetDataKeeper()) {
        LoadStep();
        ShowProgress();
        if (IsFinished()) Report(GameFramework::WindowResult::Finished);
    }
    if (TitlePrinting()) return;
    stepReady_ = true;
}

bool GUIGameLoadingWindow::TitlePrinting() const {
    return title_ && (!title_->IsShown() || !title_->IsPrintingFinished());
}

void GUIGameLoadingWindow::ShowProgress() {
    const float progress = GetDataKeeper() ? GetDataKeeper()->GetProgress() : 0.0f;
    if (progressAnimation_) {
        const unsigned lastFrame = std::max(progressAnimation_->GetFrameCount(), 1u) - 1;
        progressAnimation_->SetPosition(progress * static_cast<float>(lastFrame));
    }
    progressText_.SetParameter(L"PROGRESS", std::to_wstring(static_cast<int>(progress * 100.0f)));
}

}  // namespace Morvane
