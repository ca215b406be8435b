#include "game/screens/GUIProfileNameConflictWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/input/Controls.h"
#include "game/screens/RequiredControls.h"

namespace Morvane {

using GameFramework::WindowId;
using GameFramework::WindowResult;

GUIProfileNameConflictWindow::GUIProfileNameConflictWindow(GameFramework::AudioManager* audio, GameData* data,
                                                           GUITools::GUIToolManager* tools,
                                                           GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      ok_(RequiredControls(*this).Button("/window/button_0")) {}

void GUIProfileNameConflictWindow::Open(WindowId source) {
    GUIProfileNameConflictWindowBase::Open(source);
    Show(true);
}

void GUIProfileNameConflictWindow::Close() {
    GUIProfileNameConflictWindowBase::Close();
    Show(false);
}

void GUIProfileNameConflictWindow::Update() {
    GUIProfileNameConflictWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    if (ok_.clicked || Vantor::Controls::Instance()->IsKeyPressed("ENTER"))
        Report(GetSource() == WindowId::NewProfile ? WindowResult::GoToNewProfile : WindowResult::GoToRenameProfile);
}

}  // namespace Morvane
