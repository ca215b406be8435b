#pragma once
// Leave the day for the main menu? Yes covers the screen and then reports the main menu
// (3); the cover then fades out over the menu.

#include "framework/windows/GUIGameLogicMenuExitWindowBase.h"
#include "game/screens/GUICoveredQuestionWindow.h"

namespace Morvane {

class GUIGameLogicMenuExitWindow : public GUICoveredQuestionWindow<GameFramework::GUIGameLogicMenuExitWindowBase> {
public:
    static constexpr const char* kLayout = "window_game_logic_menu_exit";

    GUIGameLogicMenuExitWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                               GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
        : GUICoveredQuestionWindow(audio, data, tools, manager, parent, kLayout,
                                   GameFramework::WindowResult::GoToMainMenu, FadingCover::Ending::FadeOut) {}
};

}  // namespace Morvane
