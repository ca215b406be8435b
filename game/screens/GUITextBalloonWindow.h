#pragma once
// The speech balloon of a story character: a balloon picture with lines of text, and
// the prompt "common/hit_mouse_button" at the bottom of the screen. After an optional
// delay it plays its appear sound and fades in; it closes on a click, on one of its
// answer lines being clicked (keeping that line's value in `result`), when its owner
// asks (with `keepOpen`) or when the balloon it follows (`leader`) closes; then it fades
// out and empties itself, ready for the next showing.
//
// A dialogue step: wait until `active` is false; set `leader` or `keepOpen` when
// needed; add the lines; Show; Update every frame; once `active` is false again, read
// `result`. Lines added while the balloon is still active are never shown: they go with
// the others when its fade-out ends.

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Vector2.h"
#include "game/screens/BalloonKind.h"

namespace GameFramework {
class AudioManager;
}

namespace GameTools {
class DataKeeper;
}

namespace GUITools {
class GUIFontTool;
class GUITextControl;
class GUITextTool;
class GUIToolManager;
}  // namespace GUITools

namespace Vantor {
class GUIButton;
class GUIWindow;
}  // namespace Vantor

namespace Morvane {

class GUITextBalloonWindow {
public:
    static constexpr const char* kAppearEffect = "20";
    // Alpha per second, both ways.
    static constexpr float kFadeSpeed = 2.2f;
    // A click counts only once the balloon is more than half faded in.
    static constexpr float kClickableAlpha = 0.5f;
    static constexpr int kHintOrder = 100;
    // No answer line added since the last Show.
    static constexpr float kNoChoiceFontSize = 100000.0f;

    // The pointers are not owned. The balloon model is "ui/characters/" + character name
    // + the kind's suffix. With the hint control the prompt fades as a text control,
    // else it is printed in every frame.
    GUITextBalloonWindow(GameFramework::AudioManager* audio, GameTools::DataKeeper* data,
                         GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent, const std::string& character,
                         BalloonKind kind, bool useHintControl);
    virtual ~GUITextBalloonWindow();
    GUITextBalloonWindow(const GUITextBalloonWindow&) = delete;
    GUITextBalloonWindow& operator=(const GUITextBalloonWindow&) = delete;

    // Adds a line of the text, placed at the position in the text area with the text
    // area's size scaled by the relative size. A choice value other than 0 makes it an
    // answer line that closes the balloon with that value when clicked.
    void SetText(const std::string& horizontalAlignment, const std::string& verticalAlignment, bool multiline,
                 const Vantor::Vector2& position, const Vantor::Vector2& relativeSize, const std::wstring& text,
                 int choice);
    // The same with the localised text of the key.
    void SetTextKey(const std::string& horizontalAlignment, const std::string& verticalAlignment, bool multiline,
                    const Vantor::Vector2& position, const Vantor::Vector2& relativeSize, const std::string& key,
                    int choice);
    // Starts a showing after the delay in seconds; answers share their smallest size.
    void Show(float delay);
    // Once per frame while the balloon may be up.
    void Update();
    // The two balloons of a conversation that are in use (either may be null), the one
    // the other follows first, so that a follower sees its leader's closing in the same
    // frame.
    static void UpdateInTurn(GUITextBalloonWindow* one, GUITextBalloonWindow* other);

    Vantor::GUIWindow* GetBalloonWindow() const { return balloonWindow_; }
    Vantor::GUIWindow* GetTextArea() const { return textArea_; }
    Vantor::GUIWindow* GetHintWindow() const { return hintWindow_; }
    GUITools::GUITextControl* GetHintControl() const { return hintControl_.get(); }
    const std::vector<std::unique_ptr<GUITools::GUITextControl>>& GetLines() const { return lines_; }
    const std::vector<Vantor::GUIButton*>& GetChoiceButtons() const { return choiceButtons_; }

    // True from Show until the fade-out has ended.
    bool active = false;
    // Up, or coming up; false once closing.
    bool shown = false;
    // The value of the answer that closed the balloon, 0 when it closed otherwise.
    int result = 0;
    // This balloon closes as soon as the leader no longer is shown.
    GUITextBalloonWindow* leader = nullptr;
    // Clicks are ignored and no prompt shows: only closeRequested closes the balloon.
    bool keepOpen = false;
    bool closeRequested = false;

private:
    // The prompt as a fading text control, under the hint window.
    void MakeHintControl();
    // The value of the answer clicked in this frame, 0 for none; hovered answers light up.
    int ChooseAnswer(float alpha);
    bool WantsToClose(float alpha, int chosen) const;
    // Starts the fade-out with the result.
    void Close(int value);
    // After the fade-out: the balloon is hidden and empty again.
    void Empty();
    bool UsesHint() const { return !hasChoices_ && !keepOpen && !leader; }

    GameFramework::AudioManager* audio_;  // not owned
    GameTools::DataKeeper* data_;          // not owned
    GUITools::GUIToolManager* tools_;
    GUITools::GUIFontTool* fontTool_;      // the tool manager's
    GUITools::GUITextTool* textTool_;      // the tool manager's
    float showDelay_ = 0.0f;
    bool useHintControl_;
    bool hintPending_ = false;
    std::unique_ptr<GUITools::GUITextControl> hintControl_;
    Vantor::GUIWindow* balloonWindow_;  // the GUI manager's, as are the two below
    Vantor::GUIWindow* textArea_;
    Vantor::GUIWindow* hintWindow_;
    std::vector<std::unique_ptr<GUITools::GUITextControl>> lines_;
    std::vector<int> choiceValues_;
    std::vector<Vantor::GUIButton*> choiceButtons_;  // the GUI manager's; null for a plain line
    bool hasChoices_ = false;
    float choiceFontSize_ = kNoChoiceFontSize;
    bool playSound_ = false;
};

}  // namespace Morvane
