#include "game/screens/GUIProfilesWindow.h"

#include <algorithm>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIScroll.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/screens/PlainName.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

namespace {

using GameFramework::WindowResult;

// Row k is the control ending in the digit 7 - k.
std::string RowPath(std::size_t row) {
    return "/window/text_area/button_profile_" + std::to_string(GUIProfilesWindow::kRowCount - 1 - row);
}

}  // namespace

GUIProfilesWindow::GUIProfilesWindow(GameFramework::AudioManager* audio, GameFramework::ProfileManagerBase* profiles,
                                     GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                     Vantor::GUIWindow* parent)
    : GUIProfilesWindowBase(profiles),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      scroll_(RequiredControls(*this).Scroll("/window/scroll")),
      create_(RequiredControls(*this).Button("/window/create")),
      rename_(RequiredControls(*this).Button("/window/rename")),
      delete_(RequiredControls(*this).Button("/window/delete")),
      done_(RequiredControls(*this).Button("/window/done")) {
    const RequiredControls controls(*this);
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const std::string path = RowPath(row);
        rows_[row] = {&controls.Control(path), &controls.Button(path), &controls.Text(path + "/title")};
    }
    scroll_.inverted = true;
}

void GUIProfilesWindow::Open(GameFramework::WindowId source) {
    GUIProfilesWindowBase::Open(source);
    SetProfileName(L"");
    BuildNames();
    const std::size_t count = profileManager_->GetProfiles().size();
    for (std::size_t row = 0; row < kRowCount; ++row) EnableControl(*rows_[row].control, row < count);
    const bool scrolls = count > kRowCount;
    scroll_.SetEnabled(scrolls);
    scroll_.SetStepCount(scrolls ? static_cast<std::uint32_t>(count + 1 - kRowCount) : 2);
    scroll_.SetValue(0);
    Show(true);
}

void GUIProfilesWindow::BuildNames() {
    names_.assign(1, L"");
    const GameFramework::ProfileBase* current = profileManager_->GetCurrentProfile();
    for (const GameFramework::ProfileBase* profile : profileManager_->GetProfiles()) {
        if (profile == current)
            names_.front() = profile->GetName();
        else
            names_.push_back(profile->GetName());
    }
}

void GUIProfilesWindow::Close() {
    GUIProfilesWindowBase::Close();
    Show(false);
}

void GUIProfilesWindow::Update() {
    GUIProfilesWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsShown()) return;
    const std::uint32_t first = scroll_.GetValue();
    for (std::size_t row = 0; row < std::min(names_.size(), kRowCount) && first + row < names_.size(); ++row)
        rows_[row].title->SetLiteralText(PlainName(names_[first + row]));
    UpdateRows(first);
    if (create_.clicked) Report(WindowResult::GoToNewProfile);
    if (rename_.clicked) {
        SetProfileName(CurrentName());
        Report(WindowResult::GoToRenameProfile);
    }
    if (delete_.clicked) {
        SetProfileName(CurrentName());
        Report(WindowResult::GoToDeleteProfile);
    }
    if (done_.clicked) Report(WindowResult::GoToMainMenu);
}

void GUIProfilesWindow::UpdateRows(std::uint32_t first) {
    for (std::size_t row = 0; row < kRowCount && first + row < names_.size(); ++row) {
        const Row& shown = rows_[row];
        if (!shown.button->IsVisible()) break;
        const std::wstring& name = names_[first + row];
        if (shown.button->clicked) {
            // A row whose player has gone selects nobody.
            if (GameFramework::ProfileBase* profile = profileManager_->FindProfile(name))
                profileManager_->SelectProfile(profile, true);
        }
        if (name == CurrentName()) {
            shown.button->SetEnabled(false);
            shown.title->SetFont("common_1");
        } else {
            shown.button->SetEnabled(true);
            shown.title->SetFont(shown.button->IsHovered() ? "common_2" : "common_0");
        }
    }
}

std::wstring GUIProfilesWindow::CurrentName() const {
    const GameFramework::ProfileBase* current = profileManager_->GetCurrentProfile();
    return current ? current->GetName() : L"";
}

}  // namespace Morvane
