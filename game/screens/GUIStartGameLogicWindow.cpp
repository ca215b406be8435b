#include "game/screens/GUIStartGameLogicWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "framework/AudioManager.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/ControlParts.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUIParticlesEffect.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

namespace {

using GameFramework::WindowId;
using GameFramework::WindowResult;

constexpr float kEpsilon = 0.0001f;
// Effects lie just in front of the group window.
constexpr float kEffectDepth = -0.0401f;
constexpr const char* kOwnerBase = "main_menu_npc";
constexpr const char* kGirlBase = "main_menu_girl";
constexpr const char* kBalloonCharacter = "main_menu";
constexpr const char* kOwnerLook = "owner_look";
constexpr const char* kOwnerStand = "owner_stand";
constexpr const char* kGirlStand = "girl_stand";
constexpr const char* kCafeBurst = "cafe_effect";
constexpr const char* kQualificationBurst = "experience_effect";
constexpr float kFirstStepDelay = 1.5f;
constexpr float kLaterStepDelay = 0.1f;
constexpr float kWishDelay = 1.2f;
// Mood levels are fifths of the scale; the last one reaches 1.
constexpr float kMoodLevelWidth = 0.2f;
constexpr int kTopMoodLevel = 4;
constexpr int kAllBuiltStatus = 5;
constexpr Vantor::Color kMoodColours[kTopMoodLevel + 1] = {{1.0f, 0.0f, 0.0f, 1.0f},
                                                           {1.0f, 127.0f / 255.0f, 0.0f, 1.0f},
                                                           {1.0f, 1.0f, 0.0f, 1.0f},
                                                           {127.0f / 255.0f, 1.0f, 0.0f, 1.0f},
                                                           {0.0f, 1.0f, 0.0f, 1.0f}};
// Below these moods the advice prefers building to buying, respectively to playing.
constexpr float kBuildBeforeBuying = 0.201f;
constexpr float kBuildBeforeUnlocked = 0.301f;
constexpr float kBuildBeforePlaying = 0.699f;

struct ArrowPlace {
    Vantor::Vector2 position;
    float angle;
};
// By target, from 1.
constexpr ArrowPlace kArrowPlaces[] = {{{191.0f, 355.0f}, 5.75f},
                                       {{191.0f, 234.0f}, 5.75f},
                                       {{191.0f, 134.0f}, 5.75f},
                                       {{558.0f, 119.0f}, 9.95f},
                                       {{558.0f, 147.0f}, 9.95f}};

struct CheatKey {
    const char* key;
    int step;
};
constexpr CheatKey kMoneyKeys[] = {{"F1", 1000}, {"F2", 100}, {"F3", 10}};
constexpr CheatKey kQualificationKeys[] = {{"F4", 100}, {"F5", 10}};

float Clamped01(float value) { return std::clamp(value, 0.0f, 1.0f); }
float Lerp(const CountUp& count, float p) { return (1.0f - p) * count.start + p * count.target; }
// A count's value as a whole number of machines or points; never below 0.
unsigned Whole(float value) { return value > 0.0f ? static_cast<unsigned>(value) : 0u; }

}  // namespace

GUIStartGameLogicWindow::GUIStartGameLogicWindow(GameFramework::AudioManager* audio, ProfileManager* profiles,
                                                 GameData* data, GUITools::GUIToolManager* tools,
                                                 GUIMenuWindowManager* manager, Vantor::GUIWindow* parent)
    : GUIMenuWindow(audio, data, tools, manager, parent, kLayout), profiles_(profiles) {
    LookUpControls();
    group_ = Vantor::GUIManager::Instance()->CreateEmptyWindow(Vantor::GUIWindow::kShown, parent);
    group_->SetOrder(kGroupOrder);
    MakeCafeStars();
    cafeBurst_ = MakeBurst(kCafeBurst);
    MakeQualificationStars();
    qualificationHint_ =
        MakeEffect("ui/progress_experience_hint", "progress_experience_hint", *qualificationPanel_, 4.0f);
    qualificationBurst_ = MakeBurst(kQualificationBurst);
    const RequiredControls required(*this);
    const GUITools::GUIControl& mood = required.Window("/window/mood_progress");
    moodGoodHint_ = MakeEffect("ui/progress_mood_good_hint", "progress_mood_good_hint", mood, 6.0f);
    moodBadHint_ = MakeEffect("ui/progress_mood_bad_hint", "progress_mood_bad_hint", mood, 6.0f);
    moodBarAnimation_ = TakeOverAnimation(*moodBar_);
    qualificationBarAnimation_ = TakeOverAnimation(*qualificationBar_);
    owner_ = std::make_unique<GUICharacterWindow>(data, group_, kOwnerBase);
    girl_ = std::make_unique<GUICharacterWindow>(data, group_, kGirlBase);
    ownerShort_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, group_, kBalloonCharacter,
                                                         BalloonKind::RightSmall, true);
    ownerLong_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, group_, kBalloonCharacter,
                                                        BalloonKind::RightBig, true);
    girlShort_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, group_, kBalloonCharacter,
                                                        BalloonKind::LeftSmall, true);
    // The girl's long texts fit her small balloon's shape too.
    girlLong_ = std::make_unique<GUITextBalloonWindow>(audio, data, tools, group_, kBalloonCharacter,
                                                       BalloonKind::LeftSmall, true);
    playHint_ = MakeEffect("ui/button_hint_play", "button_hint", *playButton_, 6.0f);
    upgradeHint_ = MakeEffect("ui/button_hint_upgrade", "button_hint", *upgradeButton_, 8.0f);
    buildHint_ = MakeEffect("ui/button_hint_build", "button_hint", *buildButton_, 8.0f);
    arrow_ = std::make_unique<TurnedArrow>(RequiredControls(*this).Window("/arrow"));
}

