#include "game/AutomaticMachine.h"

#include <algorithm>
#include <utility>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/BoundingBox.h"
#include "engine/render/Model.h"
#include "framework/AudioManager.h"
#include "game/AnimatedPart.h"
#include "game/AutomaticMachineInfo.h"
#include "game/CursorFood.h"
#include "game/Food.h"
#include "game/GameData.h"
#include "game/Ingredient.h"
#include "game/OrderManager.h"

namespace Morvane {

namespace {

// The effect of a machine by the first of these name parts found in its name.
constexpr std::pair<const char*, const char*> kSounds[] = {
    {"dustbin", "29"}, {"soda", "30"},       {"coffee", "31"}, {"ice_cream", "33"},
    {"cream", "32"},   {"candyfloss", "34"}, {"popcorn", "35"}};

// Where an input with "hide_input" waits out its production.
constexpr Vantor::Vector2 kOutOfSight{10000.0f, 10000.0f};

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

Vantor::Vector2 CornerOf(const Vantor::Model* place) {
    const Vantor::Vector3& corner = place->GetBoundingBox().worldMin;
    return {corner.x, corner.y};
}

}  // namespace

AutomaticMachine::AutomaticMachine(GameFramework::AudioManager* audio, GameData* gameData, CursorFood* cursorFood,
                                   Vantor::GUIWindow* parent, Finances* /*finances*/,
                                   GUIGameLogicTextManager* /*texts*/, OrderManager* orders, const std::string& name)
    : audio_(audio), gameData_(gameData), cursorFood_(cursorFood), orders_(orders), name_(name),
      definition_(gameData->FindAutomaticMachine(name)) {
    if (!definition_) Vantor::MessageManager::Instance()->PrintFatalError("Can't find \"" + name + "\"machine");
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    window_ = gui.CreateEmptyWindow(Vantor::GUIWindow::kShown, parent);
    window_->SetOrder(definition_->layer * kLayerOrderStep);

    const std::string prefix = "room/automatic_machines/" + name + "/";
    lower_ = AnimatedPart::Create(gameData_, prefix + "lower", window_);
    upper_ = AnimatedPart::Create(gameData_, prefix + "upper", window_);
    if (upper_) upper_->GetWindow()->SetOrder(kUpperOrder);
    const auto& animations = definition_->animations;
    for (std::size_t j = 0; j < animations.size(); ++j) {
        const MachineAnimationInfo& record = *animations[j];
        const auto range = static_cast<std::int32_t>(j);
        const auto first = static_cast<std::uint32_t>(record.startFrame);
        const auto last = static_cast<std::uint32_t>(record.endFrame);
        if (lower_ && record.layer.find("lower") != std::string::npos) lower_->GetControl().AddRange(range, first, last);
        if (upper_ && record.layer.find("upper") != std::string::npos) upper_->GetControl().AddRange(range, first, last);
    }
    FindPlaces("input", inputPlaces_);
    FindPlaces("output", outputPlaces_);
    selection_ = gui.CreateAreaWindowFromModel(*gameData_->GetModel(prefix + "selection"), nullptr);
    for (const auto& [part, sound] : kSounds) {
        if (name_.find(part) == std::string::npos) continue;
        soundKey_ = sound;
        break;
    }
}

AutomaticMachine::~AutomaticMachine() {
    item_.reset();
    finished_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(selection_);
    lower_.reset();
    upper_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(window_);
}

void AutomaticMachine::FindPlaces(const std::string& kind, Places& places) {
    const std::string prefix = "room/automatic_machines/" + name_ + "/" + kind;
    if (gameData_->HasModel(prefix)) places[kDefaultPlace] = gameData_->GetModel(prefix);
    auto addGroupOf = [&](const std::string& foodName) {
        const std::string& group = GroupOf(foodName);
        if (!gameData_->HasModel(prefix + "_" + group)) return;
        places.emplace(group, gameData_->GetModel(prefix + "_" + group));
    };
    const std::vector<std::string>& foods = kind == "input" ? definition_->inputs : definition_->outputs;
    if (!definition_->inputs.empty()) {
        for (const std::string& food : foods) addGroupOf(food);
        return;
    }
    for (const auto& food : gameData_->GetFoods()) addGroupOf(food->name);
}

const std::string& AutomaticMachine::GroupOf(const std::string& foodName) const {
    static const std::string kNoGroup;
    const FoodInfo* food = gameData_->FindFood(foodName);
    return food ? food->group : kNoGroup;
}

const Vantor::Model* AutomaticMachine::FindPlace(const Places& places, const std::string& group) {
    auto place = places.find(group);
    if (place == places.end()) place = places.find(kDefaultPlace);
    return place == places.end() ? nullptr : place->second;
}

const Vantor::Model* AutomaticMachine::GetInputPlace(const std::string& foodName) const {
    return FindPlace(inputPlaces_, GroupOf(foodName));
}

const Vantor::Model* AutomaticMachine::GetOutputPlace(const std::string& foodName) const {
    return FindPlace(outputPlaces_, GroupOf(foodName));
}

void AutomaticMachine::EnableInput() { Vantor::GUIManager::Instance()->GetExclusiveInputList().push_back(selection_); }

Vantor::GUIWindow* AutomaticMachine::LowerWindow() const { return lower_ ? lower_->GetWindow() : window_; }

Vantor::GUIWindow* AutomaticMachine::UpperWindow() const { return upper_ ? upper_->GetWindow() : LowerWindow(); }

void AutomaticMachine::Update() {
    if (item_) {
        item_->Update();
        if (item_->HasArrived()) StartProduction();
    } else if (selection_->IsHovered()) {
        HandleHand();
    }
    UpdateParts();
    if (finished_) finished_->Update();
}

void AutomaticMachine::StartProduction() {
    const bool hide = definition_->hideInput;
    if (hide) item_->SetPosition(kOutOfSight);
    const std::string& group = GroupOf(item_->GetName());
    bool started = false;
    const auto& animations = definition_->animations;
    for (std::size_t j = 0; j < animations.size(); ++j) {
        const MachineAnimationInfo& record = *animations[j];
        if (!record.group.empty() && record.group != group) continue;
        for (const auto& [part, layer] : {std::pair{lower_.get(), "lower"}, std::pair{upper_.get(), "upper"}}) {
            if (!part || record.layer.find(layer) == std::string::npos) continue;
            Vantor::AnimationControl& control = part->GetControl();
            control.SetRange(static_cast<std::int32_t>(j));
            control.SetLoop(false);
            control.SetPosition(hide ? 1.0f : 0.0f);
            control.SetSpeed(record.speed);
            control.Play();
            started = true;
        }
    }
    // Without an animation the product comes out in this very frame.
    if (!started) completePending_ = true;
    if (soundKey_) audio_->PlayEffect(soundKey_);
}

bool AutomaticMachine::HasPlaceFor(const Vantor::Model* place, const std::string& kind, const std::string& foodName) {
    if (place) return true;
    if (placeless_.insert(kind + " " + foodName).second)
        Vantor::MessageManager::Instance()->PrintError("Machine \"" + name_ + "\" has no " + kind + " place for \"" +
                                                       foodName + "\"");
    return false;
}

void AutomaticMachine::HandleHand() {
    Food& held = *cursorFood_->GetFood();
    const bool empty = held.GetLayers().empty();
    bool acceptInput = false;
    bool acceptProduct = false;
    if (!empty) {
        const std::string& name = held.GetName();
        const bool productions = !definition_->inputs.empty();
        acceptInput = inputPlaces_.empty() || !productions || Contains(definition_->inputs, name);
        acceptProduct = productions && Contains(definition_->outputs, name);
        // A food the machine takes but cannot place is neither put in nor stored.
        if (acceptInput && !inputPlaces_.empty()) acceptInput = HasPlaceFor(GetInputPlace(name), "input", name);
        if (acceptProduct) acceptProduct = HasPlaceFor(GetOutputPlace(name), "output", name);
        if (!acceptInput && !acceptProduct) return;
    }
    if (CursorFood::IsLeftClick()) {
        if (HandleLeftClick(acceptInput, acceptProduct)) audio_->PlayEffect(kMoveSound);
        return;
    }
    if (CursorFood::IsRightClick() && empty && finished_) {
        HandOverFinished();
        audio_->PlayEffect(kMoveSound);
        return;
    }
    held.Highlight();
    if (finished_) finished_->Highlight();
}

bool AutomaticMachine::HandleLeftClick(bool acceptInput, bool acceptProduct) {
    const bool empty = cursorFood_->GetFood()->GetLayers().empty();
    if (inputPlaces_.empty()) {
        // The dustbin.
        if (empty) return false;
        cursorFood_->Clear();
        return true;
    }
    if (acceptInput && finished_ && CanCombineWithHand()) {
        cursorFood_->GetFood()->AddIngredientsOf(finished_.get());
        finished_.reset();
        return true;
    }
    if (acceptInput) {
        PutIn();
        return true;
    }
    if (acceptProduct) {
        PutBack();
        return true;
    }
    if (!empty || !finished_) return false;
    HandOverFinished();
    return true;
}

bool AutomaticMachine::CanCombineWithHand() {
    Food scratch(gameData_, nullptr);
    scratch.AddIngredientsOf(finished_.get());
    for (const auto& layer : cursorFood_->GetFood()->GetLayers()) {
        if (!scratch.CanAddIngredient(layer->GetName())) return false;
        scratch.AddIngredient(layer->GetName());
    }
    return true;
}

void AutomaticMachine::PutIn() {
    item_.reset(cursorFood_->GetFood());
    cursorFood_->Release();
    item_->SetParent(LowerWindow());
    item_->MoveTo(CornerOf(GetInputPlace(item_->GetName())));
    completePending_ = false;
    if (!finished_) return;
    // The player swaps the input for the waiting product.
    cursorFood_->GetFood()->AddIngredientsOf(finished_.get());
    finished_.reset();
}

void AutomaticMachine::PutBack() {
    std::unique_ptr<Food> waiting = std::move(finished_);
    finished_.reset(cursorFood_->GetFood());
    cursorFood_->Release();
    finished_->SetParent(UpperWindow());
    if (definition_->hideInput) finished_->SetLayersVisible(false);
    finished_->SetPosition(CornerOf(GetOutputPlace(finished_->GetName())));
    if (waiting) cursorFood_->GetFood()->AddIngredientsOf(waiting.get());
    // The machine shows its finished look.
    for (AnimatedPart* part : {lower_.get(), upper_.get()})
        if (part) part->GetControl().SetPositionToEnd();
}

void AutomaticMachine::HandOverFinished() {
    cursorFood_->GetFood()->AddIngredientsOf(finished_.get());
    finished_.reset();
    for (AnimatedPart* part : {lower_.get(), upper_.get()})
        if (part) part->GetControl().SetPosition(0.0f);
}

void AutomaticMachine::UpdateParts() {
    for (AnimatedPart* part : {lower_.get(), upper_.get()})
        if (part && part->Update()) completePending_ = true;
    const bool running = (lower_ && lower_->GetControl().IsPlaying()) || (upper_ && upper_->GetControl().IsPlaying());
    if (item_ && completePending_ && !running) CompleteProduction();
}

void AutomaticMachine::CompleteProduction() {
    completePending_ = false;
    const std::string& itemName = item_->GetName();
    const auto& inputs = definition_->inputs;
    const auto production = std::find(inputs.begin(), inputs.end(), itemName);
    std::string output = itemName;
    if (production != inputs.end()) {
        output = definition_->outputs[static_cast<std::size_t>(production - inputs.begin())];
    } else {
        orders_->AddMachineProduct(itemName);
    }
    if (const Vantor::Model* place = GetOutputPlace(output)) {
        finished_ = std::make_unique<Food>(gameData_, UpperWindow());
        if (output == itemName) {
            finished_->AddIngredientsOf(item_.get());
        } else {
            finished_->BuildRecipe(output);
        }
        finished_->SetPosition(CornerOf(place));
        if (definition_->hideInput) finished_->SetLayersVisible(false);
    }
    item_.reset();
}

}  // namespace Morvane
