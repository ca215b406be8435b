#include "game/screens/GUIMainMenuWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/screens/PlainName.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

using GameFramework::WindowResult;

constexpr const char* kChoicePaths[] = {"/window/start", "/window/high_scores", "/window/options",
                                        "/window/change_player", "/window/exit"};
constexpr WindowResult kChoiceResults[] = {WindowResult::Play, WindowResult::GoToHighScores,
                                           WindowResult::GoToOptions, WindowResult::GoToProfiles,
                                           WindowResult::GoToExit};
// The clicks are read in this order; a later one wins.
constexpr std::size_t kClickOrder[] = {3, 0, 1, 2, 4};

}  // namespace

GUIMainMenuWindow::GUIMainMenuWindow(GameFramework::ProfileManagerBase* profiles, GameFramework::AudioManager* audio,
                                     GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                     Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout), profiles_(profiles) {
    const RequiredControls controls(*this);
    // The buttons follow the body's state.
    controls.Window("/window");
    for (std::size_t index = 0; index < choices_.size(); ++index) {
        const std::string path = kChoicePaths[index];
        choices_[index] = {&controls.Button(path), &controls.Text(path + "/title"), kChoiceResults[index]};
    }
}

void GUIMainMenuWindow::Open(GameFramework::WindowId source) {
    GUIMainMenuWindowBase::Open(source);
    Show(true);
    const GameFramework::ProfileBase* current = profiles_->GetCurrentProfile();
    if (title_) title_->SetParameter(L"PROFILE_NAME", current ? PlainName(current->GetName()) : L"");
    for (const Choice& choice : choices_) choice.button->SetEnabled(false);
}

void GUIMainMenuWindow::Close() {
    GUIMainMenuWindowBase::Close();
    Show(false);
}

void GUIMainMenuWindow::Update() {
    GUIMainMenuWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    const bool bodyShown = window_->IsShown();
    for (const Choice& choice : choices_) {
        const int state = choice.button->state;
        choice.title->SetFont(state == Vantor::GUIButton::kHovered   ? "main_menu_1"
                              : state == Vantor::GUIButton::kPressed ? "main_menu_2"
                                                                     : "main_menu_0");
        choice.button->SetEnabled(bodyShown);
    }
    for (std::size_t index : kClickOrder)
        if (choices_[index].button->clicked) Report(choices_[index].result);
}

}  // namespace Morvane
