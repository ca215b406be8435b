#pragma once
// Asks whether to delete the profile named at opening, whose name its text shows in
// double quotes through the parameter "PROFILE_NAME" of "/window/text".

#include "framework/windows/GUIDeleteProfileWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_delete_profile";

    GUIDeleteProfileWindow(GameFramework::ProfileManagerBase* profiles, GameFramework::AudioManager* audio,
                           GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                           Vantor::GUIWindow* parent);

    void OpenWith(GameFramework::WindowId source, const std::wstring& name) override;
    void Close() override;
    void Update() override;

private:
    GUITools::GUITextControl& question_;  // the window's
    Vantor::GUIButton& keep_;             // the window's
    Vantor::GUIButton& delete_;           // the window's
};

}  // namespace Morvane
