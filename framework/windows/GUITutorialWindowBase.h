#pragma once
// The logic of the tutorial hint window. It reports no result: it follows the tutorial
// record, opening when a hint's delay has run out, blocking the GUI's mouse input while
// the hint waits, and making the record ready again once the input is released.

namespace GameFramework {

class Tutorial;

class GUITutorialWindowBase {
public:
    explicit GUITutorialWindowBase(Tutorial* tutorial) : tutorial_(tutorial) {}
    virtual ~GUITutorialWindowBase() = default;
    GUITutorialWindowBase(const GUITutorialWindowBase&) = delete;
    GUITutorialWindowBase& operator=(const GUITutorialWindowBase&) = delete;

    virtual void Update();
    virtual void Open() { showing_ = true; }
    // Also releases the GUI input.
    virtual void Close();

    Tutorial* GetTutorial() const { return tutorial_; }
    bool IsShowing() const { return showing_; }

private:
    Tutorial* tutorial_;  // not owned
    bool showing_ = false;
};

}  // namespace GameFramework
