#include "game/Customer.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderUser.h"
#include "framework/AudioManager.h"
#include "game/CursorFood.h"
#include "game/CustomerInfo.h"
#include "game/CustomerMood.h"
#include "game/Finances.h"
#include "game/Food.h"
#include "game/GUIGameLogicTextManager.h"
#include "game/GameData.h"
#include "game/Order.h"
#include "game/ServiceColours.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"

namespace Morvane {

namespace {

// A left click or right click the customer cannot use.
const std::string kRefusedEffect = "28";
const Vantor::Color kRatingColours[] = {ServiceColours::kGood, ServiceColours::kFair, ServiceColours::kPoor,
                                        ServiceColours::kPoor};
const Vantor::Color kTipColour(1.0f, 0.68f, 0.0f, 1.0f);

float Clamp01(float value) { return std::clamp(value, 0.0f, 1.0f); }

// The frame the animation shows, between its two frames by the blend.
float ShownFrame(const Vantor::AnimationControl& animation) {
    const auto frameA = static_cast<float>(animation.GetFrameA());
    return frameA + (static_cast<float>(animation.GetFrameB()) - frameA) * animation.GetBlend();
}

std::string Number(unsigned value) { return Vantor::ToString(value, 2); }

Vantor::Vector2 Corner(const Vantor::Model& model) {
    const Vantor::Vector3& corner = model.GetBoundingBox().worldMin;
    return {corner.x, corner.y};
}

// Counts the layers of `from` that find a free layer of the same name in `in`; those
// that find none blink when `blink` is set.
unsigned MatchLayers(Food& from, Food& in, bool blink) {
    from.ResetLayerMatches(&in);
    unsigned matched = 0;
    const std::size_t free = in.GetLayers().size();
    for (std::size_t layer = 0; layer < from.GetLayers().size(); ++layer) {
        if (from.TakeLayerMatch(&in, from.GetLayerName(layer)) != free)
            ++matched;
        else if (blink)
            from.BlinkLayer(layer);
    }
    return matched;
}

}  // namespace

Customer::Customer(GameFramework::AudioManager* audio, GameData* gameData, GUITools::GUIToolManager* tools,
                   CursorFood* cursorFood, Vantor::GUIWindow* dayWindow, Finances* finances,
                   GUIGameLogicTextManager* floatingTexts, float mood, Order* order, const CustomerInfo* type,
                   unsigned place, float priceMultiplier)
    : audio_(audio),
      gameData_(gameData),
      fontTool_(tools->GetFontTool()),
      textTool_(tools->GetTextTool()),
      cursorFood_(cursorFood),
      finances_(finances),
      floatingTexts_(floatingTexts),
      type_(type),
      place_(place),
      priceMultiplier_(priceMultiplier) {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    const std::string models = "customers/models/" + Number(place) + "/";
    rootWindow_ = gui.CreateEmptyWindow(Vantor::GUIWindow::kShown, dayWindow);
    rootWindow_->SetOrder(15);

    figureWindow_ = gui.CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {1.0f, 1.0f},
                                     gameData_->GetModel(models + "customer"), nullptr, rootWindow_);
    figureWindow_->SetSelectionFromModel(gameData_->GetModel(models + "selection"));
    figureWindow_->SetOrder(150);
    figureWindow_->SetShader(gameData_->GetShaderUser("customers/shaders/" + type->name));

    balloonWindow_ = gui.CreateWindow(Vantor::GUIWindow::kShown, Corner(*gameData_->GetModel(models + "balloon")),
                                      {1.0f, 1.0f}, gameData_->GetModel("customers/balloon/model"), nullptr,
                                      rootWindow_);
    balloonWindow_->SetTextAreaOn(true);
    balloonWindow_->SetTextAreaPosition({8.0f, 23.0f});
    balloonWindow_->SetTextAreaSize({147.0f, 73.0f});
    balloonWindow_->SetOrder(100);
    balloonWindow_->SetAlpha(0.0f);

    figureAnimation_ = figureWindow_->GetModel()->GetAnimationControl();
    const std::uint32_t lastFrame = std::max(figureAnimation_->GetFrameCount(), 1u) - 1;
    figureAnimation_->AddRange(0, 0, lastFrame);
    figureAnimation_->AddRange(1, lastFrame, 0);
    figureAnimation_->SetSpeed(kWalkSpeed);
    figureAnimation_->SetRange(0);
    figureAnimation_->SetLoop(false);
    figureAnimation_->Play();

    MakeOrderItems(*order);
    patience_ = std::make_unique<CustomerMood>(gameData_, figureWindow_, place, mood);

    const Vantor::Vector3& centre = figureWindow_->GetModel()->GetBoundingBox().centre;
    figureCentre_ = {centre.x, centre.y};
    goodParticles_ = MakeBurst("ui/customer_good");
    badParticles_ = MakeBurst("ui/customer_bad");

    figureWindow_->SetAlpha(0.0f);
    audio_->PlayEffect("23");
}

