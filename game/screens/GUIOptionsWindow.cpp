#include "game/screens/GUIOptionsWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/kernel/Config.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

namespace {

using GameFramework::WindowResult;

// The only display sizes offered.
constexpr std::int32_t kModes[][2] = {{640, 480}, {800, 600}, {1024, 768}};

}  // namespace

GUIOptionsWindow::GUIOptionsWindow(GameFramework::AudioManager* audio, GameFramework::ProfileManagerBase* profiles,
                                   GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                   Vantor::GUIWindow* parent)
    : GUIOptionsWindowBase(audio, profiles),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      volumes_(*audio, *this),
      fullscreen_(RequiredControls(*this).CheckBox("/window/fullscreen")),
      modeText_(RequiredControls(*this).Text("/window/video_mode/text")),
      decreaseMode_(RequiredControls(*this).Button("/window/decrease_video_mode")),
      increaseMode_(RequiredControls(*this).Button("/window/increase_video_mode")),
      ok_(RequiredControls(*this).Button("/window/button_2")),
      defaults_(RequiredControls(*this).Button("/window/button_1")),
      cancel_(RequiredControls(*this).Button("/window/button_0")) {
    for (const auto& [width, height] : kModes) AddMode(width, height);
}

void GUIOptionsWindow::Open(GameFramework::WindowId source) {
    GUIOptionsWindowBase::Open(source);
    Show(true);
    ShowSettings();
}

void GUIOptionsWindow::Close() {
    GUIOptionsWindowBase::Close();
    Show(false);
}

void GUIOptionsWindow::ShowSettings() const {
    volumes_.ShowVolumes();
    fullscreen_.checked = fullscreenChoice.value;
}

void GUIOptionsWindow::Update() {
    GUIOptionsWindowBase::Update();
    GUIMenuWindow::Update();
    // The mode was switched elsewhere.
    if (Vantor::Config::Instance()->GetCommandState("v_window_change_mode") == 0)
        fullscreen_.checked = fullscreenChoice.value;
    if (!IsShown()) return;
    volumes_.Update();
    if (decreaseMode_.clicked && chosenMode > 0) --chosenMode;
    if (increaseMode_.clicked && static_cast<std::size_t>(chosenMode) + 1 < GetModes().size()) ++chosenMode;
    if (ok_.clicked) {
        fullscreenChoice.value = fullscreen_.checked;
        Apply();
        Report(WindowResult::GoToMainMenu);
    }
    if (defaults_.clicked) {
        RestoreDefaults();
        ShowSettings();
    }
    if (cancel_.clicked) {
        RestoreVolumes();
        Report(WindowResult::GoToMainMenu);
    }
    modeText_.SetText("'" + GetModes()[static_cast<std::size_t>(chosenMode)]->text + "'");
}

}  // namespace Morvane
