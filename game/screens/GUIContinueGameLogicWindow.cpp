#include "game/screens/GUIContinueGameLogicWindow.h"

#include <string>

#include "engine/gui/GUIButton.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

namespace {

using GameFramework::WindowResult;

}  // namespace

GUIContinueGameLogicWindow::GUIContinueGameLogicWindow(GameFramework::AudioManager* audio,
                                                       GameFramework::ProfileManagerBase* profiles, GameData* data,
                                                       GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                                       Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      profiles_(profiles),
      continue_(RequiredControls(*this).Button("/window/button_2")),
      restart_(RequiredControls(*this).Button("/window/button_1")),
      menu_(RequiredControls(*this).Button("/window/button_0")),
      level_(RequiredControls(*this).Text("/window/level")),
      score_(RequiredControls(*this).Text("/window/score")) {}

void GUIContinueGameLogicWindow::Open(GameFramework::WindowId source) {
    GUIContinueGameLogicWindowBase::Open(source);
    ReportWhileOpening(WindowResult::GoToStart);
    Show(true);
    const GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile();
    if (!profile) return;
    const GameFramework::LevelKey& level = profile->GetCurrentLevel();
    level_.SetLiteralText(std::to_wstring(level.stage + 1) + L"-" + std::to_wstring(level.level + 1));
    score_.SetLiteralText(std::to_wstring(profile->GetGameScore()));
}

void GUIContinueGameLogicWindow::Close() {
    GUIContinueGameLogicWindowBase::Close();
    Show(false);
}

void GUIContinueGameLogicWindow::Update() {
    GUIContinueGameLogicWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    if (continue_.clicked) Report(WindowResult::ContinueGame);
    if (restart_.clicked) Report(WindowResult::GoToStart);
    if (menu_.clicked) Report(WindowResult::GoToMainMenu);
}

}  // namespace Morvane
