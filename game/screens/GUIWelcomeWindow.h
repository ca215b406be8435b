#pragma once
// Asks for the first player's name while no profile exists: OK (or "ENTER") creates the
// profile, or selects the one of that name in any letter case, and goes on to the main
// menu; the other button leads to the exit window.

#include "framework/windows/GUIWelcomeWindowBase.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/NameEntry.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_welcome";

    GUIWelcomeWindow(GameFramework::ProfileManagerBase* profiles, GameFramework::AudioManager* audio, GameData* data,
                     GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    NameEntry name_;
    Vantor::GUIButton& exit_;  // the window's
};

}  // namespace Morvane
