#pragma once
// The menu over a paused day: the volumes and the full-screen switch, each applied at
// once, and leave the day, restart it or resume it. Opened from the day its dimmed
// background fades in; opened back from the restart or leave question it stays fully
// dimmed. Closing to resume fades the background out to the day; closing towards a
// question keeps it dimmed and the title in view for the window that follows.

#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "game/screens/DayOverlayFaders.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/VolumeSliders.h"

namespace GameFramework {
class ProfileManagerBase;
}

namespace Vantor {
class GUIButton;
class GUICheckBox;
}  // namespace Vantor

namespace Morvane {

class GUIGameLogicMenuWindow : public GameFramework::GUIGameLogicMenuWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_game_logic_menu";

    GUIGameLogicMenuWindow(GameFramework::AudioManager* audio, GameFramework::ProfileManagerBase* profiles,
                           GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                           Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    // Called by the flow after a result, which decides how the window leaves.
    void Close() override;
    void Update() override;

private:
    GUITools::GUIWindowControl& body_;   // the window's "/window"
    GUITools::GUITextControl& heading_;  // the window's "/title"
    DayOverlayFaders faders_;
    VolumeSliders volumes_;
    Vantor::GUICheckBox& fullscreen_;  // the window's
    Vantor::GUIButton& leave_;         // the window's
    Vantor::GUIButton& restart_;       // the window's
    Vantor::GUIButton& resume_;        // the window's
};

}  // namespace Morvane
