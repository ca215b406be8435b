#pragma once
// The day stands still until the player goes on: its one button resumes the day (19).

#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "game/screens/GUIDayBreakWindow.h"

namespace Morvane {

class GUIGameLogicPauseWindow : public GUIDayBreakWindow<GameFramework::GUIGameLogicPauseWindowBase> {
public:
    static constexpr const char* kLayout = "window_game_logic_pause";

    GUIGameLogicPauseWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                            GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
        : GUIDayBreakWindow(audio, data, tools, manager, parent, kLayout,
                            {{"/window/button_0", GameFramework::WindowResult::ResumeLevel}}) {}
};

}  // namespace Morvane
