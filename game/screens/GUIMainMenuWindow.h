#pragma once
// The main menu: greets the current player by name in its title and offers to play, to
// see the high scores, to change the options, to change the player and to quit. Its
// buttons stay disabled until the body "/window" has shown, and each title takes the
// font of its button's state.

#include <array>
#include <string>

#include "framework/WindowResult.h"
#include "framework/windows/GUIMainMenuWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace GameFramework {
class ProfileManagerBase;
}

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_main_menu";

    GUIMainMenuWindow(GameFramework::ProfileManagerBase* profiles, GameFramework::AudioManager* audio, GameData* data,
                      GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    struct Choice {
        Vantor::GUIButton* button;
        GUITools::GUITextControl* title;
        GameFramework::WindowResult result;
    };

    GameFramework::ProfileManagerBase* profiles_;  // not owned
    // Start, high scores, options, change player, exit.
    std::array<Choice, 5> choices_;
};

}  // namespace Morvane
