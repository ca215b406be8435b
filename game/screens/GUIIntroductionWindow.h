#pragma once
// The introduction comic, told once on the first run from the layout
// "window_introduction": pages of pictures that appear, fade and change panel by panel
// along a fixed script, and speech balloons that each wait for the player's press. The
// printed prompt follows the balloon text's fade; one page waits for a press under the
// prompt alone. Open puts the first page up and waits; Start runs the script, which
// ends by reporting Finished and stays idle on screen.
//
// Every control the script names is looked up at construction, so a layout that lacks
// one stops the game at start-up rather than in the middle of the story. The layout
// also needs a control outside the comic ("comics" not in its name): it stays enabled
// and keeps the root visible while every comic control comes and goes.

#include <string>

#include "framework/GUIFrameworkWindow.h"
#include "game/screens/IntroductionScript.h"
#include "gui_tools/GUIWindowBase.h"

namespace GameFramework {
class AudioManager;
}

namespace GUITools {
class GUIControl;
class GUITextControl;
class GUIWindowControl;
}  // namespace GUITools

namespace Morvane {

class GameData;

class GUIIntroductionWindow : public GameFramework::GUIFrameworkWindow, public GUITools::GUIWindowBase {
public:
    static constexpr const char* kLayout = "window_introduction";
    static constexpr const char* kComicMark = "comics";
    static constexpr const char* kBalloonSound = "20";
    static constexpr int kPrintOrder = 100;
    // A balloon takes no press before this, and the step goes on this long after one.
    static constexpr float kClickGuard = 0.5f;
    // The prompt page: the prompt fades in from here, a press jumps the timer to the
    // fade-out's start, and the page turns at the end.
    static constexpr float kPageHintStart = 1.5f;
    static constexpr float kPageHintFadeOut = 2.5f;
    static constexpr float kPageTurn = 3.6f;
    // The ending's fade-out of the last panel and of the first background.
    static constexpr float kEndingHideSpeed = 0.67f;
    static constexpr float kBackgroundHideOffset = 1.25f;

    // Nothing is owned but the layout's controls and the print window under the parent.
    GUIIntroductionWindow(GameFramework::AudioManager* audio, GameData* data,
                          GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent);
    ~GUIIntroductionWindow() override;

    // Both bases' per-frame update: nothing while the root is hidden.
    void Update() override;
    void Open(GameFramework::WindowId source) override;
    void Close() override;
    // Runs the script from its first step.
    void Start();

    int GetStep() const { return step_; }
    float GetTimer() const { return timer_; }
    Vantor::GUIWindow* GetPrintWindow() const { return printWindow_; }
    GUITools::GUITextControl& GetBalloonText() const { return balloonText_; }
    GUITools::GUIWindowControl& GetBalloonMouse() const { return balloonMouse_; }

private:
    // The current step's wait and, once it is over, its actions; at most one step a frame.
    void RunStep();
    bool WaitIsOver(const IntroductionScript::Step& step);
    bool BalloonClicked(const std::string& balloon);
    bool PromptPageClicked();
    void Act(const IntroductionScript::Action& action);
    void SayBalloon(const std::string& picture, const IntroductionScript::Balloon& balloon);
    void EndComic();
    void PrintPrompt(float alpha) const;
    GUITools::GUIControl& Control(const std::string& path) const;

    GameFramework::AudioManager* audio_;  // not owned
    GUITools::GUITextControl& balloonText_;
    GUITools::GUIWindowControl& balloonMouse_;
    Vantor::GUIWindow* printWindow_;  // the GUI manager's
    int step_ = 0;
    float timer_ = 0.0f;
    bool clicked_ = false;
};

}  // namespace Morvane
