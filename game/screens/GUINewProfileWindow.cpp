#include "game/screens/GUINewProfileWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/ProfileManagerBase.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

using GameFramework::WindowResult;

GUINewProfileWindow::GUINewProfileWindow(GameFramework::ProfileManagerBase* profiles,
                                         GameFramework::AudioManager* audio, GameData* data,
                                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                         Vantor::GUIWindow* parent)
    : GUINewProfileWindowBase(profiles),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      name_(RequiredControls(*this)),
      cancel_(RequiredControls(*this).Button("/window/button_0")),
      cancelTitle_(RequiredControls(*this).Text("/window/button_0/title")) {}

void GUINewProfileWindow::OpenWith(GameFramework::WindowId source, bool clear) {
    GUINewProfileWindowBase::OpenWith(source, clear);
    Show(true);
    if (clear) name_.SetText(L"");
    noProfile_ = profileManager_->GetProfiles().empty();
    // The caption names what cancel does.
    cancelTitle_.SetText(noProfile_ ? "common/exit" : "common/cancel");
}

void GUINewProfileWindow::Close() {
    GUINewProfileWindowBase::Close();
    Show(false);
}

void GUINewProfileWindow::Update() {
    GUINewProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    const bool confirmed = name_.Update();
    if (cancel_.clicked) Report(noProfile_ ? WindowResult::GoToExit : WindowResult::GoToProfiles);
    if (confirmed) Report(CreateProfile(name_.GetName()) ? WindowResult::GoToProfiles : WindowResult::NameAlreadyUsed);
}

}  // namespace Morvane
