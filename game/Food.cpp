#include "game/Food.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"
#include "game/Ingredient.h"

namespace Morvane {

namespace {

const std::string kDoneModel = "provisions/food/done/model";
const std::string kDoneShader = "provisions/food/done/shader";
const std::string kPlacements = "provisions/food/";
constexpr float kTolerance = 0.0001f;

}  // namespace

Food::Food(GameData* gameData, Vantor::GUIWindow* parent) : gameData_(gameData) {
    static_assert(std::tuple_size_v<decltype(matches_)> == GameData::kMaxLayers);
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    root_ = gui.CreateEmptyWindow(Vantor::GUIWindow::kShown, parent);
    done_ = gui.CreateWindow(0, {0.0f, 0.0f}, {1.0f, 1.0f}, gameData_->GetModel(kDoneModel), nullptr, root_);
    done_->SetShader(gameData_->GetShaderUser(kDoneShader));
}

Food::~Food() {
    layers_.clear();
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    gui.DestroyWindow(root_);
    gui.DestroyWindow(done_);
}

std::vector<std::string> Food::LayerNames() const {
    std::vector<std::string> names;
    for (const auto& layer : layers_) names.push_back(layer->GetName());
    return names;
}

void Food::ResetMatches(std::size_t count) {
    std::fill_n(matches_.begin(), std::min(count, matches_.size()), true);
}

unsigned Food::TakeMatch(const std::vector<std::string>& slots, const std::string& name) {
    const std::size_t count = std::min(slots.size(), matches_.size());
    for (std::size_t slot = 0; slot < count; ++slot) {
        if (matches_[slot] && slots[slot] == name) {
            matches_[slot] = false;
            return static_cast<unsigned>(slot);
        }
    }
    return static_cast<unsigned>(slots.size());
}

void Food::ResetRecipeMatches(const FoodInfo& recipe) { ResetMatches(recipe.ingredientNames.size()); }

unsigned Food::TakeRecipeMatch(const FoodInfo& recipe, const std::string& name) {
    return TakeMatch(recipe.ingredientNames, name);
}

void Food::ResetLayerMatches(const Food* other) { ResetMatches(other->layers_.size()); }

unsigned Food::TakeLayerMatch(const Food* other, const std::string& name) { return TakeMatch(other->LayerNames(), name); }

bool Food::Contains(const FoodInfo& recipe, const std::vector<std::string>& names) {
    ResetRecipeMatches(recipe);
    const unsigned missing = static_cast<unsigned>(recipe.ingredientNames.size());
    return std::all_of(names.begin(), names.end(),
                       [&](const std::string& name) { return TakeRecipeMatch(recipe, name) != missing; });
}

const FoodInfo* Food::FindContainingRecipe(const std::vector<std::string>& names) {
    for (const auto& recipe : gameData_->GetFoods())
        if (Contains(*recipe, names)) return recipe.get();
    return nullptr;
}

void Food::AddIngredient(const std::string& name) {
    layers_.push_back(std::make_unique<Ingredient>(gameData_, root_, name));
    extent_ = {0.0f, 0.0f};
    const std::vector<std::string> names = LayerNames();
    const FoodInfo* recipe = FindContainingRecipe(names);
    if (!recipe) return;
    if (names.size() == recipe->ingredientNames.size()) {
        name_ = recipe->name;
        price_ = recipe->cost;
    }
    LayOut(*recipe, names);
}

void Food::LayOut(const FoodInfo& recipe, const std::vector<std::string>& names) {
    ResetRecipeMatches(recipe);
    std::vector<unsigned> slots;
    for (const std::string& name : names) slots.push_back(TakeRecipeMatch(recipe, name));
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        const unsigned place = static_cast<unsigned>(
            std::count_if(slots.begin(), slots.end(), [&](unsigned slot) { return slot < slots[i]; }));
        const bool shown = (place < recipe.visibleFlags.size() && recipe.visibleFlags[place]) || layers_.size() == 1;
        if (!shown) {
            layers_[i]->SetPosition(kParked, place);
            continue;
        }
        const Vantor::Model* placement =
            gameData_->GetModel(kPlacements + recipe.group + "_" + std::to_string(place));
        layers_[i]->SetPositionFromModel(placement, place);
        const Vantor::Vector3& corner = placement->GetBoundingBox().worldMax;
        extent_ = {std::max(extent_.x, corner.x), std::max(extent_.y, corner.y)};
    }
}

void Food::AddIngredientsOf(const Food* other) {
    if (!other) return;
    for (const std::string& name : other->LayerNames()) AddIngredient(name);
}

