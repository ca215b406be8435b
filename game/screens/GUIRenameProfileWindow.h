#pragma once
// Gives the profile named at opening a typed name. Its own name in another letter case
// changes nothing; a name another profile has reports the name conflict. Opened again
// without a name (back from the conflict), the typed name stays in the field.

#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/NameEntry.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_rename_profile";

    GUIRenameProfileWindow(GameFramework::ProfileManagerBase* profiles, GameFramework::AudioManager* audio,
                           GameData* data, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                           Vantor::GUIWindow* parent);

    // With take the profile of that name is the one to rename, and the field shows it.
    void OpenWith(GameFramework::WindowId source, bool take, const std::wstring& name) override;
    void Close() override;
    void Update() override;

private:
    NameEntry name_;
    Vantor::GUIButton& cancel_;  // the window's
};

}  // namespace Morvane
