#pragma once
// The girl's first visit to the mechanic: the conversation of the layout
// "window_mechanic".

#include "game/screens/GUIConversationWindow.h"

namespace Morvane {

class GUIMechanicWindow : public GUIConversationWindow {
public:
    static constexpr ConversationScript kScript{
        "window_mechanic",
        "mechanic_hello",
        "mechanic_stand",
        {"mechanic/mechanic_hello", "mechanic/girl_hello", "mechanic/mechanic_text_0", "mechanic/girl_text_1"}};

    GUIMechanicWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                      GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
        : GUIConversationWindow(audio, profiles, data, tools, manager, parent, kScript) {}
};

}  // namespace Morvane
