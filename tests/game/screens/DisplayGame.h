#pragma once
// The framework's test game running one of the game's days (the replay data's café)
// with the game's in-day display as its level display. The display's layout here: a
// dark bar along the top of the screen holding the money text (a font made from a
// system typeface) on the left and, on the right, the menu button, the full-screen box
// and the minimise and close buttons, each a light square; the opening cover is a dark
// blue picture. The display and its cover hang on a top container, as the game's
// windows do. Frames are the framework's own at a fixed frame time on the virtual
// clock, on whichever backend the test runs.

#include <memory>
#include <string>

#include "framework/windows/GUIGameLogicWindowBase.h"
#include "tests/framework/TestGame.h"
#include "tests/game/replay/ReplayGame.h"

namespace Vantor {
class GUIWindow;
}

namespace Morvane {
class GameLogic;
class GUIGameLogicWindow;
class GUIMenuWindowManager;
}  // namespace Morvane

namespace displaytest {

class DisplayGame : private replay::ReplayGameFolder, public frameworktest::TestGame {
public:
    static constexpr float kFrameSeconds = 0.05f;
    // The money text's font and colour (0xRRGGBB).
    static constexpr const char* kMoneyFont = "display";
    static constexpr std::uint32_t kMoneyColour = 0xFFE040;
    // Where the money text lies, in GUI units.
    static constexpr float kMoneyLeft = 24.0f;
    static constexpr float kMoneyBottom = 556.0f;

    // Writes the data into the folder (whose Windows path is the install path) and makes
    // the game with its windows.
    DisplayGame(const testsupport::TempFolder& folder, const std::wstring& installPath);
    ~DisplayGame() override;

    GameFramework::ProfileManagerBase* CreateProfileManager() override;
    GameTools::DataKeeper* CreateGameData() override;
    GameFramework::GUIGameLogicWindowBase* CreateGameLogicWindow() override;

    // The opening windows closed, a player who has seen the tutorial, the player's day
    // as the running level, and the display opened over it as the level loading opens it.
    Morvane::GameLogic& StartDay();
    // One framework frame, the virtual clock advanced by the seconds first.
    void Step(float seconds = kFrameSeconds);
    void Steps(int count);
    // The mouse over the middle of the element, pressed and released: the element
    // reports the click in the second frame from now.
    static void Click(const Vantor::GUIWindow& element);
    static void PressKey(unsigned virtualKey);

    Morvane::GUIGameLogicWindow& Display() const { return *display_; }

private:
    std::unique_ptr<Morvane::GUIMenuWindowManager> menus_;
    Morvane::GUIGameLogicWindow* display_ = nullptr;  // the game base's
};

}  // namespace displaytest