GUIStartGameLogicWindow::~GUIStartGameLogicWindow() {
    Vantor::GUIManager::Instance()->DestroyWindow(group_);
    ownerShort_.reset();
    ownerLong_.reset();
    girlShort_.reset();
    girlLong_.reset();
    owner_.reset();
    girl_.reset();
    cafeHints_.clear();
    Vantor::ParticleSystemManager* particles = Vantor::ParticleSystemManager::Instance();
    particles->ReleaseParticleSystem(cafeBurst_);
    qualificationHint_.reset();
    particles->ReleaseParticleSystem(qualificationBurst_);
    moodGoodHint_.reset();
    moodBadHint_.reset();
    playHint_.reset();
    upgradeHint_.reset();
    buildHint_.reset();
}

// --- Construction ---

void GUIStartGameLogicWindow::LookUpControls() {
    const RequiredControls required(*this);
    required.Text("/title");
    backButton_ = &required.Control("/window/back");
    backClick_ = &required.Button("/window/back");
    playButton_ = &required.Control("/window/play");
    playClick_ = &required.Button("/window/play");
    buildButton_ = &required.Control("/window/button_1");
    buildClick_ = &required.Button("/window/button_1");
    upgradeButton_ = &required.Control("/window/button_0");
    upgradeClick_ = &required.Button("/window/button_0");
    moneyText_ = &required.Text("/window/money/text");
    moodBar_ = &required.Window("/window/mood_progress/progress");
    moodText_ = &required.Text("/window/mood_progress/text");
    buildingStatus_ = &required.Text("/window/building_status");
    qualificationPanel_ = &required.Window("/window/experience_progress");
    qualificationBar_ = &required.Window("/window/experience_progress/progress");
    qualificationText_ = &required.Text("/window/experience_progress/text");
    qualificationMax_ = &required.Text("/window/experience_max");
    buildTitle_ = &required.Text("/window/button_1/title");
}

void GUIStartGameLogicWindow::MakeCafeStars() {
    const RequiredControls required(*this);
    for (int i = 0; i < kCafeStars; ++i) {
        const std::string star = "/window/cafe_" + std::to_string(i);
        cafeStars_.push_back(&required.Window(star));
        GUITools::GUIWindowControl& bar = required.Window(star + "/progress");
        cafeBars_.push_back(&bar);
        cafeBarAnimations_.push_back(TakeOverAnimation(bar));
        cafeFullStars_.push_back(&required.Window(star + "/full"));
        cafeHints_.push_back(MakeEffect("ui/cafe_hint", "cafe_hint", *cafeStars_.back(), 10.0f));
    }
}

void GUIStartGameLogicWindow::MakeQualificationStars() {
    const RequiredControls required(*this);
    for (int i = 0; i < kQualificationStars; ++i) {
        const std::string name = "/window/star_experience_" + std::to_string(i);
        Star star{&required.Window(name), &required.Window(name + "/full")};
        // The star's picture is chosen here: frame 0 empty, frame 1 full.
        for (GUITools::GUIWindowControl* control : {star.star, star.full}) {
            Vantor::AnimationControl* frames = ControlParts::FirstStageAnimation(*control);
            if (!frames) continue;
            frames->Stop();
            frames->SetSpeed(0.0f);
            frames->SetLoop(false);
            frames->SetPosition(control == star.full ? 1.0f : 0.0f);
        }
        qualificationStars_.push_back(star);
    }
}

std::unique_ptr<GUIParticlesEffect> GUIStartGameLogicWindow::MakeEffect(const std::string& model,
                                                                        const std::string& particles,
                                                                        const GUITools::GUIControl& place,
                                                                        float speed) const {
    return std::make_unique<GUIParticlesEffect>(data_, model, particles, place.GetPosition(), speed, *group_,
                                                kEffectDepth);
}

Vantor::ParticleSystem* GUIStartGameLogicWindow::MakeBurst(const std::string& name) const {
    Vantor::ParticleSystem* burst = Vantor::ParticleSystemManager::Instance()->CreateParticleSystemInstance(
        *data_->GetParticleSystem("ui/" + name));
    Vantor::Model& model = *burst->GetModel();
    model.SetCamera(Vantor::GUIManager::Instance()->GetCamera());
    model.SetFlags(Vantor::ModelFlags::kFixedDepth);
    model.SetDepth(group_->GetDepth() + kEffectDepth);
    burst->SetVisible(true);
    burst->Reset();
    return burst;
}

void GUIStartGameLogicWindow::PlayBurst(Vantor::ParticleSystem& burst, const std::string& name,
                                        const GUITools::GUIControl& star) const {
    const Vantor::Vector3& centre = data_->GetModel("ui/" + name)->GetBoundingBox().centre;
    const Vantor::Vector2& place = star.GetPosition();
    burst.SetPosition({place.x + centre.x, place.y + centre.y, 0.0f});
    burst.Start(false);
}

Vantor::AnimationControl* GUIStartGameLogicWindow::TakeOverAnimation(GUITools::GUIControl& control) const {
    Vantor::AnimationControl* animation = ControlParts::ModelAnimation(control);
    if (animation) {
        animation->SetLoop(false);
        animation->Stop();
    }
    control.ClearModelAnimation();
    return animation;
}

// --- Displays ---

unsigned GUIStartGameLogicWindow::GetQualificationLevel(unsigned points) const {
    return static_cast<unsigned>(data_->GetQualificationLevel(points));
}

