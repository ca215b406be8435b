#pragma once
// The options of the main menu: the sound and music volumes, set at once while their
// sliders move; the full-screen switch and one of three display sizes, applied only on
// OK; defaults (volumes at once, the rest on a later OK); cancel puts the volumes back
// as they were at the opening.

#include "framework/windows/GUIOptionsWindowBase.h"
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

class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_options";

    GUIOptionsWindow(GameFramework::AudioManager* audio, GameFramework::ProfileManagerBase* profiles, GameData* data,
                     GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    // The sliders and the check box as the base's values are now.
    void ShowSettings() const;

    VolumeSliders volumes_;
    Vantor::GUICheckBox& fullscreen_;           // the window's
    GUITools::GUITextControl& modeText_;        // the window's
    Vantor::GUIButton& decreaseMode_;           // the window's
    Vantor::GUIButton& increaseMode_;           // the window's
    Vantor::GUIButton& ok_;                     // the window's
    Vantor::GUIButton& defaults_;               // the window's
    Vantor::GUIButton& cancel_;                 // the window's
};

}  // namespace Morvane
