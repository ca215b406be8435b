#pragma once
// Quit the program in the middle of a day? Yes quits (23), no resumes the day (19).

#include "framework/windows/GUIGameLogicGameExitWindowBase.h"
#include "game/screens/GUIDayBreakWindow.h"

namespace Morvane {

class GUIGameLogicGameExitWindow : public GUIDayBreakWindow<GameFramework::GUIGameLogicGameExitWindowBase> {
public:
    static constexpr const char* kLayout = "window_game_logic_game_exit";

    GUIGameLogicGameExitWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                               GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
        : GUIDayBreakWindow(audio, data, tools, manager, parent, kLayout,
                            {{"/window/button_1", GameFramework::WindowResult::QuitProgram},
                             {"/window/button_0", GameFramework::WindowResult::ResumeLevel}}) {}
};

}  // namespace Morvane
