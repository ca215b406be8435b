#include "game/Distributor.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Model.h"
#include "framework/AudioManager.h"
#include "game/AnimatedPart.h"
#include "game/CursorFood.h"
#include "game/Food.h"
#include "game/GameData.h"

namespace Morvane {

Distributor::Distributor(GameFramework::AudioManager* audio, GameData* gameData, CursorFood* cursorFood,
                         Vantor::GUIWindow* parent, const std::string& name)
    : audio_(audio), gameData_(gameData), cursorFood_(cursorFood), name_(name),
      definition_(gameData->FindDistributor(name)) {
    if (!definition_) Vantor::MessageManager::Instance()->PrintFatalError("Can't find \"" + name + "\" distributor");
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    window_ = gui.CreateEmptyWindow(Vantor::GUIWindow::kShown, parent);
    window_->SetOrder(kOrder);

    const std::string prefix = "room/distributors/" + name + "/";
    lower_ = AnimatedPart::Create(gameData_, prefix + "lower", window_);
    upper_ = AnimatedPart::Create(gameData_, prefix + "upper", window_);
    if (upper_) upper_->GetWindow()->SetOrder(kUpperOrder);
    if (gameData_->HasModel(prefix + "selection"))
        selection_ = gui.CreateAreaWindowFromModel(*gameData_->GetModel(prefix + "selection"), nullptr);
    for (int digit = 0; digit < kMaxSlots; ++digit) {
        const std::string key = prefix + "input_" + std::to_string(digit);
        if (!gameData_->HasModel(key)) continue;
        const Vantor::Vector3& corner = gameData_->GetModel(key)->GetBoundingBox().worldMin;
        Vantor::GUIWindow* slot = gui.CreateWindow(Vantor::GUIWindow::kShown, {corner.x, corner.y},
                                                   {0.0f, 0.0f}, nullptr, nullptr, window_);
        slot->SetOrder(digit * kSlotOrderStep + kSlotOrderBase);
        slotWindows_.push_back(slot);
    }
    for (Vantor::GUIWindow* slot : slotWindows_) {
        auto& food = slotFoods_.emplace_back(std::make_unique<Food>(gameData_, slot));
        food->AddIngredient(definition_->ingredient);
        food->SetAlpha(1.0f);
    }
}

Distributor::~Distributor() {
    slotFoods_.clear();
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    for (Vantor::GUIWindow* slot : slotWindows_) gui.DestroyWindow(slot);
    lower_.reset();
    upper_.reset();
    gui.DestroyWindow(selection_);
    gui.DestroyWindow(window_);
}

std::size_t Distributor::CountFullSlots() const {
    return static_cast<std::size_t>(
        std::count_if(slotFoods_.begin(), slotFoods_.end(), [](const auto& food) { return !food->GetLayers().empty(); }));
}

void Distributor::Update() {
    const std::size_t fullSlots = CountFullSlots();
    // Without slots there is nothing to refill and nothing to offer.
    if (fullSlots == 0 && !slotFoods_.empty()) {
        for (const auto& food : slotFoods_) {
            food->AddIngredient(definition_->ingredient);
            food->SetAlpha(0.0f);
        }
        refilling_ = true;
        refillTime_ = 0.0f;
    }
    if (refilling_) Refill();
    if (fullSlots != 0 && !refilling_) OfferToHand(fullSlots);
    for (const auto& food : slotFoods_) food->Update();
    for (AnimatedPart* part : {lower_.get(), upper_.get()})
        if (part) part->Update();
}

void Distributor::Refill() {
    refillTime_ += kRefillSpeed * Vantor::TimerManager::Instance()->GetFrameTime();
    for (std::size_t i = 0; i < slotFoods_.size(); ++i)
        slotFoods_[i]->SetAlpha(std::clamp(refillTime_ - kRefillDelay * static_cast<float>(i), 0.0f, 1.0f));
    const float length = (static_cast<float>(slotFoods_.size()) - 1.0f) * kRefillDelay + 1.0f;
    if (refillTime_ >= length) refilling_ = false;
}

void Distributor::OfferToHand(std::size_t fullSlots) {
    Food& held = *cursorFood_->GetFood();
    if (selection_) {
        if (!selection_->IsHovered() || !held.CanAddIngredient(definition_->ingredient)) return;
        if (CursorFood::IsLeftClick()) {
            Take(*slotFoods_[fullSlots - 1]);
        } else {
            for (const auto& food : slotFoods_) food->Highlight();
        }
        return;
    }
    const auto candidate =
        std::find_if(slotFoods_.begin(), slotFoods_.end(), [](const auto& food) { return food->IsHovered(); });
    if (candidate == slotFoods_.end() || !held.CanAddIngredient(definition_->ingredient)) return;
    if (CursorFood::IsLeftClick()) {
        Take(**candidate);
    } else {
        (*candidate)->Highlight();
    }
}

void Distributor::Take(Food& slot) {
    audio_->PlayEffect(kTakeSound);
    cursorFood_->GetFood()->AddIngredient(definition_->ingredient);
    slot.Clear();
}

void Distributor::EnableInput() {
    if (selection_) {
        Vantor::GUIManager::Instance()->GetExclusiveInputList().push_back(selection_);
        return;
    }
    const auto full = std::find_if(slotFoods_.rbegin(), slotFoods_.rend(),
                                   [](const auto& food) { return !food->GetLayers().empty(); });
    if (full != slotFoods_.rend()) (*full)->EnableInput();
}

}  // namespace Morvane
