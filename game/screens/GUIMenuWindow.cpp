#include "game/screens/GUIMenuWindow.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "framework/AudioManager.h"
#include "game/GameData.h"
#include "game/screens/ControlParts.h"
#include "game/screens/GUIMenuWindowManager.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

GUIMenuWindow::GUIMenuWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                             GUIMenuWindowManager* manager, Vantor::GUIWindow* parent, const std::string& layoutName)
    : GUIWindowBase(data, tools, parent, layoutName), audio_(audio), data_(data), manager_(manager) {
    manager_->AddWindow(this);
    if (HasWindowControl(Path("/window_animated"))) animatedWindow_ = GetWindowControl(Path("/window_animated"));
    if (HasWindowControl(Path("/window"))) {
        window_ = GetWindowControl(Path("/window"));
        if (Vantor::Model* model = ControlParts::Model(*window_)) {
            model->ClearFlags(Vantor::ModelFlags::kCullCounterClockwise);
            model->ClearFlags(Vantor::ModelFlags::kCullClockwise);
        }
    }
    if (HasTextControl(Path("/title"))) title_ = GetTextControl(Path("/title"));
    if (HasTextControl(Path("/window/text"))) text_ = GetTextControl(Path("/window/text"));
    manager_->SetupAdditionalLogos(*this);
}

GUIMenuWindow::~GUIMenuWindow() { manager_->RemoveWindow(this); }

void GUIMenuWindow::Show(bool show) {
    if (show) {
        openRequest_ = true;
    } else {
        // An opening still waiting is withdrawn; one granted starts hiding.
        if (open_ && !openRequest_) GUIWindowBase::Show(false);
        openRequest_ = false;
    }
    open_ = show;
}

bool GUIMenuWindow::IsShown() const { return open_ && IsVisible(); }

void GUIMenuWindow::UpdateWindow() {
    if (openRequest_ && (manager_->IsLockFree() || manager_->GetLockHolder() == this)) {
        openRequest_ = false;
        manager_->LockAnimation(this);
        GUIWindowBase::Show(true);
        if (window_) appearSoundDue_ = true;
    }
    GUIWindowBase::Update();
    if (!open_ && manager_->GetLockHolder() == this && ClosingFinished()) {
        manager_->UnlockAnimation();
        GetRoot()->ClearFlags(Vantor::GUIWindow::kShown);
    }
    if (appearSoundDue_ && window_->IsShown() && window_->GetWindow()->IsVisible()) {
        audio_->PlayEffect(kAppearSound);
        appearSoundDue_ = false;
    }
}

bool GUIMenuWindow::ClosingFinished() const {
    return (!animatedWindow_ || animatedWindow_->IsAnimationFinished()) && (!window_ || !window_->IsShown()) &&
           (!title_ || !title_->IsShown() || title_->IsPrintingFinished());
}

}  // namespace Morvane