void GUIStartGameLogicWindow::UpdateMoney() {
    moneyText_->SetParameter(L"MONEY", std::to_wstring(static_cast<int>(money_.shown)));
}

void GUIStartGameLogicWindow::UpdateMood() {
    const int level = std::clamp(static_cast<int>(mood_.shown / kMoodLevelWidth), 0, kTopMoodLevel);
    moodText_->SetText("start_game/mood_" + std::to_string(level));
    SetBarFill(moodBarAnimation_, mood_.shown);
    const int status = AllHouseUpgradesBuilt(CurrentProfile()) ? kAllBuiltStatus : level;
    buildingStatus_->SetText("start_game/building_status_" + std::to_string(status));
    buildingStatus_->colour = kMoodColours[level];
}

void GUIStartGameLogicWindow::UpdateQualification(bool instant) {
    const std::vector<unsigned int>& thresholds = data_->GetCharacter().qualificationThresholds;
    unsigned level = GetQualificationLevel(Whole(qualification_.shown));
    for (unsigned i = 0; i < kQualificationStars; ++i) {
        GUITools::GUIWindowControl& full = *qualificationStars_[i].full;
        if (instant) {
            EnableControl(full, i < level);
        } else if (i < level && !IsControlEnabled(full)) {
            EnableAndShow(full);
            qualification_.Pause();
            level = i + 1;
            qualification_.shown = static_cast<float>(thresholds[level]);
            PlayBurst(*qualificationBurst_, kQualificationBurst, *qualificationStars_[i].star);
        }
    }
    const bool counting = qualification_.running && !instant;
    // Without thresholds there is nothing left to reach either.
    if (level + 1 >= thresholds.size()) {
        if (counting) {
            if (qualificationPanel_->IsTargetShown()) {
                qualificationPanel_->Show(false, true);
                qualificationBar_->Show(false, true);
                qualificationText_->Show(false, true);
                qualificationClosed_ = true;
            }
            if (!qualificationMax_->IsTargetShown()) EnableAndShow(*qualificationMax_);
        } else {
            EnableControl(*qualificationPanel_, false);
            EnableControl(*qualificationMax_, true);
        }
        qualificationHint_->Stop(true);
        return;
    }
    if (!counting) {
        EnableControl(*qualificationPanel_, true);
        EnableControl(*qualificationMax_, false);
    }
    const float low = static_cast<float>(thresholds[level]);
    const float span = static_cast<float>(thresholds[level + 1]) - low;
    // A level whose next threshold is not above its own is as good as full.
    const float fill = span > 0.0f ? Clamped01((qualification_.shown - low) / span) : 1.0f;
    SetBarFill(qualificationBarAnimation_, fill);
    const float current = std::min(qualification_.shown - low, span);
    qualificationText_->SetParameter(L"CURRENT", std::to_wstring(static_cast<int>(current)));
    qualificationText_->SetParameter(L"NEXT", std::to_wstring(static_cast<int>(span)));
    if (!instant && fill > kEpsilon && std::fabs(qualification_.shown - qualification_.start) > kEpsilon &&
        !qualificationHint_->IsActive())
        qualificationHint_->Start();
}

void GUIStartGameLogicWindow::UpdateCafeClass(bool instant) {
    unsigned full = GetCafeClass(Whole(cafe_.shown));
    for (unsigned i = 0; i < kCafeStars; ++i) {
        GUIParticlesEffect& hint = *cafeHints_[i];
        float value = 0.0f;
        if (i == full) {
            value = (cafe_.shown - static_cast<float>(kMachinesPerClass * full)) / kMachinesPerClass;
        } else {
            value = i < full ? 1.0f : 0.0f;
            hint.Stop(false);
        }
        if (!instant && value > kEpsilon && std::fabs(cafe_.shown - cafe_.start) > kEpsilon && !hint.IsActive())
            hint.Start();
        SetBarFill(cafeBarAnimations_[i], value);
        GUITools::GUIWindowControl& star = *cafeFullStars_[i];
        if (instant) {
            EnableControl(star, i < full);
        } else if (i < full && !IsControlEnabled(star)) {
            hint.Stop(false);
            EnableAndShow(star);
            cafe_.Pause();
            full = i + 1;
            cafe_.shown = static_cast<float>(kMachinesPerClass * full);
            PlayBurst(*cafeBurst_, kCafeBurst, *cafeStars_[i]);
        }
    }
}

void GUIStartGameLogicWindow::SetBarFill(Vantor::AnimationControl* bar, float fill) const {
    if (!bar) return;
    const float lastFrame = static_cast<float>(std::max<std::uint32_t>(bar->GetFrameCount(), 1) - 1);
    bar->SetPosition(fill * lastFrame);
}

void GUIStartGameLogicWindow::UpdateArrow() {
    if (arrowTarget_ == arrowWanted_) return;
    GUITools::GUIWindowControl& arrow = arrow_->GetControl();
    if (arrow.IsTargetShown()) {
        arrow.Show(false, true);
        return;
    }
    if (arrow.IsShown()) return;
    arrowTarget_ = arrowWanted_;
    if (arrowTarget_ == kNoArrow) {
        EnableControl(arrow, false);
        return;
    }
    const ArrowPlace& place = kArrowPlaces[arrowTarget_ - 1];
    arrow.SetPosition(place.position);
    arrow_->SetAngle(place.angle);
    EnableAndShow(arrow);
}

void GUIStartGameLogicWindow::Close() {
    GUIFrameworkWindow::Close();
    if (qualificationClosed_) EnableControl(*qualificationPanel_, false);
    for (const char* sound : {kMoneySound, kCafeSound, kQualificationSound}) audio_->StopEffect(sound);
    StopEveryEffect();
    GUIMenuWindow::Show(false);
}

