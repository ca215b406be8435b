#pragma once
// The list of player profiles: eight rows, the current player first and the others in
// the manager's order, scrolled by an inverted scroll bar when there are more than
// eight. A click on another player's row makes that player current at once; the
// current player's row is disabled. Further buttons lead on to creating, renaming or
// deleting a profile, or back to the main menu.

#include <array>
#include <string>
#include <vector>

#include "framework/windows/GUIProfilesWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace GUITools {
class GUIControl;
}

namespace Vantor {
class GUIButton;
class GUIScroll;
}  // namespace Vantor

namespace Morvane {

class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_profiles";
    static constexpr std::size_t kRowCount = 8;

    GUIProfilesWindow(GameFramework::AudioManager* audio, GameFramework::ProfileManagerBase* profiles, GameData* data,
                      GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

    // The names listed at the last opening, as stored.
    const std::vector<std::wstring>& GetNames() const { return names_; }

private:
    struct Row {
        GUITools::GUIControl* control;
        Vantor::GUIButton* button;
        GUITools::GUITextControl* title;
    };

    void BuildNames();
    // Selects a clicked row's profile, then shows which row is the current player's.
    void UpdateRows(std::uint32_t first);
    // The current profile's name, or "" without one.
    std::wstring CurrentName() const;

    // Row 0 at the top.
    std::array<Row, kRowCount> rows_;
    std::vector<std::wstring> names_;
    Vantor::GUIScroll& scroll_;  // the window's
    Vantor::GUIButton& create_;  // the window's
    Vantor::GUIButton& rename_;  // the window's
    Vantor::GUIButton& delete_;  // the window's
    Vantor::GUIButton& done_;    // the window's
};

}  // namespace Morvane
