#pragma once
// Restart the day? Yes covers the screen and then reports the start of the day (13);
// the cover stays full until a second after the click and then goes at once, as the
// start-of-day window comes up behind it.

#include "framework/windows/GUIGameLogicRestartWindowBase.h"
#include "game/screens/GUICoveredQuestionWindow.h"

namespace Morvane {

class GUIGameLogicRestartWindow : public GUICoveredQuestionWindow<GameFramework::GUIGameLogicRestartWindowBase> {
public:
    static constexpr const char* kLayout = "window_game_logic_restart";

    GUIGameLogicRestartWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                              GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
        : GUICoveredQuestionWindow(audio, data, tools, manager, parent, kLayout, GameFramework::WindowResult::GoToStart,
                                   FadingCover::Ending::HideAfterHold) {}
};

}  // namespace Morvane