void GUIStartGameLogicWindow::StopEveryEffect() {
    for (const auto& hint : cafeHints_) hint->Stop(true);
    for (GUIParticlesEffect* effect :
         {moodGoodHint_.get(), moodBadHint_.get(), qualificationHint_.get(), playHint_.get(), upgradeHint_.get(),
          buildHint_.get()})
        effect->Stop(true);
}

void GUIStartGameLogicWindow::EnableAndShow(GUITools::GUIControl& control) {
    EnableControl(control, true);
    control.Show(true, true);
}

Profile& GUIStartGameLogicWindow::CurrentProfile() const { return *profiles_->GetCurrent(); }

bool GUIStartGameLogicWindow::AllHouseUpgradesBuilt(const Profile& profile) const {
    return profile.GetHouseUpgrades().size() == data_->GetHouseUpgrades().size();
}

// --- Opening ---

void GUIStartGameLogicWindow::Open(WindowId source) {
    GUIFrameworkWindow::Open(source);
    // The first update forwards these.
    if (source == WindowId::GameLogicRestart || source == WindowId::LevelComplete) return;
    if (source == WindowId::Mechanic) {
        ReportWhileOpening(WindowResult::GoToUpgrade);
        girl_->SetCharacter(kGirlStand);
        return;
    }
    if (!profiles_->GetCurrent()) {
        Vantor::MessageManager::Instance()->PrintError("The start of the day has no player to show");
        return;
    }
    Profile& profile = CurrentProfile();
    if (source == WindowId::MainMenu && profile.HasFlag(Profile::kFlagGameFinished)) {
        ReportWhileOpening(WindowResult::GoToResetProfile);
        return;
    }
    EnableControl(*playButton_, true);
    EnableControl(*backButton_, true);
    EnableControl(arrow_->GetControl(), false);
    arrowTarget_ = arrowWanted_ = kNoArrow;
    EnableControl(*buildingStatus_, profile.HasFlag(Profile::kFlagStartBuildTold));
    moodSoundPending_ = noBuildWish_ = buildSuggested_ = upgradeSuggested_ = playLocked_ = false;
    if (Vantor::Model* frame = window_ ? ControlParts::Model(*window_) : nullptr) {
        if (source == WindowId::Meeting) {
            frame->SetFlags(Vantor::ModelFlags::kCullCounterClockwise);
        } else {
            frame->ClearFlags(Vantor::ModelFlags::kCullCounterClockwise);
            frame->ClearFlags(Vantor::ModelFlags::kCullClockwise);
        }
    }
    if ((source == WindowId::MainMenu || source == WindowId::ResetProfile) &&
        !profile.HasFlag(Profile::kFlagMeetingShown)) {
        SaveFlag(profile, Profile::kFlagMeetingShown);
        ReportWhileOpening(WindowResult::GoToMeeting);
        return;
    }
    title_->SetParameter(L"DAY", std::to_wstring(profile.GetDay() + 1));
    if (source == WindowId::ContinueGameLogic) {
        if (profile.IsGameInProgress()) return;
        ForgetSource();
        source = WindowId{0};
    }
    bool cafeClassChanged = false;
    bool qualificationChanged = false;
    StartCounts(profile, source, cafeClassChanged, qualificationChanged);
    qualificationClosed_ = false;
    UpdateCafeClass(true);
    UpdateMoney();
    UpdateQualification(true);
    UpdateMood();
    buildTitle_->SetText(AllHouseUpgradesBuilt(profile) ? "start_game/home_done" : "start_game/home_build");
    if (source != WindowId::Upgrade && !profile.HasFlag(Profile::kFlagGameFinished)) girl_->SetCharacter(kGirlStand);
    dialogueRunning_ = false;
    TellStory(profile, cafeClassChanged, qualificationChanged);
    if ((buildSuggested_ || upgradeSuggested_) && profile.GetPlaysCounter() > kPlaysAgainstAdvice) {
        EnableControl(*playButton_, false);
        playLocked_ = true;
    }
    GUIMenuWindow::Show(true);
}

void GUIStartGameLogicWindow::StartCounts(const Profile& profile, WindowId source, bool& cafeClassChanged,
                                          bool& qualificationChanged) {
    const auto machines = static_cast<unsigned>(profile.GetMachines().size());
    const unsigned before = Whole(cafe_.start);
    if (source == WindowId::Upgrade && machines != before) {
        cafe_.Run(cafe_.start, static_cast<float>(machines));
        cafeClassChanged = GetCafeClass(machines) != GetCafeClass(before);
    } else {
        cafe_.Hold(static_cast<float>(machines));
    }
    const DayResult& day = profile.GetDayResult();
    const auto money = static_cast<float>(profile.GetMoney());
    if (source == WindowId::DayComplete && day.foodSales > 0)
        money_.Run(money - static_cast<float>(day.foodSales) - static_cast<float>(day.tips), money);
    else
        money_.Hold(money);
    const auto points = static_cast<float>(profile.GetQualification());
    qualification_.first = false;
    if (source == WindowId::DayComplete && day.tips > 0) {
        qualification_.Run(points - static_cast<float>(day.tips), points);
        qualificationChanged = GetQualificationLevel(static_cast<unsigned>(profile.GetQualification())) !=
                               GetQualificationLevel(Whole(qualification_.start));
    } else {
        qualification_.Hold(points);
    }
    const float mood = Clamped01(profile.GetMood());
    mood_.first = false;
    // After building the count starts where the build click left the mood.
    float moodBefore = mood;
    if (source == WindowId::House) moodBefore = mood_.start;
    if (source == WindowId::DayComplete) moodBefore = day.mood;
    if (std::fabs(mood - moodBefore) > kEpsilon) {
        mood_.Run(moodBefore, mood);
        moodSoundPending_ = true;
    } else {
        mood_.Hold(mood);
    }
}

