#pragma once
// Every menu window of the game, in the order they were made, and the one animation
// lock between them: at most one menu window plays its opening, stays open or plays its
// closing at a time. A window asked to open waits until the lock is free.
//
// Once per frame, after every window's logic update, Update steps the closed windows
// first and then the open ones, so that a window that finishes closing frees the lock
// before a waiting one asks for it, and the next window comes up in the same frame.

#include <vector>

namespace GUITools {
class GUIWindowBase;
}

namespace Morvane {

class GameData;
class GUIMenuWindow;

class GUIMenuWindowManager {
public:
    // The game data gives the additional logos.
    explicit GUIMenuWindowManager(GameData* data);
    virtual ~GUIMenuWindowManager() = default;
    GUIMenuWindowManager(const GUIMenuWindowManager&) = delete;
    GUIMenuWindowManager& operator=(const GUIMenuWindowManager&) = delete;

    void AddWindow(GUIMenuWindow* window);
    // A window that goes away frees the lock it holds.
    void RemoveWindow(GUIMenuWindow* window);
    // Nothing while another window holds the lock.
    void LockAnimation(GUIMenuWindow* window);
    void UnlockAnimation();

    // Before the windows' logic update; nothing to do yet.
    void PreUpdate() {}
    void Update();

    // The additional logo controls of the window show the data's partner logos; one
    // without its logo is disabled.
    void SetupAdditionalLogos(GUITools::GUIWindowBase& window) const;

    bool IsLockFree() const { return lockFree_; }
    GUIMenuWindow* GetLockHolder() const { return lockHolder_; }
    const std::vector<GUIMenuWindow*>& GetWindows() const { return windows_; }

private:
    GameData* data_;                         // not owned
    std::vector<GUIMenuWindow*> windows_;    // not owned
    bool lockFree_ = true;
    GUIMenuWindow* lockHolder_ = nullptr;
};

}  // namespace Morvane
