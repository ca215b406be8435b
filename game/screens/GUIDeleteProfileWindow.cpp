#include "game/screens/GUIDeleteProfileWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/ProfileManagerBase.h"
#include "game/screens/PlainName.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

using GameFramework::WindowResult;

GUIDeleteProfileWindow::GUIDeleteProfileWindow(GameFramework::ProfileManagerBase* profiles,
                                               GameFramework::AudioManager* audio, GameData* data,
                                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                               Vantor::GUIWindow* parent)
    : GUIDeleteProfileWindowBase(profiles),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      question_(RequiredControls(*this).Text("/window/text")),
      keep_(RequiredControls(*this).Button("/window/button_0")),
      delete_(RequiredControls(*this).Button("/window/button_1")) {}

void GUIDeleteProfileWindow::OpenWith(GameFramework::WindowId source, const std::wstring& name) {
    GUIDeleteProfileWindowBase::OpenWith(source, name);
    Show(true);
    question_.SetParameter(L"PROFILE_NAME", L"\"" + PlainName(name) + L"\"");
}

void GUIDeleteProfileWindow::Close() {
    GUIDeleteProfileWindowBase::Close();
    Show(false);
}

void GUIDeleteProfileWindow::Update() {
    GUIDeleteProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    if (keep_.clicked) Report(WindowResult::GoToProfiles);
    if (delete_.clicked) {
        DeleteProfile();
        Report(profileManager_->GetProfiles().empty() ? WindowResult::GoToNewProfile : WindowResult::GoToProfiles);
    }
}

}  // namespace Morvane
