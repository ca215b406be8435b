#pragma once
// The window between working days: the café's class (five stars that fill with every
// three machines), the qualification (seven stars and a bar towards the next level),
// the mood with the building status, and the money; the owner and the girl beside it
// with their speech balloons; and the buttons back, play, build and upgrade.
//
// Each opening draws the displays from the profile, counting up from the values before
// the day, the purchase or the building; tells the first story event due, once, in a
// dialogue of as many steps as the text table holds; and otherwise advises building,
// buying a machine or playing, with a particle hint, the arrow and a wish of the girl.
// The story's progress lives in the profile's flags, saved as soon as one is set.
// Sources that do not show the window only forward a result. In cheat mode F1 to F6
// change money, qualification and mood ("LSHIFT" takes away).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/windows/GUIStartGameLogicWindowBase.h"
#include "game/screens/CountUp.h"
#include "game/screens/GUIMenuWindow.h"
#include "game/screens/TurnedArrow.h"

namespace GUITools {
class GUIControl;
}

namespace Vantor {
class AnimationControl;
class GUIButton;
class ParticleSystem;
}  // namespace Vantor

namespace Morvane {

class GameData;
class GUICharacterWindow;
class GUIParticlesEffect;
class GUITextBalloonWindow;
class Profile;
class ProfileManager;

class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_start_game";
    static constexpr int kGroupOrder = 80;
    static constexpr int kQualificationStars = 7;
    static constexpr int kCafeStars = 5;
    static constexpr unsigned kMachinesPerClass = 3;
    static constexpr unsigned kAllMachines = 15;
    static constexpr int kTripMoney = 5000;
    // Texts at least this long take the long balloon.
    static constexpr std::size_t kOwnerLongText = 42;
    static constexpr std::size_t kGirlLongText = 40;
    // Days played in a row against the advice before play is locked.
    static constexpr int kPlaysAgainstAdvice = 2;
    static constexpr float kStarPause = 1.0f;

    // What ShowGirlWish points the player at.
    enum class Advice { Play, Upgrade, Build };
    // The advice for the profile, from its flags, money, qualification and mood.
    static Advice AdviceFor(const Profile& profile, const GameData& data);
    // Sound effects.
    static constexpr const char* kMoneySound = "13";
    static constexpr const char* kCafeSound = "14";
    static constexpr const char* kQualificationSound = "15";
    static constexpr const char* kNewCafeClassSound = "16";
    static constexpr const char* kNewQualificationSound = "17";
    static constexpr const char* kMoodUpSound = "18";
    static constexpr const char* kMoodDownSound = "19";

    // Where the arrow points.
    enum ArrowTarget : int { kNoArrow = 0, kCafeArrow, kQualificationArrow, kMoodArrow, kUpgradeArrow, kBuildArrow };

