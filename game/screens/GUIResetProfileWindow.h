#pragma once
// Offers the current player to start the game over: one button resets the profile's
// progress (saved at once), the other keeps it; both return to the start of the day.

#include "framework/GUIFrameworkWindow.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class ProfileManager;

class GUIResetProfileWindow : public GameFramework::GUIFrameworkWindow, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_reset_profile";

    GUIResetProfileWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                          GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    ProfileManager* profiles_;  // not owned
    Vantor::GUIButton& keep_;   // the window's
    Vantor::GUIButton& reset_;  // the window's
};

}  // namespace Morvane
