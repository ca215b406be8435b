#pragma once
// The logic of the level display, the window shown while a level runs: the level and
// the profile it is played by, the full-screen switch and whether the player's input
// counts (not under the pause, menu and quit windows, nor after the level ended).

#include "framework/GUIFrameworkWindow.h"
#include "framework/windows/FullscreenChoice.h"

namespace GameFramework {

class GameLogicBase;
class ProfileBase;
class ProfileManagerBase;

class GUIGameLogicWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIGameLogicWindowBase(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

    void Update() override;
    void Close() override;
    virtual void OpenWith(WindowId source, GameLogicBase* logic);
    virtual void SetActive(bool active) { active_ = active; }

    void MinimizeApplication();
    // Takes the player's choice and switches the display to it (see FullscreenChoice).
    void SwitchFullscreen(bool fullscreen);

    ProfileManagerBase* GetProfileManager() const { return profileManager_; }
    ProfileBase* GetCurrentProfile() const { return currentProfile_; }
    GameLogicBase* GetGameLogic() const { return logic_; }
    bool IsFullscreen() const { return fullscreen_.value; }
    bool IsActive() const { return active_; }

private:
    ProfileManagerBase* profileManager_;  // not owned
    ProfileBase* currentProfile_ = nullptr;  // the manager's
    GameLogicBase* logic_ = nullptr;  // the game base's
    FullscreenChoice fullscreen_;
    bool active_ = false;
};

}  // namespace GameFramework
