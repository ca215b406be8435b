#include "game/screens/GUICoveredQuestionWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/kernel/TimerManager.h"
#include "framework/windows/GUIGameLogicMenuExitWindowBase.h"
#include "framework/windows/GUIGameLogicRestartWindowBase.h"
#include "game/GameData.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

template <class FrameworkBase>
GUICoveredQuestionWindow<FrameworkBase>::GUICoveredQuestionWindow(
    GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
    Vantor::GUIWindow* parent, const std::string& layoutName, GameFramework::WindowResult yesResult,
    FadingCover::Ending coverEnding)
    : GUIMenuWindow(audio, data, tools, manager, parent, layoutName),
      yesResult_(yesResult),
      heading_(RequiredControls(*this).Text("/title")),
      faders_(*this),
      yes_(RequiredControls(*this).Button("/window/button_1")),
      no_(RequiredControls(*this).Button("/window/button_0")),
      cover_(*data, parent, coverEnding) {}

template <class FrameworkBase>
void GUICoveredQuestionWindow<FrameworkBase>::Open(GameFramework::WindowId source) {
    FrameworkBase::Open(source);
    faders_.HoldBackground();
    Show(true);
}

template <class FrameworkBase>
void GUICoveredQuestionWindow<FrameworkBase>::Close() {
    if (!IsOpen()) return;
    FrameworkBase::Close();
    faders_.HoldBackgroundWhileClosing();
    DayOverlayFaders::HoldTitle(heading_);
    Show(false);
}

template <class FrameworkBase>
void GUICoveredQuestionWindow<FrameworkBase>::Update() {
    FrameworkBase::Update();
    GUIMenuWindow::Update();
    if (cover_.Update(Vantor::TimerManager::Instance()->GetFrameTime())) this->Report(yesResult_);
    if (!IsShown()) return;
    if (yes_.clicked) {
        cover_.Start();
        Close();
    }
    if (no_.clicked) this->Report(GameFramework::WindowResult::GoToLevelMenu);
}

template class GUICoveredQuestionWindow<GameFramework::GUIGameLogicRestartWindowBase>;
template class GUICoveredQuestionWindow<GameFramework::GUIGameLogicMenuExitWindowBase>;

}  // namespace Morvane