void GUIStartGameLogicWindow::TellStory(Profile& profile, bool cafeClassChanged, bool qualificationChanged) {
    const std::vector<std::unique_ptr<MachineUpgradeInfo>>& forSale = data_->GetCharacter().machineUpgrades;
    const std::size_t machines = profile.GetMachines().size();
    const bool houseDone = AllHouseUpgradesBuilt(profile);
    const int money = profile.GetMoney();
    if (!profile.HasFlag(Profile::kFlagGreetingGiven)) {
        SaveFlag(profile, Profile::kFlagGreetingGiven);
        OwnerSays(*ownerShort_, textTool_->GetText("start_game/owner_first_play"), kOwnerLook);
        playHint_->Start();
        EnableControl(*buildButton_, false);
        EnableControl(*upgradeButton_, false);
    } else if (!profile.HasFlag(Profile::kFlagFirstUpgradeOffered) && forSale.size() > 1 &&
               money >= forSale[1]->cost) {
        // Without a second machine for sale the offer never comes.
        SaveFlag(profile, Profile::kFlagFirstUpgradeOffered);
        OwnerSays(*ownerLong_, textTool_->GetText("start_game/owner_upgrade_0"), kOwnerLook);
        upgradeHint_->Start();
        arrowWanted_ = kUpgradeArrow;
        EnableControl(*buildButton_, false);
        EnableControl(*upgradeButton_, true);
        EnableControl(*playButton_, false);
        playLocked_ = true;
    } else if (!profile.HasFlag(Profile::kFlagFirstUpgradeTold) && machines > 0) {
        SaveFlag(profile, Profile::kFlagFirstUpgradeTold);
        StartDialogue("first_upgrade");
        arrowWanted_ = kCafeArrow;
    } else if (!profile.HasFlag(Profile::kFlagStartBuildTold) && profile.HasFlag(Profile::kFlagHouseUnlocked)) {
        SaveFlag(profile, Profile::kFlagStartBuildTold);
        StartDialogue("start_build");
        arrowWanted_ = kMoodArrow;
        mood_.first = true;
        noBuildWish_ = true;
        playLocked_ = true;
    } else if (!profile.HasFlag(Profile::kFlagFirstBuildTold) && !profile.GetHouseUpgrades().empty()) {
        SaveFlag(profile, Profile::kFlagFirstBuildTold);
        StartDialogue("first_build");
        arrowWanted_ = kMoodArrow;
    } else if (!profile.HasFlag(Profile::kFlagLastUpgradeTold) && machines == kAllMachines) {
        SaveFlag(profile, Profile::kFlagLastUpgradeTold);
        StartDialogue(houseDone ? "cafe_last_upgrade_with_house" : "cafe_last_upgrade_without_house");
        if (houseDone) SaveFlag(profile, Profile::kFlagLastTaskOn);
    } else if (!profile.HasFlag(Profile::kFlagLastBuildTold) && houseDone) {
        SaveFlag(profile, Profile::kFlagLastBuildTold);
        StartDialogue(machines == kAllMachines ? "house_last_build_with_cafe" : "house_last_build_without_cafe");
        if (machines == kAllMachines) SaveFlag(profile, Profile::kFlagLastTaskOn);
    } else if (cafeClassChanged) {
        StartDialogue("cafe_class_changed_" + std::to_string(GetCafeClass(static_cast<unsigned>(machines))));
        arrowWanted_ = kCafeArrow;
    } else if (qualificationChanged) {
        StartDialogue("qualification_changed_" +
                      std::to_string(GetQualificationLevel(static_cast<unsigned>(profile.GetQualification()))));
        arrowWanted_ = kQualificationArrow;
        qualification_.first = true;
    } else if (!profile.HasFlag(Profile::kFlagLastTaskOn) || profile.HasFlag(Profile::kFlagGameFinished)) {
        ownerBalloon_ = girlBalloon_ = nullptr;
        EnableControl(*playButton_, true);
        EnableControl(*backButton_, true);
        ShowGirlWish();
    } else if (money < kTripMoney) {
        std::wstring text = textTool_->GetText("start_game/owner_last_task_prepare");
        Vantor::ReplaceAllNoCase(text, L"%MONEY%", std::to_wstring(kTripMoney - money));
        OwnerSays(*ownerShort_, text, kOwnerStand);
        ShowGirlWish();
    } else {
        SaveFlag(profile, Profile::kFlagGameFinished);
        StartDialogue("trip");
    }
}

void GUIStartGameLogicWindow::StartDialogue(const std::string& event) {
    dialogueRunning_ = true;
    eventName_ = event;
    dialogueStep_ = 0;
    ownerBalloon_ = girlBalloon_ = nullptr;
    for (GUITools::GUIControl* button : {playButton_, backButton_, buildButton_, upgradeButton_})
        EnableControl(*button, false);
}

void GUIStartGameLogicWindow::OwnerSays(GUITextBalloonWindow& balloon, const std::wstring& text,
                                        const char* portrait) {
    owner_->SetCharacter(portrait);
    ownerBalloon_ = &balloon;
    balloon.SetText("center", "center", true, {0.0f, 0.0f}, {1.0f, 1.0f}, text, 0);
    balloon.keepOpen = true;
    balloon.Show(kFirstStepDelay);
    girlBalloon_ = nullptr;
}