    // Every control the window draws is required of the layout. Nothing is owned but the
    // portraits, balloons, effects and bursts made here under a group window.
    GUIStartGameLogicWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                            GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);
    ~GUIStartGameLogicWindow() override;

    void Open(GameFramework::WindowId source) override;
    void Update() override;
    void Close() override;

    static unsigned GetCafeClass(unsigned machines) { return machines / kMachinesPerClass; }
    unsigned GetQualificationLevel(unsigned points) const;

    // Each display drawn from its count's shown value. Instant sets the stars at once;
    // otherwise a star that fills starts its count's pause and a burst.
    void UpdateMoney();
    void UpdateMood();
    void UpdateQualification(bool instant);
    void UpdateCafeClass(bool instant);
    // Moves the arrow towards the wanted target, one fade at a time.
    void UpdateArrow();
    // The advice: building, buying a machine or playing.
    void ShowGirlWish();

    const CountUp& GetCafeCount() const { return cafe_; }
    const CountUp& GetMoneyCount() const { return money_; }
    const CountUp& GetQualificationCount() const { return qualification_; }
    const CountUp& GetMoodCount() const { return mood_; }
    GUICharacterWindow& GetOwner() const { return *owner_; }
    GUICharacterWindow& GetGirl() const { return *girl_; }
    GUITextBalloonWindow& GetOwnerShortBalloon() const { return *ownerShort_; }
    GUITextBalloonWindow& GetOwnerLongBalloon() const { return *ownerLong_; }
    GUITextBalloonWindow& GetGirlShortBalloon() const { return *girlShort_; }
    GUITextBalloonWindow& GetGirlLongBalloon() const { return *girlLong_; }
    GUITextBalloonWindow* GetOwnerBalloon() const { return ownerBalloon_; }
    GUITextBalloonWindow* GetGirlBalloon() const { return girlBalloon_; }
    GUIParticlesEffect& GetPlayHint() const { return *playHint_; }
    GUIParticlesEffect& GetUpgradeHint() const { return *upgradeHint_; }
    GUIParticlesEffect& GetBuildHint() const { return *buildHint_; }
    GUIParticlesEffect& GetMoodGoodHint() const { return *moodGoodHint_; }
    GUIParticlesEffect& GetMoodBadHint() const { return *moodBadHint_; }
    GUIParticlesEffect& GetQualificationHint() const { return *qualificationHint_; }
    GUIParticlesEffect& GetCafeHint(int star) const { return *cafeHints_[static_cast<std::size_t>(star)]; }
    Vantor::ParticleSystem* GetCafeBurst() const { return cafeBurst_; }
    Vantor::ParticleSystem* GetQualificationBurst() const { return qualificationBurst_; }
    GUITools::GUIWindowControl& GetArrow() const { return arrow_->GetControl(); }
    int GetArrowTarget() const { return arrowTarget_; }
    int GetArrowWantedTarget() const { return arrowWanted_; }
    float GetArrowAngle() const { return arrow_->GetAngle(); }
    bool IsDialogueRunning() const { return dialogueRunning_; }
    const std::string& GetEventName() const { return eventName_; }
    unsigned GetDialogueStep() const { return dialogueStep_; }
    bool IsBuildSuggested() const { return buildSuggested_; }
    bool IsUpgradeSuggested() const { return upgradeSuggested_; }
    bool IsPlayLocked() const { return playLocked_; }

