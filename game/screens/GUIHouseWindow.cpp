#include "game/screens/GUIHouseWindow.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlignment.h"
#include "engine/input/Controls.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Matrix4.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderUser.h"
#include "framework/AudioManager.h"
#include "game/GUIGameCursor.h"
#include "game/GameData.h"
#include "game/HouseBackground.h"
#include "game/HouseUpgradeInfo.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/screens/GUICharacterWindow.h"
#include "game/screens/GUITextBalloonWindow.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"

namespace Morvane {

namespace {

constexpr const char* kBalloonCharacter = "build";
constexpr const char* kToyBalloonModel = "game_logic/house/balloon_";
constexpr const char* kToyBalloonShader = "game_logic/house/balloon";
constexpr float kToyBalloonMinSpeed = 6.0f;
constexpr float kToyBalloonMaxSpeed = 12.0f;
constexpr float kToyBalloonMinX = -50.0f;
constexpr float kToyBalloonMaxX = 850.0f;
constexpr int kToyBalloonShaderFrames = 4;
// Just in front of the layer window.
constexpr float kToyBalloonDepthOffset = -0.0001f;
constexpr float kShowSpeed = 2.0f;
constexpr float kHideSpeed = 1.0f;
constexpr const char* kPromptKey = "common/hit_mouse_button";
constexpr const char* kPromptFont = "common";
constexpr Vantor::Vector2 kPromptPosition{0.0f, 5.0f};

constexpr const char* kCelebrationEffect = "10";
constexpr const char* kNoMoneyEffect = "11";
constexpr const char* kBuildEffect = "12";

// The girl's two answers on a later visit.
constexpr int kAnswerBuild = 1;
constexpr int kAnswerLeave = 2;
constexpr Vantor::Vector2 kAnswerSize{1.0f, 0.16f};
constexpr Vantor::Vector2 kBuildAnswerPosition{0.0f, 55.0f};
constexpr Vantor::Vector2 kLeaveAnswerPosition{0.0f, 25.0f};
// The lines of the offer list: where the lowest stands and how far apart they are, by
// the number of offers.
constexpr Vantor::Vector2 kOfferLineSize{1.0f, 0.18f};
struct OfferPlacement {
    Vantor::Vector2 base;
    Vantor::Vector2 step;
};
constexpr OfferPlacement kOfferPlacements[] = {
    {{0.0f, 0.0f}, {0.0f, 0.0f}}, {{0.0f, 12.0f}, {0.0f, 28.0f}}, {{0.0f, 4.0f}, {0.0f, 24.0f}},
    {{0.0f, 2.0f}, {0.0f, 19.0f}}};

}  // namespace

GUIHouseWindow::GUIHouseWindow(GameFramework::AudioManager* audio, ProfileManager* profiles, GameData* data,
                               GUITools::GUIToolManager* tools, Vantor::GUIWindow* parent, GUIGameCursor* cursor)
    : profiles_(profiles),
      audio_(audio),
      data_(data),
      tools_(tools),
      cursor_(cursor),
      root_(Vantor::GUIManager::Instance()->CreateEmptyWindow(0, parent)) {
    root_->SetOrder(kRootOrder);
    background_ = std::make_unique<HouseBackground>(profiles, data, root_);
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    layer_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {800.0f, 600.0f}, nullptr, nullptr,
                              background_->GetFrontWindow());
    worker_ = std::make_unique<GUICharacterWindow>(data, layer_, "build_worker");
    girl_ = std::make_unique<GUICharacterWindow>(data, layer_, "build_girl");
    const auto balloon = [&](BalloonKind kind) {
        return std::make_unique<GUITextBalloonWindow>(audio, data, tools, layer_, kBalloonCharacter, kind, false);
    };
    workerSmall_ = balloon(BalloonKind::LeftSmall);
    workerBig_ = balloon(BalloonKind::LeftBig);
    girlSmall_ = balloon(BalloonKind::RightSmall);
    girlBig_ = balloon(BalloonKind::RightBig);
    girlVeryBig_ = balloon(BalloonKind::RightVeryBig);
    MakeToyBalloons();
}

