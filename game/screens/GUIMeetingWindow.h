#pragma once
// The café owner meets the girl: the conversation of the layout "window_meeting".

#include "game/screens/GUIConversationWindow.h"

namespace Morvane {

class GUIMeetingWindow : public GUIConversationWindow {
public:
    static constexpr ConversationScript kScript{
        "window_meeting",
        "owner_hello",
        "owner_stand",
        {"meeting/owner_hello", "meeting/girl_hello", "meeting/owner_how_fly", "meeting/girl_how_fly"}};

    GUIMeetingWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                     GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
        : GUIConversationWindow(audio, profiles, data, tools, manager, parent, kScript) {}
};

}  // namespace Morvane
