#pragma once
// House building between days, a conversation over the house picture between the
// builder (balloons on the left) and the girl (balloons on the right). The first visit
// introduces the building; later visits offer to build or to leave. Building lists at
// most three upgrades whose parts stand already, with their costs, as answers in the
// girl's balloon; a chosen one is paid, recorded in the profile, revealed on the house
// and changes the café's mood. When the last one stands, a hundred toy balloons fly up.
// Every visit ends with the prompt to click, and the click reports GoToStart; closed,
// the window fades the prompt and the house out and then rests until the next Open.
// Everything is made in code: the window has no layout.

#include <memory>
#include <string>
#include <vector>

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {
class AudioManager;
}

namespace GUITools {
class GUIToolManager;
}

namespace Vantor {
class GUIWindow;
class Model;
}  // namespace Vantor

namespace Morvane {

class GameData;
class Profile;
class GUICharacterWindow;
class GUIGameCursor;
class GUITextBalloonWindow;
class HouseBackground;
struct HouseUpgradeInfo;
class ProfileManager;

class GUIHouseWindow : public GameFramework::GUIFrameworkWindow {
public:
    // The dialogue's states; 4 and 7 both end in the offer list or the leaving.
    enum State : int {
        kFirstHello = 0,
        kGirlHello = 1,
        kWorkerBuild = 2,
        kWorkerBuildMore = 3,
        kFirstOffer = 4,
        kLaterHello = 5,
        kWorkerAsks = 6,
        kGirlAnswers = 7,
        kEnding = 8,
        kChoosing = 9,
        kNoMoney = 10,
        kBuilt = 11,
        kWorkerAllDone = 12,
        kGirlAllDone = 13,
    };

    static constexpr int kRootOrder = 50;
    static constexpr unsigned int kToyBalloonCount = 100;
    static constexpr int kToyBalloonVariants = 4;
    static constexpr unsigned int kMaxOffers = 3;
    static constexpr float kHelloDelay = 1.5f;
    static constexpr float kBuildDoneDelay = 1.9f;
    // In state 8, after the last toy balloon has gone up.
    static constexpr float kEndingDelay = 1.2f;
    // The closing fade at which the prompt starts to show and a click counts.
    static constexpr float kPromptStart = 0.2f;
    static constexpr float kPromptSpan = 0.85f;
    static constexpr float kMaxClosingFade = 1.05f;
    static constexpr float kMinReleaseGap = 0.01f;
    static constexpr float kMaxReleaseGap = 0.15f;
    // A toy balloon fades in over this many frames of its animation.
    static constexpr float kToyBalloonFadeFrames = 5.0f;

    // Nothing is owned but what is made here, under a root window below the parent.
    GUIHouseWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                   GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent, GUIGameCursor* cursor);
    ~GUIHouseWindow() override;

    void Open(GameFramework::WindowId source) override;
    void Update() override;
    // The prompt and the house then fade out over the next frames.
    void Close() override;

    int GetState() const { return state_; }
    float GetClosingFade() const { return closingFade_; }
    HouseBackground& GetBackground() const { return *background_; }
    Vantor::GUIWindow* GetRootWindow() const { return root_; }
    Vantor::GUIWindow* GetLayerWindow() const { return layer_; }
    GUICharacterWindow& GetWorker() const { return *worker_; }
    GUICharacterWindow& GetGirl() const { return *girl_; }
    // The balloons in use, or null.
    GUITextBalloonWindow* GetWorkerBalloon() const { return workerBalloon_; }
    GUITextBalloonWindow* GetGirlBalloon() const { return girlBalloon_; }
    const std::vector<const HouseUpgradeInfo*>& GetOffers() const { return offers_; }
    // The upgrades the girl offers, in the data's order: not built, every part built, at most three.
    static std::vector<const HouseUpgradeInfo*> OffersFor(const Profile& profile, const GameData& data);
    const std::vector<Vantor::Model*>& GetToyBalloons() const { return toyBalloons_; }
    // Equal to the count while no toy balloon waits to go up.
    unsigned int GetNextToyBalloon() const { return nextToyBalloon_; }

private:
    void MakeToyBalloons();
    bool AllBuilt() const;
    // The balloon in use becomes the balloon, with the line of the key, shown after the delay.
    void Say(GUITextBalloonWindow*& inUse, GUITextBalloonWindow& balloon, const char* key, float delay = 0.0f) const;
    void Stand();
    void Leave();
    void UpdateEnding(float frameTime);
    // At most one step of the conversation.
    void Converse();
    void OfferUpgrades();
    void Choose();
    void Build(const HouseUpgradeInfo& upgrade);
    void ReleaseToyBalloons(float frameTime);
    void UpdateToyBalloons();
    void UpdateClosing();
    static bool IsTalking(const GUITextBalloonWindow* balloon);

    ProfileManager* profiles_;          // not owned
    GameFramework::AudioManager* audio_;  // not owned
    GameData* data_;                    // not owned
    GUITools::GUIToolManager* tools_;   // not owned
    GUIGameCursor* cursor_;             // not owned
    Vantor::GUIWindow* root_;           // the GUI manager's
    std::unique_ptr<HouseBackground> background_;
    Vantor::GUIWindow* layer_;  // the GUI manager's
    bool open_ = false;
    float closingFade_ = 0.0f;
    bool backgroundHiding_ = false;
    int state_ = kEnding;
    std::unique_ptr<GUICharacterWindow> worker_;
    std::unique_ptr<GUICharacterWindow> girl_;
    std::unique_ptr<GUITextBalloonWindow> workerSmall_;
    std::unique_ptr<GUITextBalloonWindow> workerBig_;
    GUITextBalloonWindow* workerBalloon_ = nullptr;
    std::unique_ptr<GUITextBalloonWindow> girlSmall_;
    std::unique_ptr<GUITextBalloonWindow> girlBig_;
    std::unique_ptr<GUITextBalloonWindow> girlVeryBig_;
    GUITextBalloonWindow* girlBalloon_ = nullptr;
    float endingTimer_ = 0.0f;
    float releaseTimer_ = 0.0f;
    unsigned int nextToyBalloon_ = kToyBalloonCount;
    std::vector<Vantor::Model*> toyBalloons_;  // registered with the model manager
    std::vector<const HouseUpgradeInfo*> offers_;  // the game data's
};

}  // namespace Morvane
