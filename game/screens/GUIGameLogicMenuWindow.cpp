#include "game/screens/GUIGameLogicMenuWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/kernel/Config.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "game/screens/ControlParts.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

// The body's hide speed when the window hands over to a question: gone at once.
constexpr float kVanishingSpeed = 1000000.0f;

}  // namespace

GUIGameLogicMenuWindow::GUIGameLogicMenuWindow(GameFramework::AudioManager* audio,
                                               GameFramework::ProfileManagerBase* profiles, GameData* data,
                                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                               Vantor::GUIWindow* parent)
    : GUIGameLogicMenuWindowBase(audio, profiles),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      body_(RequiredControls(*this).Window("/window")),
      heading_(RequiredControls(*this).Text("/title")),
      faders_(*this),
      volumes_(*audio, *this),
      fullscreen_(RequiredControls(*this).CheckBox("/window/fullscreen")),
      leave_(RequiredControls(*this).Button("/window/button_0")),
      restart_(RequiredControls(*this).Button("/window/button_1")),
      resume_(RequiredControls(*this).Button("/window/button_2")) {}

void GUIGameLogicMenuWindow::Open(WindowId source) {
    GUIGameLogicMenuWindowBase::Open(source);
    const bool fromDay = source == WindowId::GameLogic;
    if (Vantor::Model* model = ControlParts::Model(body_)) {
        if (fromDay) {
            model->SetFlags(Vantor::ModelFlags::kCullCounterClockwise);
        } else {
            model->ClearFlags(Vantor::ModelFlags::kCullCounterClockwise);
            model->ClearFlags(Vantor::ModelFlags::kCullClockwise);
        }
    }
    if (fromDay) {
        faders_.FadeBackgroundIn();
        heading_.SetFadeOffset(0.0f);
    } else {
        faders_.HoldBackground();
    }
    Show(true);
    volumes_.ShowVolumes();
    fullscreen_.checked = fullscreenChoice.value;
}

void GUIGameLogicMenuWindow::Close() {
    GUIGameLogicMenuWindowBase::Close();
    const bool resuming = GetResult() == WindowResult::ResumeLevel;
    if (resuming) {
        faders_.FadeBackgroundOut();
        if (Vantor::Model* model = ControlParts::Model(body_)) model->SetFlags(Vantor::ModelFlags::kCullCounterClockwise);
        DayOverlayFaders::HoldBody(body_);
    } else {
        faders_.HoldBackgroundWhileClosing();
        DayOverlayFaders::HoldTitle(heading_);
        body_.SetHideSpeed(kVanishingSpeed);
        body_.SetFaderMin(1.0f);
        body_.SetFaderMax(1.0f);
    }
    Show(false);
}

void GUIGameLogicMenuWindow::Update() {
    GUIGameLogicMenuWindowBase::Update();
    GUIMenuWindow::Update();
    // The mode was switched elsewhere.
    if (Vantor::Config::Instance()->GetCommandState("v_window_change_mode") == 0)
        fullscreen_.checked = fullscreenChoice.value;
    if (!IsShown()) return;
    volumes_.Update();
    if (fullscreen_.clicked) {
        fullscreenChoice.value = fullscreen_.checked;
        Apply();
    }
    if (leave_.clicked) Report(WindowResult::GoToLeaveLevel);
    if (restart_.clicked) Report(WindowResult::GoToRestart);
    if (resume_.clicked) Report(WindowResult::ResumeLevel);
}

}  // namespace Morvane
