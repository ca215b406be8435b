#pragma once
// Tells the player that the typed name is taken; OK (or "ENTER") goes back to the
// new-profile window it came from, or else to the rename window.

#include "framework/windows/GUIProfileNameConflictWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_profile_name_conflict";

    GUIProfileNameConflictWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                                 GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    Vantor::GUIButton& ok_;  // the window's
};

}  // namespace Morvane