void GUIStartGameLogicWindow::SaveFlag(Profile& profile, std::uint32_t flag) const {
    profile.SetFlag(flag);
    profile.Save();
}

// --- Advice ---

void GUIStartGameLogicWindow::ShowGirlWish() {
    const Profile& profile = CurrentProfile();
    EnableControl(*buildButton_, profile.HasFlag(Profile::kFlagStartBuildTold));
    EnableControl(*upgradeButton_, profile.HasFlag(Profile::kFlagFirstUpgradeOffered));
    switch (AdviceFor(profile, *data_)) {
    case Advice::Build:
        buildSuggested_ = true;
        buildHint_->Start();
        arrowWanted_ = kBuildArrow;
        if (!noBuildWish_) GirlWishes("start_game/girl_want_build");
        break;
    case Advice::Upgrade:
        upgradeSuggested_ = true;
        upgradeHint_->Start();
        arrowWanted_ = kUpgradeArrow;
        GirlWishes("start_game/girl_want_upgrade");
        break;
    case Advice::Play:
        playHint_->Start();
        break;
    }
}

GUIStartGameLogicWindow::Advice GUIStartGameLogicWindow::AdviceFor(const Profile& profile, const GameData& data) {
    bool unlocked = false;
    bool affordable = false;
    FindMachine(profile, data, unlocked, affordable);
    const float mood = Clamped01(profile.GetMood());
    const bool noneBuilt = profile.GetHouseUpgrades().empty();
    const float buildBelow = affordable ? kBuildBeforeBuying : unlocked ? kBuildBeforeUnlocked : kBuildBeforePlaying;
    if (HouseAffordable(profile, data) && (mood < buildBelow || noneBuilt)) return Advice::Build;
    return affordable ? Advice::Upgrade : Advice::Play;
}

void GUIStartGameLogicWindow::FindMachine(const Profile& profile, const GameData& data, bool& unlocked,
                                          bool& affordable) {
    unlocked = affordable = false;
    if (!profile.HasFlag(Profile::kFlagFirstUpgradeOffered)) return;
    const int level = data.GetQualificationLevel(static_cast<unsigned>(profile.GetQualification()));
    const std::vector<std::string>& bought = profile.GetMachines();
    for (const std::unique_ptr<MachineUpgradeInfo>& machine : data.GetCharacter().machineUpgrades) {
        if (machine->cost == 0 || std::find(bought.begin(), bought.end(), machine->name) != bought.end()) continue;
        if (level < machine->qualification) continue;
        unlocked = true;
        if (profile.GetMoney() >= machine->cost) {
            affordable = true;
            break;
        }
    }
    // Right after a purchase a machine still out of reach is no reason to wait.
    const int day = profile.GetDay();
    const int lastPurchase = profile.GetLastMachineDay();
    if (!affordable && unlocked && (lastPurchase == day || lastPurchase + 1 == day)) unlocked = false;
}

bool GUIStartGameLogicWindow::HouseAffordable(const Profile& profile, const GameData& data) {
    if (!profile.HasFlag(Profile::kFlagStartBuildTold)) return false;
    for (const std::unique_ptr<HouseUpgradeInfo>& upgrade : data.GetHouseUpgrades()) {
        if (profile.IsHouseUpgradeBuilt(upgrade->name)) continue;
        const bool ready = std::all_of(upgrade->parts.begin(), upgrade->parts.end(),
                                       [&](const std::string& part) { return profile.IsHouseUpgradeBuilt(part); });
        if (ready && profile.GetMoney() >= upgrade->cost) return true;
    }
    return false;
}

void GUIStartGameLogicWindow::GirlWishes(const char* key) {
    if (girlBalloon_ && girlBalloon_->active) return;
    girlBalloon_ = girlShort_.get();
    girlBalloon_->SetTextKey("center", "center", true, {0.0f, 0.0f}, {1.0f, 1.0f}, key, 0);
    girlBalloon_->keepOpen = true;
    girlBalloon_->Show(kWishDelay);
}

// --- The frame ---

void GUIStartGameLogicWindow::Update() {
    GUIFrameworkWindow::Update();
    GUIMenuWindow::Update();
    const WindowId source = GetSource();
    if (source == WindowId::ContinueGameLogic || source == WindowId::GameLogicRestart) {
        Report(WindowResult::Play);
        ForgetSource();
        return;
    }
    if (source == WindowId::LevelComplete) {
        Report(WindowResult::GoToDayComplete);
        ForgetSource();
        return;
    }
    owner_->Update();
    girl_->Update();
    const bool stepFinished = StepBalloons();
    if (!IsVisible() || !IsShown()) return;
    UpdateArrow();
    arrow_->Place();
    CountUps();
    const bool wasTelling = dialogueRunning_;
    if (dialogueRunning_) TellDialogueStep(stepFinished);
    bool leaving = false;
    if (wasTelling && !dialogueRunning_) {
        if (CurrentProfile().HasFlag(Profile::kFlagGameFinished)) {
            Report(WindowResult::GoToFinal);
            leaving = true;
        } else {
            EndDialogue();
        }
    }
    if (ReadButtons()) leaving = true;
    if (leaving) Leave();
    UpdateEffects();
    const Vantor::Console* console = Vantor::Console::Instance();
    if (console && console->IsEnabled()) ReadCheatKeys();
}