Customer::~Customer() {
    patience_.reset();
    orderItems_.clear();
    flyingItems_.clear();
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(rootWindow_);
    gui.DestroyWindow(figureWindow_);
    gui.DestroyWindow(balloonWindow_);
    Vantor::ParticleSystemManager& particles = *Vantor::ParticleSystemManager::Instance();
    particles.ReleaseParticleSystem(goodParticles_);
    particles.ReleaseParticleSystem(badParticles_);
}

void Customer::MakeOrderItems(const Order& order) {
    for (const std::string& name : order.items) {
        const FoodInfo* recipe = gameData_->FindFood(name);
        if (!recipe) {
            Vantor::MessageManager::Instance()->PrintError("The customer leaves out \"" + name +
                                                            "\": no food has that name");
            continue;
        }
        const std::string placement =
            "customers/balloon/place_" + Number(static_cast<unsigned>(orderItems_.size())) + "/" + recipe->group;
        Food& item = *orderItems_.emplace_back(std::make_unique<Food>(gameData_, balloonWindow_));
        item.BuildRecipe(name);
        item.SetPosition(Corner(*gameData_->GetModel(placement)));
        item.SetAlpha(0.0f);
    }
}

Vantor::ParticleSystem* Customer::MakeBurst(const std::string& key) const {
    Vantor::ParticleSystem* burst =
        Vantor::ParticleSystemManager::Instance()->CreateParticleSystemInstance(*gameData_->GetParticleSystem(key));
    Vantor::Model& batch = *burst->GetModel();
    batch.SetCamera(Vantor::GUIManager::Instance()->GetCamera());
    batch.SetFlags(Vantor::ModelFlags::kFixedDepth);
    batch.SetDepth(balloonWindow_->GetDepth() + 0.0001f);
    burst->SetVisible(true);
    burst->Reset();
    burst->GetEmitterBox().SetMinMax({figureCentre_.x - 47.0f, figureCentre_.y + 87.0f, 0.0f},
                                     {figureCentre_.x + 21.0f, figureCentre_.y + 127.0f, 0.0f});
    return burst;
}

float Customer::GetMood() const { return patience_->GetMood(); }

Food* Customer::FindOrderItem(const Food* food) const {
    const std::string& name = food->GetName();
    for (const auto& flying : flyingItems_)
        if (flying && flying->GetName() == name) return nullptr;
    for (const auto& item : orderItems_)
        if (!item->IsDone() && item->GetName() == name) return item.get();
    return nullptr;
}

void Customer::ReceiveFood(Food* food) {
    std::unique_ptr<Food> owned(food);
    owned->MoveTo(FindOrderItem(food)->GetPosition());
    flyingItems_.push_back(std::move(owned));
}

void Customer::ShowFoodMismatch(Food* held) {
    if (held->GetLayers().empty()) return;
    Food* best = nullptr;
    unsigned bestCount = 0;
    for (const auto& item : orderItems_) {
        if (item->IsDone()) continue;
        const unsigned count = MatchLayers(*held, *item, false);
        if (!best || count > bestCount) {
            best = item.get();
            bestCount = count;
        }
    }
    if (!best) return;
    if (MatchLayers(*held, *best, true) == held->GetLayers().size()) MatchLayers(*best, *held, true);
}

void Customer::EnableInput() { Vantor::GUIManager::Instance()->GetExclusiveInputList().push_back(figureWindow_); }

unsigned Customer::ComputeTip(unsigned price, float mood) {
    const float factor = Clamp01((mood - kNoTipMood) / (kFullTipMood - kNoTipMood));
    const auto tip = static_cast<unsigned>(factor * kTipShare * static_cast<float>(price) + 0.5f);
    return tip == 0 && factor > Vantor::kFloatTolerance ? 1 : tip;
}

void Customer::OnFoodDelivered() {
    audio_->PlayEffect("27");
    if (std::all_of(orderItems_.begin(), orderItems_.end(), [](const auto& item) { return item->IsDone(); })) Pay();
}

void Customer::Pay() {
    patience_->Stop();
    int total = 0;
    for (const auto& item : orderItems_) total += item->GetPrice();
    price_ = static_cast<unsigned>(static_cast<float>(total) * priceMultiplier_);
    tip_ = ComputeTip(price_, patience_->GetMood());
    finances_->income += price_ + tip_;
    finances_->tips += tip_;
    const Vantor::BoundingBox& box =
        gameData_->GetModel("customers/models/" + Number(place_) + "/selection")->GetBoundingBox();
    floatingTexts_->AddMoneyText(price_ + tip_, {box.centre.x, box.centre.y + box.halfExtents.y * 0.5f});
    EnterState(kItemsFadingOut);
    audio_->PlayEffect("24");
}

void Customer::EnterState(CustomerState state) {
    state_ = state;
    stateTime_ = 0.0f;
}

