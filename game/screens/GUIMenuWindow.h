#pragma once
// The look half of every dialog-like window: a window built from its layout whose
// opening and closing play as animations, one window at a time. Show(true) files an
// opening that the menu-window manager grants once no other window holds its animation
// lock; the window then shows its controls and plays the appear sound "09" on the first
// frame in which "/window" is visible. Show(false) starts the controls' hide
// transitions; the lock goes once the animated frame "/window_animated" has finished,
// "/window" has hidden and the "/title" has printed to its end. A window closed before
// its opening was granted withdraws the opening: it never shows nor takes the lock.
//
// The optional controls "/window_animated", "/window", "/title" and "/window/text" are
// looked up at construction; "/window" is drawn from both sides.
//
// A game window derives from its framework window base first and from this second; its
// one Update calls both bases' Update, then acts only while IsShown.

#include <string>

#include "gui_tools/GUIWindowBase.h"

namespace GameFramework {
class AudioManager;
}

namespace GUITools {
class GUITextControl;
class GUIToolManager;
class GUIWindowControl;
}  // namespace GUITools

namespace Morvane {

class GameData;
class GUIMenuWindowManager;

class GUIMenuWindow : public GUITools::GUIWindowBase {
public:
    static constexpr const char* kAppearSound = "09";

    // Registers with the manager, which also sets up the additional logos.
    GUIMenuWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                  GUIMenuWindowManager* manager, Vantor::GUIWindow* parent, const std::string& layoutName);
    // Leaves the manager, freeing the lock when it holds it.
    ~GUIMenuWindow() override;

    void Update() override {}
    void Show(bool show) override;
    // Open and its root visible: false while the opening waits and from Show(false) on.
    bool IsShown() const;
    bool IsOpen() const { return open_; }
    // The manager's per-frame step: grant, the controls' update, finish closing, appear sound.
    void UpdateWindow();

protected:
    // The full name of the control at the path below the layout.
    std::string Path(const std::string& path) const { return GetLayoutName() + path; }

    GameFramework::AudioManager* audio_;  // not owned
    GameData* data_;                      // not owned
    GUIMenuWindowManager* manager_;       // not owned
    GUITools::GUIWindowControl* animatedWindow_ = nullptr;
    GUITools::GUIWindowControl* window_ = nullptr;
    GUITools::GUITextControl* title_ = nullptr;
    GUITools::GUITextControl* text_ = nullptr;

private:
    bool ClosingFinished() const;

    bool appearSoundDue_ = false;
    bool open_ = false;
    bool openRequest_ = false;
};

}  // namespace Morvane
