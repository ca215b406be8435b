#include "game/screens/GUIWelcomeWindow.h"

#include "engine/gui/GUIButton.h"
#include "game/screens/RequiredControls.h"

namespace Morvane {

GUIWelcomeWindow::GUIWelcomeWindow(GameFramework::ProfileManagerBase* profiles, GameFramework::AudioManager* audio,
                                   GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                   Vantor::GUIWindow* parent)
    : GUIWelcomeWindowBase(profiles),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      name_(RequiredControls(*this)),
      exit_(RequiredControls(*this).Button("/window/button_0")) {}

void GUIWelcomeWindow::Open(GameFramework::WindowId source) {
    GUIWelcomeWindowBase::Open(source);
    Show(true);
    name_.SetText(L"");
}

void GUIWelcomeWindow::Close() {
    GUIWelcomeWindowBase::Close();
    Show(false);
}

void GUIWelcomeWindow::Update() {
    GUIWelcomeWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    const bool confirmed = name_.Update();
    if (exit_.clicked) Report(GameFramework::WindowResult::GoToExit);
    if (confirmed) {
        CreateProfile(name_.GetName());
        Report(GameFramework::WindowResult::GoToMainMenu);
    }
}

}  // namespace Morvane
