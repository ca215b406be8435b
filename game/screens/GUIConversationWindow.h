#pragma once
// A short scripted conversation between a story character (the speaker) and the girl
// in a menu window: the layout's title shows the coming day ("%DAY%"), both portraits
// fade in, four balloons follow in turn (the speaker's from the right, the girl's from
// the left, each clicked away), the "stand" pictures take over with the third, both
// portraits fade out after the fourth, and 1.2 s later the window reports GoToStart in
// every frame until the game closes it. The script decides the layout, the speaker's
// pictures and the texts; the meeting and the mechanic's first visit are two scripts.

#include <memory>

#include "framework/GUIFrameworkWindow.h"
#include "game/screens/ConversationScript.h"
#include "game/screens/GUIMenuWindow.h"

namespace Morvane {

class GUICharacterWindow;
class GUITextBalloonWindow;
class ProfileManager;

class GUIConversationWindow : public GameFramework::GUIFrameworkWindow, public GUIMenuWindow {
public:
    static constexpr int kGroupOrder = 80;
    static constexpr float kFirstBalloonDelay = 1.0f;
    // After the portraits start to fade out.
    static constexpr float kEndDelay = 1.2f;
    static constexpr int kLastStep = 5;

    // Nothing is owned but the portraits and balloons made here, under a group window
    // below the parent.
    GUIConversationWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                          GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent,
                          const ConversationScript& script);
    ~GUIConversationWindow() override;

    void Open(GameFramework::WindowId source) override;
    void Update() override;
    void Close() override;

    int GetStep() const { return step_; }
    GUICharacterWindow& GetSpeaker() const { return *speaker_; }
    GUICharacterWindow& GetGirl() const { return *girl_; }
    GUITextBalloonWindow& GetSpeakerBalloon() const { return *speakerBalloon_; }
    GUITextBalloonWindow& GetGirlBalloon() const { return *girlBalloon_; }

private:
    // The script's next step once the balloon before it has gone; at most one a frame.
    void Advance();
    // The balloon in use, filled with the text of the key and shown after the delay.
    void Say(GUITextBalloonWindow*& inUse, GUITextBalloonWindow& balloon, const char* key, float delay);
    static bool IsTalking(const GUITextBalloonWindow* balloon);

    ProfileManager* profiles_;  // not owned
    const ConversationScript& script_;
    Vantor::GUIWindow* group_;  // the GUI manager's
    std::unique_ptr<GUICharacterWindow> speaker_;
    std::unique_ptr<GUICharacterWindow> girl_;
    std::unique_ptr<GUITextBalloonWindow> speakerBalloon_;
    GUITextBalloonWindow* speakerInUse_ = nullptr;
    std::unique_ptr<GUITextBalloonWindow> girlBalloon_;
    GUITextBalloonWindow* girlInUse_ = nullptr;
    int step_ = 0;
    float endTimer_ = 0.0f;
};

}  // namespace Morvane