GUIHouseWindow::~GUIHouseWindow() {
    workerSmall_.reset();
    workerBig_.reset();
    girlSmall_.reset();
    girlBig_.reset();
    girlVeryBig_.reset();
    background_.reset();
    worker_.reset();
    girl_.reset();
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(layer_);
    gui.DestroyWindow(root_);
    for (Vantor::Model* toyBalloon : toyBalloons_) Vantor::ModelManager::Instance()->ReleaseModel(toyBalloon);
}

void GUIHouseWindow::MakeToyBalloons() {
    // The draws come in this order for every balloon, so a seeded run repeats exactly.
    Vantor::Camera* camera = Vantor::GUIManager::Instance()->GetCamera();
    for (unsigned int i = 0; i < kToyBalloonCount; ++i) {
        const int variant = Vantor::RandomRange(0, kToyBalloonVariants - 1);
        Vantor::Model* toyBalloon = Vantor::ModelManager::Instance()->CreateModelInstance(
            *data_->GetModel(kToyBalloonModel + std::to_string(variant)), camera, Vantor::ModelFlags::kVertexColours);
        toyBalloon->ClearFlags(Vantor::ModelFlags::kVisible | Vantor::ModelFlags::kLighting |
                               Vantor::ModelFlags::kDepthTest);
        toyBalloon->SetFlags(Vantor::ModelFlags::kSecondDrawList | Vantor::ModelFlags::kFixedDepth);
        toyBalloon->SetDepth(layer_->GetDepth() + kToyBalloonDepthOffset);
        Vantor::AnimationControl& animation = *toyBalloon->GetAnimationControl();
        animation.SetLoop(false);
        animation.SetSpeed(Vantor::RandomRange(kToyBalloonMinSpeed, kToyBalloonMaxSpeed));
        const float x = Vantor::RandomRange(kToyBalloonMinX, kToyBalloonMaxX);
        toyBalloon->SetWorldMatrix(Vantor::Matrix4::Translation({x, 0.0f, 0.0f}) * toyBalloon->GetWorldMatrix());
        toyBalloon->SetShader(*data_->GetShaderUser(kToyBalloonShader));
        const int frame = Vantor::RandomRange(0, kToyBalloonShaderFrames - 1);
        if (Vantor::AnimationControl* stage = toyBalloon->GetShaderUser()->GetAnimationControl(0))
            stage->SetPosition(static_cast<float>(frame));
        toyBalloons_.push_back(toyBalloon);
    }
}

bool GUIHouseWindow::AllBuilt() const {
    return profiles_->GetCurrent()->GetHouseUpgrades().size() >= data_->GetHouseUpgrades().size();
}

void GUIHouseWindow::Open(GameFramework::WindowId source) {
    GUIFrameworkWindow::Open(source);
    open_ = true;
    closingFade_ = 0.0f;
    backgroundHiding_ = false;
    root_->SetFlags(Vantor::GUIWindow::kShown);
    background_->Show(true, true, kShowSpeed);
    endingTimer_ = 0.0f;
    if (AllBuilt()) {
        girl_->SetCharacter("girl_stand");
        workerBalloon_ = nullptr;
        girlBalloon_ = nullptr;
        state_ = kEnding;
        return;
    }
    worker_->SetCharacter("worker_hello");
    girl_->SetCharacter("girl_hello");
    Profile& profile = *profiles_->GetCurrent();
    Say(workerBalloon_, *workerSmall_, "build/worker_hello_0", kHelloDelay);
    if (!profile.HasFlag(Profile::kFlagBuilderIntroduced)) {
        profile.SetFlag(Profile::kFlagBuilderIntroduced);
        profile.Save();
        girlBalloon_ = nullptr;
        state_ = kFirstHello;
        return;
    }
    girlSmall_->leader = workerSmall_.get();
    Say(girlBalloon_, *girlSmall_, "build/girl_hello", kHelloDelay);
    state_ = kLaterHello;
}

