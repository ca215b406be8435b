#include "game/OrderManager.h"

#include <algorithm>
#include <array>

#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "framework/Tutorial.h"
#include "game/GameData.h"
#include "game/Order.h"

namespace Morvane {

namespace {

using Cycle = std::array<unsigned, OrderManager::kCycleLength>;

// Item counts by the number of chosen groups: one, two, three or more.
constexpr Cycle kOneGroupCycle = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr Cycle kTwoGroupCycle = {1, 2, 1, 2, 2, 1, 2, 1, 2, 2, 2, 1, 1, 2, 2, 1, 2, 2};
constexpr Cycle kManyGroupCycle = {3, 2, 1, 2, 2, 3, 2, 1, 3, 2, 3, 2, 1, 3, 2, 1, 2, 3};

const std::string kSoda = "soda";
const std::string kCoffee = "coffee";
const std::string kCream = "_with_cream_";
constexpr int kCreamRedraws = 100;

// The tutorial's first orders, each waiting for its hint: day 0 only, or any day.
constexpr unsigned kFirstCakeHint = 3;
constexpr unsigned kSecondCakeHint = 6;
constexpr unsigned kCoffeeHint = 16;
// Set when the player turned the tutorial off.
constexpr unsigned kTutorialOffBit = 0;

bool HasCream(const std::string& name) { return name.find(kCream) != std::string::npos; }

void RemoveLast(std::vector<std::size_t>& list, std::size_t value) {
    const auto found = std::find(list.rbegin(), list.rend(), value);
    if (found != list.rend()) list.erase(std::next(found).base());
}

}  // namespace

OrderManager::OrderManager(GameData* gameData, GameFramework::Tutorial* tutorial, unsigned day)
    : gameData_(gameData), tutorial_(tutorial), day_(day), sizeCounter_(Vantor::Random()) {}

OrderManager::~OrderManager() = default;

std::size_t OrderManager::FindGroup(const std::string& group) const {
    return static_cast<std::size_t>(std::find(groups_.begin(), groups_.end(), group) - groups_.begin());
}

void OrderManager::AddProduct(const std::string& foodName) {
    const FoodInfo* food = gameData_->FindFood(foodName);
    if (!food) {
        Vantor::MessageManager::Instance()->PrintError("No food \"" + foodName + "\" to order");
        return;
    }
    const std::size_t group = FindGroup(food->group);
    if (group == groups_.size()) {
        groups_.push_back(food->group);
        products_.emplace_back();
        made_.emplace_back();
    }
    products_[group].push_back(foodName);
}

void OrderManager::AddMachineProduct(const std::string& foodName) {
    const FoodInfo* food = foodName.empty() ? nullptr : gameData_->FindFood(foodName);
    if (!food || !food->canOrder) return;
    const std::size_t group = FindGroup(food->group);
    if (group < groups_.size()) made_[group].push_back(foodName);
}

Order* OrderManager::Keep(std::vector<std::string> items) {
    orders_.push_back(std::make_unique<Order>());
    orders_.back()->items = std::move(items);
    return orders_.back().get();
}

std::string OrderManager::TutorialOrder() const {
    if (tutorial_->IsShown(kTutorialOffBit)) return "";
    if (day_ == 0 && !tutorial_->IsShown(kFirstCakeHint)) return "cake_13";
    if (day_ == 0 && !tutorial_->IsShown(kSecondCakeHint)) return "cake_07";
    if (!tutorial_->IsShown(kCoffeeHint) && FindGroup(kCoffee) < groups_.size()) return "coffee_black";
    return "";
}

std::vector<std::size_t> OrderManager::ChooseGroups(const CustomerInfo& type) const {
    std::vector<std::size_t> chosen;
    DrinkState soda = DrinkState::Absent;
    DrinkState coffee = DrinkState::Absent;
    const auto mark = [&](const std::string& group, DrinkState state) {
        if (group == kSoda) soda = state;
        if (group == kCoffee) coffee = state;
    };
    if (type.groups.empty()) {
        for (std::size_t group = 0; group < groups_.size(); ++group) chosen.push_back(group);
    }
    for (std::size_t i = 0; i < type.groups.size(); ++i) {
        const std::size_t group = FindGroup(type.groups[i]);
        if (type.mustOrderFlags[i] || group == groups_.size()) continue;
        chosen.push_back(group);
        mark(type.groups[i], DrinkState::Optional);
    }
    Vantor::RandomShuffle(chosen);
    Vantor::RandomShuffle(chosen);
    for (std::size_t i = 0; i < type.groups.size(); ++i) {
        const std::size_t group = FindGroup(type.groups[i]);
        // A must group the room cannot make today is passed over.
        if (!type.mustOrderFlags[i] || group == groups_.size()) continue;
        chosen.insert(chosen.begin(), group);
        mark(type.groups[i], DrinkState::Required);
    }
    if (soda == DrinkState::Optional && coffee == DrinkState::Optional)
        RemoveLast(chosen, FindGroup(Vantor::RandomBool() ? kCoffee : kSoda));
    else if (soda == DrinkState::Required && coffee == DrinkState::Optional)
        RemoveLast(chosen, FindGroup(kCoffee));
    else if (soda == DrinkState::Optional && coffee == DrinkState::Required)
        RemoveLast(chosen, FindGroup(kSoda));
    return chosen;
}

unsigned OrderManager::NextItemCount(std::size_t groupCount) {
    const Cycle& cycle = groupCount == 1 ? kOneGroupCycle : groupCount == 2 ? kTwoGroupCycle : kManyGroupCycle;
    sizeCounter_ %= kCycleLength;
    return cycle[sizeCounter_++];
}

OrderManager::Item OrderManager::DrawItem(std::size_t group) {
    std::vector<std::string>& made = made_[group];
    if (!made.empty() && Vantor::RandomBool()) {
        Item item{made.back(), true};
        made.pop_back();
        return item;
    }
    return {Vantor::RandomElement(products_[group]), false};
}

void OrderManager::RedrawOneCreamItem(std::vector<Item>& items, const std::vector<std::size_t>& groups) const {
    const auto creamy = [](const Item& item) { return HasCream(item.name); };
    if (std::count_if(items.begin(), items.end(), creamy) <= 1) return;
    const bool forward = Vantor::RandomBool();
    for (std::size_t step = 0; step < items.size(); ++step) {
        const std::size_t i = forward ? step : items.size() - 1 - step;
        if (items[i].machineMade || !HasCream(items[i].name)) continue;
        for (int draw = 0; draw < kCreamRedraws && HasCream(items[i].name); ++draw)
            items[i].name = Vantor::RandomElement(products_[groups[i]]);
        return;
    }
}

Order* OrderManager::GenerateOrder(const CustomerInfo& type) {
    const std::string tutorialItem = TutorialOrder();
    if (!tutorialItem.empty()) return Keep({tutorialItem});

    std::vector<std::size_t> groups = ChooseGroups(type);
    const std::size_t k = std::min<std::size_t>(groups.size(), gameData_->GetBalloonPlaceCount());
    if (k == 0) return Keep({});
    groups.resize(k);
    std::sort(groups.begin(), groups.end());

    const unsigned count = NextItemCount(k);
    std::vector<Item> items;
    for (unsigned i = 0; i < count; ++i) items.push_back(DrawItem(groups[i]));
    RedrawOneCreamItem(items, groups);

    std::vector<std::string> names;
    for (const Item& item : items) names.push_back(item.name);
    return Keep(std::move(names));
}

void OrderManager::Update() {
    for (const auto& order : orders_) order->Update();
}

}  // namespace Morvane
