#pragma once
// The hints of the in-day tutorial: a text box with the hint's text and a mouse picture,
// an animated arrow turned towards the room element concerned with a small left-button
// picture beside it, and a small right-button picture that can follow the cursor. The
// day's tutorial script decides when a hint starts and ends and which room elements take
// input meanwhile; this window shows hints 1 to 22 at their fixed places and follows the
// record's pending bits: bit 0 shows the right-button picture at the cursor, bit 1 hides
// the arrow. It reports no result.

#include <memory>

#include "engine/kernel/Vector2.h"
#include "framework/windows/GUITutorialWindowBase.h"
#include "game/screens/TurnedArrow.h"
#include "gui_tools/GUIWindowBase.h"

namespace GameFramework {
class AudioManager;
}

namespace GUITools {
class GUITextControl;
class GUIWindowControl;
}  // namespace GUITools

namespace Morvane {

class GameData;
class GUIParticlesEffect;

class GUITutorialWindow : public GameFramework::GUITutorialWindowBase, public GUITools::GUIWindowBase {
public:
    static constexpr const char* kLayout = "window_tutorial";
    static constexpr const char* kHintSound = "21";
    static constexpr int kFirstHint = 1;
    static constexpr int kLastHint = 22;
    // The hints whose right-button picture the window places itself.
    static constexpr int kFollowingHint = 18;
    static constexpr int kFixedHint = 21;
    // Pending bits of the tutorial record.
    static constexpr int kRightButtonBit = 0;
    static constexpr int kArrowDoneBit = 1;

    GUITutorialWindow(GameFramework::Tutorial* tutorial, GameFramework::AudioManager* audio, GameData* data,
                      GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent);
    ~GUITutorialWindow() override;

    void Update() override;
    // Shows the record's current hint; a hint outside 1 to 22 ends the run.
    void Open() override;
    void Close() override;

    GUITools::GUIWindowControl& GetArrow() const { return arrow_.GetControl(); }
    float GetArrowAngle() const { return arrow_.GetAngle(); }
    GUITools::GUIWindowControl& GetBoxMouse() const { return boxMouse_; }
    GUITools::GUIWindowControl& GetLeftButton() const { return leftButton_; }
    GUITools::GUIWindowControl& GetRightButton() const { return rightButton_; }
    GUITools::GUIWindowControl& GetTextBox() const { return textBox_; }
    GUITools::GUITextControl& GetText() const { return text_; }
    const GUIParticlesEffect& GetDecoration() const { return *decoration_; }
    const Vantor::Vector2& GetRightButtonOffset() const { return rightOffset_; }

private:
    // Row n of the hint table: positions, angle, offset, text and the icons it enables.
    void ShowHint(int hint);
    void UpdateRightButton(int hint);
    Vantor::Vector2 AtCursor() const;

    GameFramework::AudioManager* audio_;  // not owned
    TurnedArrow arrow_;
    GUITools::GUIWindowControl& boxMouse_;     // the window's, as are the others
    GUITools::GUIWindowControl& leftButton_;
    GUITools::GUIWindowControl& rightButton_;
    GUITools::GUIWindowControl& textBox_;
    GUITools::GUITextControl& text_;
    bool soundPending_ = false;
    std::unique_ptr<GUIParticlesEffect> decoration_;
    Vantor::Vector2 rightOffset_{0.0f, 0.0f};
};

}  // namespace Morvane