void GUIHouseWindow::Close() {
    GUIFrameworkWindow::Close();
    open_ = false;
}

void GUIHouseWindow::Update() {
    GUIFrameworkWindow::Update();
    if (!(root_->GetFlags() & Vantor::GUIWindow::kShown)) return;
    const float frameTime = Vantor::TimerManager::Instance()->GetFrameTime();
    background_->Update();
    if (state_ == kEnding) UpdateEnding(frameTime);
    worker_->Update();
    girl_->Update();
    GUITextBalloonWindow::UpdateInTurn(workerBalloon_, girlBalloon_);
    Converse();
    ReleaseToyBalloons(frameTime);
    UpdateToyBalloons();
    if (open_) {
        if (closingFade_ > kPromptStart && Vantor::Controls::Instance()->IsAnyKeyPressed()) {
            worker_->SetCharacter("");
            girl_->SetCharacter("");
            Report(GameFramework::WindowResult::GoToStart);
        }
    } else {
        UpdateClosing();
    }
}

void GUIHouseWindow::UpdateEnding(float frameTime) {
    if (nextToyBalloon_ >= kToyBalloonCount) endingTimer_ += frameTime;
    if (endingTimer_ <= kEndingDelay) return;
    closingFade_ = std::clamp(closingFade_ + (open_ ? frameTime : -frameTime), 0.0f, kMaxClosingFade);
    const float alpha = std::clamp((closingFade_ - kPromptStart) / kPromptSpan, 0.0f, 1.0f);
    if (alpha <= Vantor::kFloatTolerance) return;
    GUITools::GUIFontTool& fonts = *tools_->GetFontTool();
    layer_->PrintText(Vantor::TextAlignment::kCentreHorizontally, fonts.GetFontIndex(kPromptFont), kPromptPosition,
                      {1.0f, 1.0f, 1.0f, alpha}, tools_->GetTextTool()->GetText(kPromptKey), 0.0f, -1.0f);
    cursor_->SetTrailEnabled(false);
}

void GUIHouseWindow::UpdateClosing() {
    if (!backgroundHiding_ && closingFade_ < kPromptStart) {
        background_->Show(false, true, kHideSpeed);
        backgroundHiding_ = true;
        cursor_->SetTrailEnabled(true);
    }
    if (backgroundHiding_ && !background_->IsVisible()) root_->ClearFlags(Vantor::GUIWindow::kShown);
}

void GUIHouseWindow::Say(GUITextBalloonWindow*& inUse, GUITextBalloonWindow& balloon, const char* key,
                         float delay) const {
    inUse = &balloon;
    balloon.SetTextKey("center", "center", true, {0.0f, 0.0f}, {1.0f, 1.0f}, key, 0);
    balloon.Show(delay);
}

void GUIHouseWindow::Stand() {
    worker_->SetCharacter("worker_stand");
    girl_->SetCharacter("girl_stand");
}

void GUIHouseWindow::Leave() {
    endingTimer_ = 0.0f;
    state_ = kEnding;
    worker_->SetCharacter("");
    girl_->SetCharacter("");
}

bool GUIHouseWindow::IsTalking(const GUITextBalloonWindow* balloon) { return balloon && balloon->active; }