private:
    struct Star {
        GUITools::GUIWindowControl* star;
        GUITools::GUIWindowControl* full;
    };

    void LookUpControls();
    void MakeCafeStars();
    void MakeQualificationStars();
    // An effect of the table, placed at the control.
    std::unique_ptr<GUIParticlesEffect> MakeEffect(const std::string& model, const std::string& particles,
                                                   const GUITools::GUIControl& place, float speed) const;
    // A silent copy of the particle system "ui/" + name, drawn in front of the group.
    Vantor::ParticleSystem* MakeBurst(const std::string& name) const;
    // The burst played once over the star, shifted by its model's centre.
    void PlayBurst(Vantor::ParticleSystem& burst, const std::string& name, const GUITools::GUIControl& star) const;
    // The control's model animation, driven here only: stopped, not looping.
    Vantor::AnimationControl* TakeOverAnimation(GUITools::GUIControl& control) const;

    // Open's parts.
    void StartCounts(const Profile& profile, GameFramework::WindowId source, bool& cafeClassChanged,
                     bool& qualificationChanged);
    void TellStory(Profile& profile, bool cafeClassChanged, bool qualificationChanged);
    void StartDialogue(const std::string& event);
    // The owner in the picture, with the text in a balloon kept open until the player leaves.
    void OwnerSays(GUITextBalloonWindow& balloon, const std::wstring& text, const char* portrait);
    void SaveFlag(Profile& profile, std::uint32_t flag) const;
    bool AllHouseUpgradesBuilt(const Profile& profile) const;
    // Advice's parts.
    static void FindMachine(const Profile& profile, const GameData& data, bool& unlocked, bool& affordable);
    static bool HouseAffordable(const Profile& profile, const GameData& data);
    // A girl's static balloon with the key, unless her balloon in use is still up.
    void GirlWishes(const char* key);

    // Update's parts.
    bool StepBalloons();
    void TellDialogueStep(bool stepFinished);
    // The speaker's next key shown in one of their balloons; false when the table lacks it.
    bool Speak(const std::string& speaker, GUITextBalloonWindow*& inUse, GUITextBalloonWindow& shortBalloon,
               GUITextBalloonWindow& longBalloon, std::size_t longText);
    void EndDialogue();
    bool ReadButtons();
    void Leave();
    void UpdateEffects();
    void ReadCheatKeys();

    // The count-up step.
    void CountUps();
    void CountCafe(float frameTime);
    void CountMoney(float frameTime);
    void CountQualification(float frameTime);
    void CountMood(float frameTime);

    void PlayWhenSilent(const char* sound) const;
    // Enabled and shown with its show action, inside a window already up.
    void EnableAndShow(GUITools::GUIControl& control);
    void SetBarFill(Vantor::AnimationControl* bar, float fill) const;
    void StopEveryEffect();
    // The base keeps the window opened from; a forwarded source is taken as none.
    void ForgetSource() { GUIFrameworkWindow::Open(GameFramework::WindowId{0}); }
    Profile& CurrentProfile() const;

    ProfileManager* profiles_;  // not owned
    GUITools::GUIControl* backButton_;
    GUITools::GUIControl* playButton_;
    GUITools::GUIControl* buildButton_;
    GUITools::GUIControl* upgradeButton_;
    Vantor::GUIButton* backClick_;
    Vantor::GUIButton* playClick_;
    Vantor::GUIButton* buildClick_;
    Vantor::GUIButton* upgradeClick_;
    GUITools::GUITextControl* buildTitle_;
    GUITools::GUITextControl* moneyText_;
    GUITools::GUIWindowControl* moodBar_;
    GUITools::GUITextControl* moodText_;
    GUITools::GUITextControl* buildingStatus_;
    std::vector<Star> qualificationStars_;
    GUITools::GUIWindowControl* qualificationPanel_;
    GUITools::GUIWindowControl* qualificationBar_;
    GUITools::GUITextControl* qualificationText_;
    GUITools::GUITextControl* qualificationMax_;
    std::unique_ptr<GUIParticlesEffect> qualificationHint_;
    Vantor::ParticleSystem* qualificationBurst_ = nullptr;  // the particle-system manager's
    // "/window/cafe_" + i: where each star's hint and burst play.
    std::vector<GUITools::GUIWindowControl*> cafeStars_;
    std::vector<GUITools::GUIWindowControl*> cafeBars_;
    std::vector<GUITools::GUIWindowControl*> cafeFullStars_;
    std::vector<Vantor::AnimationControl*> cafeBarAnimations_;
    std::vector<std::unique_ptr<GUIParticlesEffect>> cafeHints_;
    Vantor::ParticleSystem* cafeBurst_ = nullptr;  // the particle-system manager's
    Vantor::AnimationControl* moodBarAnimation_ = nullptr;
    Vantor::AnimationControl* qualificationBarAnimation_ = nullptr;
    std::unique_ptr<GUIParticlesEffect> moodGoodHint_;
    std::unique_ptr<GUIParticlesEffect> moodBadHint_;
    CountUp cafe_;
    CountUp money_;
    CountUp qualification_;
    CountUp mood_;
    bool qualificationClosed_ = false;
    Vantor::GUIWindow* group_;  // the GUI manager's
    std::unique_ptr<GUICharacterWindow> owner_;
    std::unique_ptr<GUICharacterWindow> girl_;
    std::unique_ptr<GUITextBalloonWindow> ownerShort_;
    std::unique_ptr<GUITextBalloonWindow> ownerLong_;
    GUITextBalloonWindow* ownerBalloon_ = nullptr;
    std::unique_ptr<GUITextBalloonWindow> girlShort_;
    std::unique_ptr<GUITextBalloonWindow> girlLong_;
    GUITextBalloonWindow* girlBalloon_ = nullptr;
    std::unique_ptr<GUIParticlesEffect> playHint_;
    std::unique_ptr<GUIParticlesEffect> upgradeHint_;
    std::unique_ptr<GUIParticlesEffect> buildHint_;
    std::unique_ptr<TurnedArrow> arrow_;
    int arrowTarget_ = kNoArrow;
    int arrowWanted_ = kNoArrow;
    bool dialogueRunning_ = false;
    std::string eventName_;
    unsigned dialogueStep_ = 0;
    bool moodSoundPending_ = false;
    bool noBuildWish_ = false;
    bool buildSuggested_ = false;
    bool upgradeSuggested_ = false;
    bool playLocked_ = false;
};

}  // namespace Morvane