bool GUIStartGameLogicWindow::StepBalloons() {
    bool wasActive = false;
    bool active = false;
    for (GUITextBalloonWindow* balloon : {ownerBalloon_, girlBalloon_}) {
        if (!balloon) continue;
        wasActive = wasActive || balloon->active;
        balloon->Update();
        active = active || balloon->active;
    }
    // A balloon put out of use while it still fades out finishes fading: left up, it
    // would take no more lines and keep the next dialogue that picks it waiting.
    for (GUITextBalloonWindow* balloon : {ownerShort_.get(), ownerLong_.get(), girlShort_.get(), girlLong_.get()})
        if (balloon != ownerBalloon_ && balloon != girlBalloon_ && balloon->active) balloon->Update();
    if (!ownerBalloon_ && !girlBalloon_) return true;
    return wasActive && !active;
}

void GUIStartGameLogicWindow::TellDialogueStep(bool stepFinished) {
    if (!stepFinished) return;
    bool ownerSpoke = false;
    bool girlSpoke = false;
    bool ownerHasText = true;
    bool girlHasText = true;
    if (!ownerBalloon_ || !ownerBalloon_->active) {
        ownerHasText = Speak("owner", ownerBalloon_, *ownerShort_, *ownerLong_, kOwnerLongText);
        ownerSpoke = ownerHasText;
        if (ownerSpoke) owner_->SetCharacter(kOwnerLook);
    }
    if (!girlBalloon_ || !girlBalloon_->active) {
        girlHasText = Speak("girl", girlBalloon_, *girlShort_, *girlLong_, kGirlLongText);
        girlSpoke = girlHasText;
    }
    if (!ownerHasText && !girlHasText) {
        dialogueRunning_ = false;
        if (dialogueStep_ > 0) owner_->SetCharacter(kOwnerStand);
    } else if (ownerSpoke || girlSpoke) {
        ++dialogueStep_;
    }
}

bool GUIStartGameLogicWindow::Speak(const std::string& speaker, GUITextBalloonWindow*& inUse,
                                    GUITextBalloonWindow& shortBalloon, GUITextBalloonWindow& longBalloon,
                                    std::size_t longText) {
    const std::string key = "start_game/" + speaker + "_" + eventName_ + "_" + std::to_string(dialogueStep_);
    if (!textTool_->HasText(key)) return false;
    inUse = textTool_->GetText(key).size() < longText ? &shortBalloon : &longBalloon;
    inUse->SetTextKey("center", "center", true, {0.0f, 0.0f}, {1.0f, 1.0f}, key, 0);
    inUse->Show(dialogueStep_ == 0 ? kFirstStepDelay : kLaterStepDelay);
    return true;
}

void GUIStartGameLogicWindow::EndDialogue() {
    if (!playLocked_) EnableControl(*playButton_, true);
    EnableControl(*backButton_, true);
    ShowGirlWish();
    if (!playLocked_) playButton_->Show(true, true);
    backButton_->Show(true, true);
    for (GUITools::GUIControl* button : {buildButton_, upgradeButton_})
        if (IsControlEnabled(*button)) button->Show(true, true);
    if (arrowWanted_ == kCafeArrow || arrowWanted_ == kQualificationArrow || arrowWanted_ == kMoodArrow)
        arrowWanted_ = kNoArrow;
}

bool GUIStartGameLogicWindow::ReadButtons() {
    Profile& profile = CurrentProfile();
    bool clicked = false;
    if (upgradeClick_->clicked) {
        if (!profile.HasFlag(Profile::kFlagMechanicVisited)) {
            SaveFlag(profile, Profile::kFlagMechanicVisited);
            Report(WindowResult::GoToMechanic);
        } else {
            Report(WindowResult::GoToUpgrade);
        }
        cafe_.start = static_cast<float>(profile.GetMachines().size());
        profile.SetPlaysCounter(0);
        clicked = true;
    }
    if (buildClick_->clicked) {
        Report(WindowResult::GoToHouse);
        mood_.start = Clamped01(profile.GetMood());
        profile.SetPlaysCounter(0);
        clicked = true;
    }
    if (backClick_->clicked) {
        Report(WindowResult::GoToMainMenu);
        clicked = true;
    }
    if (playClick_->clicked) {
        Report(WindowResult::Play);
        profile.SetPlaysCounter(buildSuggested_ || upgradeSuggested_ ? profile.GetPlaysCounter() + 1 : 0);
        clicked = true;
    }
    return clicked;
}

void GUIStartGameLogicWindow::Leave() {
    owner_->SetCharacter("");
    if (GetResult() != WindowResult::GoToUpgrade) girl_->SetCharacter("");
    for (GUITextBalloonWindow* balloon : {ownerBalloon_, girlBalloon_}) {
        if (!balloon || !balloon->active) continue;
        balloon->keepOpen = true;
        balloon->closeRequested = true;
    }
    for (GUIParticlesEffect* hint : {playHint_.get(), upgradeHint_.get(), buildHint_.get()}) hint->Stop(true);
}

void GUIStartGameLogicWindow::UpdateEffects() {
    for (GUIParticlesEffect* effect : {playHint_.get(), upgradeHint_.get(), buildHint_.get()}) effect->Update();
    for (const auto& hint : cafeHints_) hint->Update();
    for (GUIParticlesEffect* effect : {qualificationHint_.get(), moodGoodHint_.get(), moodBadHint_.get()})
        effect->Update();
}