void GUIHouseWindow::Converse() {
    switch (state_) {
        case kFirstHello:
            if (IsTalking(workerBalloon_)) return;
            Say(girlBalloon_, *girlSmall_, "build/girl_hello");
            state_ = kGirlHello;
            return;
        case kGirlHello:
            if (IsTalking(girlBalloon_)) return;
            Stand();
            Say(workerBalloon_, *workerSmall_, "build/meeting_worker_build_0");
            state_ = kWorkerBuild;
            return;
        case kWorkerBuild:
            if (IsTalking(workerBalloon_)) return;
            Say(workerBalloon_, *workerBig_, "build/meeting_worker_build_1");
            state_ = kWorkerBuildMore;
            return;
        case kWorkerBuildMore:
            if (IsTalking(workerBalloon_)) return;
            Say(girlBalloon_, *girlSmall_, "build/meeting_girl_build");
            state_ = kFirstOffer;
            return;
        case kLaterHello:
            if (IsTalking(workerBalloon_)) return;
            Stand();
            Say(workerBalloon_, *workerSmall_, "build/worker_hello_1");
            state_ = kWorkerAsks;
            return;
        case kWorkerAsks:
            if (IsTalking(workerBalloon_)) return;
            girlBalloon_ = girlBig_.get();
            girlBig_->SetTextKey("center", "bottom", false, kBuildAnswerPosition, kAnswerSize, "build/girl_build",
                                 kAnswerBuild);
            girlBig_->SetTextKey("center", "bottom", false, kLeaveAnswerPosition, kAnswerSize,
                                 "build/girl_do_nothing", kAnswerLeave);
            girlBig_->Show(0.0f);
            state_ = kGirlAnswers;
            return;
        case kFirstOffer:
        case kGirlAnswers:
            if (IsTalking(girlBalloon_)) return;
            Stand();
            if (state_ == kFirstOffer || girlBalloon_->result == kAnswerBuild)
                OfferUpgrades();
            else
                Leave();
            return;
        case kNoMoney:
            if (IsTalking(workerBalloon_)) return;
            Stand();
            OfferUpgrades();
            return;
        case kChoosing:
            if (IsTalking(girlBalloon_)) return;
            Choose();
            return;
        case kBuilt:
            if (IsTalking(workerBalloon_)) return;
            if (!AllBuilt()) {
                Stand();
                Say(workerBalloon_, *workerSmall_, "build/worker_something_else");
                state_ = kWorkerAsks;
                return;
            }
            Say(girlBalloon_, *girlSmall_, "build/girl_build_all_done");
            audio_->PlayEffect(kCelebrationEffect);
            nextToyBalloon_ = 0;
            releaseTimer_ = 0.0f;
            state_ = kGirlAllDone;
            return;
        case kGirlAllDone:
            if (IsTalking(girlBalloon_)) return;
            Say(workerBalloon_, *workerSmall_, "build/worker_build_all_done");
            state_ = kWorkerAllDone;
            return;
        case kWorkerAllDone:
            if (IsTalking(workerBalloon_)) return;
            Leave();
            return;
        default:
            return;
    }
}

std::vector<const HouseUpgradeInfo*> GUIHouseWindow::OffersFor(const Profile& profile, const GameData& data) {
    std::vector<const HouseUpgradeInfo*> offers;
    for (const auto& upgrade : data.GetHouseUpgrades()) {
        if (offers.size() == kMaxOffers) break;
        if (profile.IsHouseUpgradeBuilt(upgrade->name)) continue;
        if (std::all_of(upgrade->parts.begin(), upgrade->parts.end(),
                        [&](const std::string& part) { return profile.IsHouseUpgradeBuilt(part); }))
            offers.push_back(upgrade.get());
    }
    return offers;
}

void GUIHouseWindow::OfferUpgrades() {
    const Profile& profile = *profiles_->GetCurrent();
    offers_ = OffersFor(profile, *data_);

    const GUITools::GUITextTool& texts = *tools_->GetTextTool();
    const auto n = static_cast<int>(offers_.size());
    const OfferPlacement& placement = kOfferPlacements[n];
    const auto at = [&](int steps) { return placement.base + placement.step * static_cast<float>(steps); };
    girlBalloon_ = girlVeryBig_.get();
    girlVeryBig_->SetText("center", "bottom", false, at(n + 1), kOfferLineSize,
                          Vantor::Replaced(texts.GetText("build/girl_my_money"), L"%MONEY%",
                                           std::to_wstring(profile.GetMoney())),
                          0);
    for (int i = 0; i <= n; ++i) {
        std::wstring line = texts.GetText("build/girl_build_nothing");
        if (i < n) {
            const HouseUpgradeInfo& offer = *offers_[static_cast<std::size_t>(i)];
            line = texts.GetText("build/worker_build_" + offer.name) +
                   Vantor::Replaced(texts.GetText("build/worker_build_cost"), L"%COST%", std::to_wstring(offer.cost));
        }
        girlVeryBig_->SetText("center", "bottom", false, at(n - i), kOfferLineSize, line, i + 1);
    }
    girlVeryBig_->Show(0.0f);
    workerSmall_->leader = girlVeryBig_.get();
    Say(workerBalloon_, *workerSmall_, "build/worker_upgrade_list");
    state_ = kChoosing;
}