void Customer::Update(bool moodsDrain) {
    figureWindow_->SetAlpha(Clamp01(ShownFrame(*figureAnimation_) / kFigureFadeFrames));
    stateTime_ += Vantor::TimerManager::Instance()->GetFrameTime();
    patience_->Update(moodsDrain);
    float itemsAlpha = 0.0f;
    switch (state_) {
        case kWalkingIn: itemsAlpha = WalkIn(); break;
        case kBalloonFadingIn: itemsAlpha = FadeBalloonIn(); break;
        case kWaiting: itemsAlpha = Wait(); break;
        case kItemsFadingOut: itemsAlpha = FadeItemsOut(); break;
        case kShowingRating: itemsAlpha = ShowRating(); break;
        case kWalkingOut: WalkOut(); break;
    }
    for (const auto& item : orderItems_) {
        item->SetAlpha(itemsAlpha);
        item->Update();
    }
    ArriveFlyingItems();
}

float Customer::WalkIn() {
    if (!figureAnimation_->IsPlaying()) {
        EnterState(kBalloonFadingIn);
        patience_->Start();
    }
    return 0.0f;
}

float Customer::FadeBalloonIn() {
    const float alpha = Clamp01((stateTime_ - kFadeDelay) * kFadeRate);
    balloonWindow_->SetAlpha(alpha);
    if (alpha + Vantor::kFloatTolerance > 1.0f) EnterState(kWaiting);
    return alpha;
}

float Customer::Wait() {
    if (figureWindow_->IsHovered()) {
        Food* held = cursorFood_->GetFood();
        if (Food* item = FindOrderItem(held)) {
            if (CursorFood::IsLeftClick()) {
                cursorFood_->Clear();
                item->MarkDone();
                OnFoodDelivered();
            } else {
                item->Highlight();
            }
        } else if (CursorFood::IsLeftClick()) {
            ShowFoodMismatch(held);
            audio_->PlayEffect(kRefusedEffect);
        }
    }
    if (GetMood() < Vantor::kFloatTolerance) {
        EnterState(kItemsFadingOut);
        audio_->PlayEffect("25");
    }
    return 1.0f;
}

float Customer::FadeItemsOut() {
    const float alpha = 1.0f - Clamp01((stateTime_ - kFadeDelay) * kFadeRate);
    if (alpha < Vantor::kFloatTolerance) {
        EnterState(kShowingRating);
        Rate();
    }
    return alpha;
}

void Customer::Rate() {
    rating_ = GetMood() < Vantor::kFloatTolerance ? kRanOut : static_cast<ServiceRating>(patience_->GetStage());
    ratingColour_ = kRatingColours[rating_];
    const std::wstring& verdict = textTool_->GetText("game_logic/service_" + std::to_string(rating_));
    const std::size_t blank = verdict.find(L' ');
    ratingLine1_ = verdict.substr(0, blank);
    ratingLine2_ = blank == std::wstring::npos ? std::wstring() : verdict.substr(blank + 1);
    if (tip_ > 0)
        tipLine_ = Vantor::ReplacedNoCase(textTool_->GetText("game_logic/tip"), L"%MONEY%", std::to_wstring(tip_));
    if (rating_ == kServedQuickly) goodParticles_->Start(false);
    if (rating_ == kRanOut) badParticles_->Start(false);
}

float Customer::ShowRating() {
    float alpha = 1.0f;
    if (stateTime_ < 0.5f) alpha = stateTime_ * kFadeRate;
    if (stateTime_ > 1.0f) alpha = 1.0f - Clamp01((stateTime_ - 1.0f) * kFadeRate);
    const int font = fontTool_->GetFontIndex("common");
    Vantor::Color colour = ratingColour_;
    colour.w = alpha;
    balloonWindow_->PrintText(1, font, {0.0f, 48.0f}, colour, ratingLine1_, 0.0f, -1.0f);
    balloonWindow_->PrintText(1, font, {0.0f, 31.0f}, colour, ratingLine2_, 0.0f, -1.0f);
    Vantor::Color tipColour = kTipColour;
    tipColour.w = alpha;
    balloonWindow_->PrintText(1, font, {0.0f, 10.0f}, tipColour, tipLine_, 0.0f, -1.0f);
    if (stateTime_ >= 1.0f) {
        if (!hidden_) patience_->Hide();
        hidden_ = true;
        balloonWindow_->SetAlpha(alpha);
    }
    if (stateTime_ > 1.0f && alpha < Vantor::kFloatTolerance) EnterState(kWalkingOut);
    return 0.0f;
}

void Customer::WalkOut() {
    if (figureAnimation_->GetRangeId() == 1) {
        if (!figureAnimation_->IsPlaying()) alive_ = false;
        return;
    }
    figureAnimation_->SetRange(1);
    figureAnimation_->Play();
}

void Customer::ArriveFlyingItems() {
    for (auto& flying : flyingItems_) {
        flying->Update();
        if (!flying->HasArrived()) continue;
        const std::unique_ptr<Food> arrived = std::move(flying);
        if (Food* item = FindOrderItem(arrived.get())) {
            item->MarkDone();
            OnFoodDelivered();
        }
    }
    std::erase(flyingItems_, nullptr);
}

}  // namespace Morvane
