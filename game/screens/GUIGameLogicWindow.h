#pragma once
// The thin display over a running day: the money taken so far today, the menu button,
// buttons that minimise and close the program, and the full-screen box. It is where
// the keyboard reaches the day: "SPACE" or "P" asks for the pause, "ESCAPE" for the
// in-day menu; the window only reports, the game's window flow does the rest. Keys are
// ignored while a tutorial hint holds the input, and keys and the menu and close
// buttons while the window is inactive (another window in front).
//
// Opening covers the screen for a second, fading the picture in and out, while the
// room is set up behind it. With "d_show_statistics" on, developer figures are printed
// in the lower left corner.
//
// Not a menu window: it shows and hides at once, without the menu windows' lock.

#include <memory>

#include "framework/windows/GUIGameLogicWindowBase.h"
#include "gui_tools/GUIWindowBase.h"

namespace Vantor {
class GUIButton;
class GUICheckBox;
class GUIWindow;
}  // namespace Vantor

namespace GUITools {
class GUITextControl;
class GUIToolManager;
class GUIWindowControl;
}  // namespace GUITools

namespace Morvane {

class GameData;
class GameLogic;
class GUICoverWindow;
class GUIMenuWindowManager;
class ProfileManager;

class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase, public GUITools::GUIWindowBase {
public:
    static constexpr const char* kLayout = "window_game_logic";
    static constexpr const char* kStatisticsVariable = "d_show_statistics";
    static constexpr const char* kStatisticsFont = "console";
    // The statistics draw in front of the display's other controls.
    static constexpr int kStatisticsOrder = 20;

    GUIGameLogicWindow(ProfileManager* profiles, GameData* data, GUITools::GUIToolManager* tools,
                       GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);
    ~GUIGameLogicWindow() override;

    // The logic is the game's day.
    void OpenWith(GameFramework::WindowId source, GameFramework::GameLogicBase* logic) override;
    void Close() override;
    // The menu and close buttons follow; minimising and full screen stay at hand.
    void SetActive(bool active) override;
    void Update() override;

    GameLogic* GetDay() const { return day_; }
    const GUICoverWindow& GetCover() const { return *cover_; }
    Vantor::GUIWindow& GetStatisticsWindow() const { return *statistics_; }
    Vantor::GUIButton& GetMenuButton() const { return menu_; }
    Vantor::GUIButton& GetMinimizeButton() const { return minimize_; }
    Vantor::GUIButton& GetCloseButton() const { return close_; }
    Vantor::GUICheckBox& GetFullscreenBox() const { return fullscreenBox_; }
    GUITools::GUITextControl& GetMoneyText() const { return money_; }

private:
    void DrawStatistics();
    // The results of the player's keys and buttons, a later one overwriting an earlier.
    void ReportInput();

    GUITools::GUIWindowControl& window_;  // the window's
    Vantor::GUIButton& menu_;             // the window's
    Vantor::GUIButton& minimize_;         // the window's
    Vantor::GUIButton& close_;            // the window's
    Vantor::GUICheckBox& fullscreenBox_;  // the window's
    GUITools::GUITextControl& money_;     // the window's
    Vantor::GUIWindow* statistics_;       // the GUI manager's, destroyed here
    std::unique_ptr<GUICoverWindow> cover_;
    // Since the last opening; far past the fade before the first.
    float coverTime_ = 1000.0f;
    GameLogic* day_ = nullptr;  // the game's
};

}  // namespace Morvane
