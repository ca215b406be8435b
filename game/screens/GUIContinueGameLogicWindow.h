#pragma once
// The main menu's offer to go on with a day left half done: continue it (14), start the
// day again (13) or go back to the main menu (3). Opening it already reports 13, kept
// through the reset after the current dispatch pass so that the next pass answers it in
// the same frame, without a click. It shows the player's level as "stage-level",
// counted from 1, and the game's score.

#include "framework/windows/GUIContinueGameLogicWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace GameFramework {
class ProfileManagerBase;
}

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIContinueGameLogicWindow : public GameFramework::GUIContinueGameLogicWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_continue_game_logic";

    GUIContinueGameLogicWindow(GameFramework::AudioManager* audio, GameFramework::ProfileManagerBase* profiles,
                               GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                               Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    GameFramework::ProfileManagerBase* profiles_;  // not owned
    Vantor::GUIButton& continue_;                  // the window's
    Vantor::GUIButton& restart_;                   // the window's
    Vantor::GUIButton& menu_;                      // the window's
    GUITools::GUITextControl& level_;              // the window's
    GUITools::GUITextControl& score_;              // the window's
};

}  // namespace Morvane
