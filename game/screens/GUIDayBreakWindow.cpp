#include "game/screens/GUIDayBreakWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "framework/windows/GUIGameLogicGameExitWindowBase.h"
#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "game/screens/ControlParts.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

template <class FrameworkBase>
GUIDayBreakWindow<FrameworkBase>::GUIDayBreakWindow(GameFramework::AudioManager* audio, GameData* data,
                                                    GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                                    Vantor::GUIWindow* parent, const std::string& layoutName,
                                                    const std::vector<Answer>& answers)
    : GUIMenuWindow(audio, data, tools, manager, parent, layoutName),
      body_(RequiredControls(*this).Window("/window")),
      faders_(*this) {
    for (const auto& [path, result] : answers) answers_.emplace_back(&RequiredControls(*this).Button(path), result);
    if (Vantor::Model* model = ControlParts::Model(body_)) model->SetFlags(Vantor::ModelFlags::kCullCounterClockwise);
}

template <class FrameworkBase>
void GUIDayBreakWindow<FrameworkBase>::Open(GameFramework::WindowId source) {
    FrameworkBase::Open(source);
    faders_.FadeBackgroundIn();
    Show(true);
}

template <class FrameworkBase>
void GUIDayBreakWindow<FrameworkBase>::Close() {
    FrameworkBase::Close();
    faders_.FadeBackgroundOut();
    DayOverlayFaders::HoldBody(body_);
    Show(false);
}

template <class FrameworkBase>
void GUIDayBreakWindow<FrameworkBase>::Update() {
    FrameworkBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    for (const auto& [button, result] : answers_)
        if (button->clicked) this->Report(result);
}

template class GUIDayBreakWindow<GameFramework::GUIGameLogicPauseWindowBase>;
template class GUIDayBreakWindow<GameFramework::GUIGameLogicGameExitWindowBase>;

}  // namespace Morvane