void Food::BuildRecipe(const std::string& recipeName) {
    const FoodInfo* recipe = gameData_->FindFood(recipeName);
    if (!recipe) return;
    for (const std::string& name : recipe->ingredientNames) AddIngredient(name);
}

bool Food::CanAddIngredient(const std::string& name) {
    const std::vector<std::string> names = LayerNames();
    for (const auto& recipe : gameData_->GetFoods()) {
        if (Contains(*recipe, names) && TakeRecipeMatch(*recipe, name) != recipe->ingredientNames.size())
            return true;
    }
    return false;
}

bool Food::HasIngredient(const std::string& name) const {
    return std::any_of(layers_.begin(), layers_.end(), [&](const auto& layer) { return layer->GetName() == name; });
}

void Food::Clear() {
    layers_.clear();
    extent_ = {0.0f, 0.0f};
    price_ = 0;
}

void Food::MarkDone() {
    done_->SetFlags(Vantor::GUIWindow::kShown);
    done_->SetAlpha(0.0f);
    const Vantor::Vector3& half = gameData_->GetModel(kDoneModel)->GetBoundingBox().halfExtents;
    done_->SetPosition(extent_ * 0.5f - Vantor::Vector2{half.x, half.y});
    done_->SetOrder(static_cast<int>(2 * layers_.size() + 4));
    const Vantor::ShaderUser* material = done_->GetShaderUser();
    Vantor::AnimationControl* stage =
        material && material->GetStageCount() > 0 ? material->GetAnimationControl(0) : nullptr;
    if (!stage) {
        Vantor::MessageManager::Instance()->PrintError("The done symbol's shader \"" + kDoneShader +
                                                        "\" has no texture stage to animate");
        return;
    }
    stage->SetLoop(false);
    stage->SetPosition(0.0f);
    stage->Play();
}

bool Food::IsDone() const { return done_->IsVisible(); }

void Food::Highlight() {
    for (const auto& layer : layers_) layer->Highlight();
}

bool Food::IsHovered() const {
    return std::any_of(layers_.begin(), layers_.end(), [](const auto& layer) { return layer->IsHovered(); });
}

void Food::BlinkLayer(std::size_t index) {
    if (index < layers_.size()) layers_[index]->StartErrorBlink();
}

const std::string& Food::GetLayerName(std::size_t index) const {
    static const std::string kNoLayer;
    return index < layers_.size() ? layers_[index]->GetName() : kNoLayer;
}

void Food::SetLayersVisible(bool visible) {
    for (const auto& layer : layers_) layer->SetVisible(visible);
}

void Food::SetAlpha(float alpha) {
    for (const auto& layer : layers_) layer->SetAlpha(alpha);
}

float Food::GetAlpha() const { return layers_.empty() ? 1.0f : layers_.front()->GetAlpha(); }

void Food::SetPosition(const Vantor::Vector2& position) { root_->SetPosition(position); }

Vantor::Vector2 Food::GetPosition() const { return root_->GetPosition() + root_->GetAbsolutePosition(); }

void Food::MoveTo(const Vantor::Vector2& target) {
    flying_ = true;
    arrived_ = false;
    flightTime_ = 0.0f;
    flightStart_ = GetPosition();
    flightTarget_ = target;
}

void Food::SetParent(Vantor::GUIWindow* parent) { root_->SetParent(parent); }

void Food::EnableInput() {
    for (const auto& layer : layers_) layer->EnableInput();
}

void Food::Update() {
    const float dt = Vantor::TimerManager::Instance()->GetFrameTime();
    if (done_->IsVisible()) {
        const float alpha = GetAlpha();
        const float done = std::max(0.0f, std::min(done_->GetAlpha() + kDoneFadeRate * dt, alpha));
        done_->SetAlpha(done);
        const Vantor::Color colour = Vantor::Color{1.0f, 1.0f, 1.0f, alpha} * (1.0f - done) +
                                     Vantor::Color{kDoneGrey, kDoneGrey, kDoneGrey, alpha} * done;
        for (const auto& layer : layers_) layer->SetColor(colour);
    }
    if (flying_) {
        flightTime_ += dt;
        const Vantor::Vector2 way = flightTarget_ - flightStart_;
        const float distance = std::sqrt(way.LengthSquared());
        const float travelled = std::max(0.0f, flightTime_) * kFlightSpeed;
        const float progress = distance > 0.0f ? std::clamp(travelled / distance, 0.0f, 1.0f) : 1.0f;
        SetPosition(flightStart_ + way * progress);
        if (progress + kTolerance > 1.0f) {
            flying_ = false;
            arrived_ = true;
        }
    } else {
        arrived_ = false;
    }
    for (const auto& layer : layers_) layer->Update();
}

}  // namespace Morvane
