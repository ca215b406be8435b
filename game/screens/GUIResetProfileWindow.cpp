#include "game/screens/GUIResetProfileWindow.h"

#include "engine/gui/GUIButton.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/RequiredControls.h"

namespace Morvane {

using GameFramework::WindowResult;

GUIResetProfileWindow::GUIResetProfileWindow(GameFramework::AudioManager* audio, ProfileManager* profiles,
                                             GameData* data, GUITools::GUIToolManager* tools,
                                             GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      profiles_(profiles),
      keep_(RequiredControls(*this).Button("/window/button_0")),
      reset_(RequiredControls(*this).Button("/window/button_1")) {}

void GUIResetProfileWindow::Open(GameFramework::WindowId source) {
    GUIFrameworkWindow::Open(source);
    Show(true);
}

void GUIResetProfileWindow::Close() {
    GUIFrameworkWindow::Close();
    Show(false);
}

void GUIResetProfileWindow::Update() {
    GUIFrameworkWindow::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    if (reset_.clicked) {
        if (Profile* current = profiles_->GetCurrent()) current->Reset();
        Report(WindowResult::GoToStart);
    }
    if (keep_.clicked) Report(WindowResult::GoToStart);
}

}  // namespace Morvane