void GUIStartGameLogicWindow::ReadCheatKeys() {
    const Vantor::Controls& controls = *Vantor::Controls::Instance();
    const bool takeAway = controls.IsKeyDown("LSHIFT");
    Profile& profile = CurrentProfile();
    for (const CheatKey& key : kMoneyKeys) {
        if (!controls.IsKeyPressed(key.key)) continue;
        if (!takeAway) {
            profile.SetMoney(profile.GetMoney() + key.step);
            profile.Save();
        } else if (profile.GetMoney() >= key.step) {
            profile.SetMoney(profile.GetMoney() - key.step);
            profile.Save();
        }
        money_.shown = static_cast<float>(profile.GetMoney());
        UpdateMoney();
    }
    for (const CheatKey& key : kQualificationKeys) {
        if (!controls.IsKeyPressed(key.key)) continue;
        if (!takeAway) {
            profile.SetQualification(profile.GetQualification() + key.step);
            profile.Save();
        } else if (profile.GetQualification() >= key.step) {
            profile.SetQualification(profile.GetQualification() - key.step);
            profile.Save();
        }
        qualification_.shown = static_cast<float>(profile.GetQualification());
        UpdateQualification(false);
    }
    if (controls.IsKeyPressed("F6")) {
        profile.SetMood(takeAway ? 0.0f : 1.0f);
        profile.Save();
        mood_.shown = Clamped01(profile.GetMood());
        UpdateMood();
    }
}

// --- Count-ups ---

void GUIStartGameLogicWindow::CountUps() {
    const float frameTime = Vantor::TimerManager::Instance()->GetFrameTime();
    if (cafe_.running) CountCafe(frameTime);
    if (money_.running && !qualification_.first && !mood_.first) CountMoney(frameTime);
    if (qualification_.running && (qualification_.first || !money_.running)) CountQualification(frameTime);
    if (mood_.running && (mood_.first || (!money_.running && !qualification_.running))) CountMood(frameTime);
}

void GUIStartGameLogicWindow::CountCafe(float frameTime) {
    if (!cafe_.paused) {
        cafe_.elapsed += frameTime;
    } else {
        cafe_.pauseTime += frameTime;
        if (cafe_.pauseTime > kStarPause) cafe_.paused = false;
    }
    // A second's wait, then a machine a second.
    const float x = (cafe_.elapsed - 1.0f) / (cafe_.target - cafe_.start);
    const float p = Clamped01(x);
    cafe_.shown = Lerp(cafe_, p) + kEpsilon;
    UpdateCafeClass(false);
    if (!cafe_.paused && kEpsilon < p && std::fabs(p - 1.0f) > kEpsilon) PlayWhenSilent(kCafeSound);
    if (cafe_.paused && cafe_.pauseTime < kEpsilon) {
        audio_->PlayEffect(kNewCafeClassSound);
        audio_->StopEffect(kCafeSound);
        // Resumes at the filled star once the pause is over.
        cafe_.elapsed = (cafe_.shown - cafe_.start) + 1.0f;
    }
    if (x > 1.0f + kEpsilon && !cafe_.paused) {
        for (const auto& hint : cafeHints_) hint->Stop(false);
        audio_->StopEffect(kCafeSound);
        cafe_.running = false;
    }
}

void GUIStartGameLogicWindow::CountMoney(float frameTime) {
    money_.elapsed += frameTime;
    // A second's wait, then a second and a half.
    const float x = (money_.elapsed - 1.0f) / 1.5f;
    const float p = Clamped01(x);
    money_.shown = Lerp(money_, p);
    if (p > kEpsilon) PlayWhenSilent(kMoneySound);
    UpdateMoney();
    if (x > 1.0f + kEpsilon) {
        money_.running = false;
        audio_->StopEffect(kMoneySound);
    }
}

void GUIStartGameLogicWindow::CountQualification(float frameTime) {
    if (!qualification_.paused) {
        qualification_.elapsed += frameTime;
    } else {
        qualification_.pauseTime += frameTime;
        if (qualification_.pauseTime > kStarPause) qualification_.paused = false;
    }
    // Half a second's wait, then two seconds.
    const float x = (qualification_.elapsed - 0.5f) * 0.5f;
    const float p = Clamped01(x);
    qualification_.shown = Lerp(qualification_, p);
    UpdateQualification(false);
    if (!qualification_.paused && kEpsilon < p && std::fabs(p - 1.0f) > kEpsilon && !qualificationMax_->IsShown())
        PlayWhenSilent(kQualificationSound);
    if (qualification_.paused && qualification_.pauseTime < kEpsilon) {
        audio_->PlayEffect(kNewQualificationSound);
        audio_->StopEffect(kQualificationSound);
        const float reached =
            (qualification_.shown - qualification_.start) / (qualification_.target - qualification_.start);
        qualification_.elapsed = (reached + kEpsilon) / 0.5f + 0.5f;
    }
    if (x > 1.0f + kEpsilon && !qualification_.paused) {
        audio_->StopEffect(kQualificationSound);
        qualificationHint_->Stop(true);
        qualification_.running = false;
        qualification_.first = false;
    }
}

void GUIStartGameLogicWindow::CountMood(float frameTime) {
    mood_.elapsed += frameTime;
    // Three quarters of a second's wait, then a second and a half.
    const float x = (mood_.elapsed - 0.75f) / 1.5f;
    const float p = Clamped01(x);
    if (moodSoundPending_ && p > kEpsilon) {
        const bool falls = mood_.target <= mood_.start;
        audio_->PlayEffect(falls ? kMoodDownSound : kMoodUpSound);
        (falls ? moodBadHint_ : moodGoodHint_)->Start();
        moodSoundPending_ = false;
    }
    mood_.shown = Lerp(mood_, p);
    UpdateMood();
    if (p + kEpsilon > 1.0f) {
        mood_.running = false;
        mood_.first = false;
        moodGoodHint_->Stop(false);
        moodBadHint_->Stop(false);
    }
}

void GUIStartGameLogicWindow::PlayWhenSilent(const char* sound) const {
    if (audio_->GetEffectState(sound) != 0) audio_->PlayEffect(sound);
}

}  // namespace Morvane
