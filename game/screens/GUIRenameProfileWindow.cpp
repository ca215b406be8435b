#include "game/screens/GUIRenameProfileWindow.h"

#include "engine/gui/GUIButton.h"
#include "game/screens/PlainName.h"
#include "game/screens/RequiredControls.h"

namespace Morvane {

using GameFramework::WindowResult;

GUIRenameProfileWindow::GUIRenameProfileWindow(GameFramework::ProfileManagerBase* profiles,
                                               GameFramework::AudioManager* audio, GameData* data,
                                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                               Vantor::GUIWindow* parent)
    : GUIRenameProfileWindowBase(profiles),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      name_(RequiredControls(*this)),
      cancel_(RequiredControls(*this).Button("/window/button_0")) {}

void GUIRenameProfileWindow::OpenWith(GameFramework::WindowId source, bool take, const std::wstring& name) {
    GUIRenameProfileWindowBase::OpenWith(source, take, name);
    Show(true);
    if (take) name_.SetText(PlainName(name));
}

void GUIRenameProfileWindow::Close() {
    GUIRenameProfileWindowBase::Close();
    Show(false);
}

void GUIRenameProfileWindow::Update() {
    GUIRenameProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    const bool confirmed = name_.Update();
    if (cancel_.clicked) Report(WindowResult::GoToProfiles);
    if (confirmed) Report(RenameProfile(name_.GetName()) ? WindowResult::GoToProfiles : WindowResult::NameAlreadyUsed);
}

}  // namespace Morvane
