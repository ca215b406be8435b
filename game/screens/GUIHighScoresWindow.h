#pragma once
// The best results of the high-score table's mode 0: up to ten rows of place, name and
// number of days, with the entry just added (if any) in the highlight font, or a notice
// while the table is empty. Its one button returns to the main menu and reads "back"
// when opened from there, "continue" otherwise.

#include <array>

#include "framework/windows/GUIHighScoresWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIHighScoresWindow : public GameFramework::GUIHighScoresWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_high_scores";
    static constexpr std::size_t kRowCount = 10;
    // The game keeps its scores under this mode.
    static constexpr std::int32_t kModeKey = 0;

    GUIHighScoresWindow(GameFramework::AudioManager* audio, GameFramework::HighScoresTable* table, GameData* data,
                        GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    // A null entry highlights none.
    void OpenWith(GameFramework::WindowId source, GameFramework::HighScoreEntry* entry) override;
    void Close() override;
    void Update() override;

private:
    struct Row {
        GUITools::GUITextControl* place;
        GUITools::GUITextControl* name;
        GUITools::GUITextControl* score;
    };

    void ShowRow(const Row& row, std::size_t index, const GameFramework::HighScoreEntry& entry) const;

    Vantor::GUIButton& back_;                   // the window's
    GUITools::GUITextControl& backTitle_;       // the window's
    GUITools::GUIControl& noRecords_;           // the window's
    std::array<Row, kRowCount> rows_;
};

}  // namespace Morvane
