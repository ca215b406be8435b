#include "game/screens/GUIExitWindow.h"

#include "engine/gui/GUIButton.h"
#include "game/screens/RequiredControls.h"

namespace Morvane {

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

// Where staying leads back to, by the window the exit window came from.
WindowResult StayResult(WindowId source) {
    switch (source) {
        case WindowId::Welcome:
            return WindowResult::GoToWelcome;
        case WindowId::MainMenu:
            return WindowResult::GoToMainMenu;
        case WindowId::NewProfile:
            return WindowResult::GoToNewProfile;
        default:
            return WindowResult::None;
    }
}

}  // namespace

GUIExitWindow::GUIExitWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                             GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      stay_(RequiredControls(*this).Button("/window/button_0")),
      quit_(RequiredControls(*this).Button("/window/button_1")) {}

void GUIExitWindow::Open(WindowId source) {
    GUIExitWindowBase::Open(source);
    Show(true);
}

void GUIExitWindow::Close() {
    GUIExitWindowBase::Close();
    Show(false);
}

void GUIExitWindow::Update() {
    GUIExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    if (quit_.clicked) Report(WindowResult::QuitProgram);
    if (stay_.clicked) Report(StayResult(GetSource()));
}

}  // namespace Morvane
