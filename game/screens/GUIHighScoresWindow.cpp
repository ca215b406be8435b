#include "game/screens/GUIHighScoresWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/HighScoreEntry.h"
#include "framework/HighScoresTable.h"
#include "game/screens/PlainName.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

using GameFramework::WindowId;

GUIHighScoresWindow::GUIHighScoresWindow(GameFramework::AudioManager* audio, GameFramework::HighScoresTable* table,
                                         GameData* data, GUITools::GUIToolManager* tools,
                                         GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
    : GUIHighScoresWindowBase(table),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      back_(RequiredControls(*this).Button("/window/button_0")),
      backTitle_(RequiredControls(*this).Text("/window/button_0/title")),
      noRecords_(RequiredControls(*this).Control("/window/no_records")) {
    const RequiredControls controls(*this);
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const std::string path = "/window/record_" + std::to_string(index);
        rows_[index] = {&controls.Text(path + "/place"), &controls.Text(path + "/name"),
                        &controls.Text(path + "/score")};
    }
}

void GUIHighScoresWindow::OpenWith(WindowId source, GameFramework::HighScoreEntry* entry) {
    GUIHighScoresWindowBase::OpenWith(source, entry);
    backTitle_.SetText(source == WindowId::MainMenu ? "common/back" : "common/continue");
    const unsigned count = GetTable()->GetCount(kModeKey);
    EnableControl(noRecords_, count == 0);
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const Row& row = rows_[index];
        for (const GUITools::GUITextControl* text : {row.place, row.name, row.score})
            EnableControl(*text, index < count);
        if (index < count) ShowRow(row, index, *GetTable()->GetEntry(kModeKey, static_cast<int>(index)));
    }
    Show(true);
}

void GUIHighScoresWindow::ShowRow(const Row& row, std::size_t index, const GameFramework::HighScoreEntry& entry) const {
    const char* font = &entry == GetEntryToShow() ? "common_1" : "common";
    for (GUITools::GUITextControl* text : {row.place, row.name, row.score}) text->SetFont(font);
    row.place->SetLiteralText(std::to_wstring(index + 1) + L".");
    row.name->SetLiteralText(PlainName(entry.name));
    row.score->SetParameter(L"DAY", std::to_wstring(entry.score));
}

void GUIHighScoresWindow::Close() {
    GUIHighScoresWindowBase::Close();
    Show(false);
}

void GUIHighScoresWindow::Update() {
    GUIHighScoresWindowBase::Update();
    GUIMenuWindow::Update();
    if (IsShown() && back_.clicked) Report(GameFramework::WindowResult::GoToMainMenu);
}

}  // namespace Morvane
