#include "game/CustomerManager.h"

#include <algorithm>

#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Random.h"
#include "engine/kernel/TimerManager.h"
#include "framework/AudioManager.h"
#include "game/CursorFood.h"
#include "game/Customer.h"
#include "game/GameData.h"
#include "game/Order.h"
#include "game/OrderManager.h"
#include "tools/RandomSelecter.h"

namespace Morvane {

CustomerManager::CustomerManager(GameFramework::AudioManager* audio, GameData* gameData,
                                 GUITools::GUIToolManager* tools, OrderManager* orders, CursorFood* cursorFood,
                                 Vantor::GUIWindow* dayWindow, Finances* finances,
                                 GUIGameLogicTextManager* floatingTexts, int day, float mood, float priceMultiplier,
                                 unsigned machineCount)
    : audio_(audio),
      gameData_(gameData),
      tools_(tools),
      orders_(orders),
      cursorFood_(cursorFood),
      dayWindow_(dayWindow),
      finances_(finances),
      floatingTexts_(floatingTexts),
      machineCount_(machineCount),
      mood_(mood),
      typeSelector_(std::make_unique<GameTools::RandomSelecter>(1)),
      timeToNext_(FirstGap(machineCount)),
      priceMultiplier_(priceMultiplier),
      day_(day),
      firstCustomerPending_(day == 0) {}

CustomerManager::~CustomerManager() {
    typeSelector_.reset();
    customers_.clear();
}

void CustomerManager::AddCustomerType(const CustomerInfo* type) {
    typeSelector_->Add(static_cast<int>(types_.size()), 1);
    types_.push_back(type);
}

float CustomerManager::FirstGap(unsigned machineCount) {
    const float k = std::clamp(static_cast<float>(machineCount - std::min(machineCount, 5u)) / 10.0f, 0.0f, 1.0f);
    return 3.0f + 2.0f * k;
}

float CustomerManager::BusyFactor(unsigned machineCount) {
    const auto n = static_cast<float>(machineCount);
    if (machineCount <= 1) return 1.0f;
    if (machineCount <= 12) return std::clamp((n - 1.0f) / 9.0f, 0.0f, 1.0f);
    if (machineCount <= 15) return std::clamp((n - 12.0f) / 6.0f + 0.25f, 0.0f, 1.0f);
    return 0.5f;
}

std::pair<float, float> CustomerManager::GapBounds(unsigned machineCount, float progress) {
    const float idle = 1.0f - BusyFactor(machineCount);
    const float x = progress;
    return {x * (idle * 2.1f + 1.3f) + (1.0f - x) * (idle * 0.7f + 4.9f),
            x * (idle * 2.1f + 2.6f) + (1.0f - x) * (idle * 0.7f + 5.8f)};
}

unsigned CustomerManager::GetLimit() const {
    const unsigned places = gameData_->GetCustomerPlaceCount();
    static constexpr unsigned kLimitByTypes[] = {0, 1, 2, 2, 3};
    unsigned limit = types_.size() >= 1 && types_.size() <= 4 ? kLimitByTypes[types_.size()] : places;
    if (day_ == 0) limit = 1;
    return std::min(limit, places);
}

unsigned CustomerManager::CountActiveCustomers() const {
    return static_cast<unsigned>(std::count_if(customers_.begin(), customers_.end(), [](const auto& customer) {
        return customer->GetState() < kItemsFadingOut;
    }));
}

void CustomerManager::EnableCustomersInput() {
    for (const auto& customer : customers_) customer->EnableInput();
}

void CustomerManager::Update(float progress, bool arrivalsAllowed, bool moodsDrain, bool rightClickServing) {
    if (!spawnHold_ && arrivalsAllowed && customers_.size() < gameData_->GetCustomerPlaceCount() &&
        CountActiveCustomers() < GetLimit())
        timeToNext_ -= Vantor::TimerManager::Instance()->GetFrameTime();
    if (timeToNext_ < 0.0f) Arrive(progress);
    UpdateCustomers(moodsDrain);
    if (rightClickServing && CursorFood::IsRightClick()) ServeByRightClick();
}

std::vector<unsigned> CustomerManager::FreePlaces() const {
    std::vector<unsigned> free;
    for (unsigned place = 0; place < gameData_->GetCustomerPlaceCount(); ++place)
        if (std::none_of(customers_.begin(), customers_.end(),
                         [&](const auto& customer) { return customer->GetPlace() == place; }))
            free.push_back(place);
    return free;
}

void CustomerManager::Arrive(float progress) {
    if (types_.empty()) {
        if (!noTypeReported_)
            Vantor::MessageManager::Instance()->PrintWarning("No customer type may come today: nobody comes");
        noTypeReported_ = true;
        return;
    }
    // An arrival the tutorial forces while every place is taken waits, undrawn, for one.
    const std::vector<unsigned> free = FreePlaces();
    if (free.empty()) return;

    const auto [lower, upper] = GapBounds(machineCount_, progress);
    timeToNext_ = Vantor::RandomRange(lower, upper);
    const CustomerInfo* type = types_[static_cast<std::size_t>(typeSelector_->Select())];
    unsigned place = 0;
    if (firstCustomerPending_)
        type = types_.front();
    else
        place = free[Vantor::RandomInt(static_cast<std::uint32_t>(free.size()))];
    Order* order = orders_->GenerateOrder(*type);
    if (std::none_of(order->items.begin(), order->items.end(),
                     [&](const std::string& name) { return gameData_->FindFood(name) != nullptr; })) {
        Vantor::MessageManager::Instance()->PrintWarning("A customer of the type \"" + type->name +
                                                          "\" got an order without any known food: nobody comes");
        return;
    }
    firstCustomerPending_ = false;
    customers_.push_back(std::make_unique<Customer>(audio_, gameData_, tools_, cursorFood_, dayWindow_, finances_,
                                                    floatingTexts_, mood_, order, type, place, priceMultiplier_));
    ++customersCome_;
}

void CustomerManager::UpdateCustomers(bool moodsDrain) {
    for (auto& customer : customers_) {
        customer->Update(moodsDrain);
        if (customer->IsAlive()) continue;
        if (customer->GetRating() < kRanOut) ++customersServed_;
        ratingSum_ += static_cast<float>(customer->GetRating());
        customer.reset();
    }
    std::erase(customers_, nullptr);
}

void CustomerManager::ServeByRightClick() {
    Food* held = cursorFood_->GetFood();
    Customer* chosen = nullptr;
    for (const auto& customer : customers_) {
        if (customer->GetState() != kWaiting || customer->GetMood() <= kRightClickMinimumMood ||
            !customer->FindOrderItem(held))
            continue;
        if (!chosen || customer->GetMood() < chosen->GetMood()) chosen = customer.get();
    }
    if (!chosen) {
        audio_->PlayEffect("28");
        return;
    }
    chosen->ReceiveFood(held);
    cursorFood_->Release();
}

}  // namespace Morvane