void GUIHouseWindow::Choose() {
    const int answer = girlBalloon_->result;
    if (answer < 1 || answer > static_cast<int>(offers_.size())) {
        Leave();
        return;
    }
    const HouseUpgradeInfo& upgrade = *offers_[static_cast<std::size_t>(answer - 1)];
    if (profiles_->GetCurrent()->GetMoney() < upgrade.cost) {
        Say(workerBalloon_, *workerSmall_, "build/worker_build_no_money");
        state_ = kNoMoney;
        worker_->SetCharacter("worker_miss");
        girl_->SetCharacter("girl_miss");
        audio_->PlayEffect(kNoMoneyEffect);
        return;
    }
    Build(upgrade);
    Say(workerBalloon_, *workerSmall_, "build/worker_build_done", kBuildDoneDelay);
    girlSmall_->leader = workerSmall_.get();
    Say(girlBalloon_, *girlSmall_, "build/girl_build_done", kBuildDoneDelay);
    state_ = kBuilt;
    worker_->SetCharacter("worker_look");
    girl_->SetCharacter("girl_look");
    audio_->PlayEffect(kBuildEffect);
}

void GUIHouseWindow::Build(const HouseUpgradeInfo& upgrade) {
    Profile& profile = *profiles_->GetCurrent();
    profile.SetMoney(profile.GetMoney() - upgrade.cost);
    profile.Save();
    profile.AddHouseUpgrade(upgrade.name);
    profile.SetLastBuildDay(profile.GetDay());
    profile.Save();
    if (AllBuilt())
        profile.SetMood(1.0f);
    else
        profile.SetMood(std::max(0.0f, std::clamp(profile.GetMood(), 0.0f, 1.0f) + data_->GetCharacter().buildChange));
    profile.Save();
    background_->PlayBuildAnimation(upgrade.name);
}

void GUIHouseWindow::ReleaseToyBalloons(float frameTime) {
    if (nextToyBalloon_ >= kToyBalloonCount) return;
    releaseTimer_ -= frameTime;
    if (releaseTimer_ > 0.0f) return;
    releaseTimer_ = Vantor::RandomRange(kMinReleaseGap, kMaxReleaseGap);
    Vantor::Model& toyBalloon = *toyBalloons_[nextToyBalloon_];
    Vantor::AnimationControl& animation = *toyBalloon.GetAnimationControl();
    animation.SetPosition(0.0f);
    animation.Play();
    toyBalloon.SetFlags(Vantor::ModelFlags::kVisible);
    ++nextToyBalloon_;
}

void GUIHouseWindow::UpdateToyBalloons() {
    for (Vantor::Model* toyBalloon : toyBalloons_) {
        if (!(toyBalloon->GetFlags() & Vantor::ModelFlags::kVisible)) continue;
        const Vantor::AnimationControl& animation = *toyBalloon->GetAnimationControl();
        if (animation.IsPlaying())
            toyBalloon->SetAlpha(std::clamp(animation.GetPosition() / kToyBalloonFadeFrames, 0.0f, 1.0f));
        else
            toyBalloon->ClearFlags(Vantor::ModelFlags::kVisible);
    }
}

}  // namespace Morvane
