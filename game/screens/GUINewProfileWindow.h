#pragma once
// Creates a player profile from a typed name. A name taken in any letter case reports
// the name conflict and creates nothing. Cancel returns to the profiles list, or, while
// no profile exists, leads to the exit window, and its caption says which.

#include "framework/windows/GUINewProfileWindowBase.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/NameEntry.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_new_profile";

    GUINewProfileWindow(GameFramework::ProfileManagerBase* profiles, GameFramework::AudioManager* audio,
                        GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                        Vantor::GUIWindow* parent);

    // With clear the name field is emptied.
    void OpenWith(GameFramework::WindowId source, bool clear) override;
    void Close() override;
    void Update() override;

private:
    NameEntry name_;
    Vantor::GUIButton& cancel_;               // the window's
    GUITools::GUITextControl& cancelTitle_;  // the window's
    bool noProfile_ = true;
};

}  // namespace Morvane
