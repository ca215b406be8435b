#include "tests/game/replay/CustomerWatcher.h"

#include <algorithm>

#include "game/Customer.h"
#include "game/CustomerInfo.h"
#include "game/CustomerManager.h"
#include "game/Food.h"

namespace replay {

void CustomerWatcher::Observe(unsigned frame, const Morvane::CustomerManager& customers) {
    std::map<const Morvane::Customer*, std::size_t> present;
    for (const auto& customer : customers.GetCustomers()) {
        if (!customer) continue;
        auto known = present_.find(customer.get());
        std::size_t index = 0;
        if (known != present_.end()) {
            index = known->second;
        } else {
            index = records_.size();
            CustomerRecord& record = records_.emplace_back();
            record.arrivalFrame = frame;
            record.place = customer->GetPlace();
            record.type = customer->GetType()->name;
            for (const auto& item : customer->GetOrderItems()) record.order.push_back(item->GetName());
        }
        present.emplace(customer.get(), index);
        Follow(*customer, records_[index]);
    }
    present_ = std::move(present);
}

void CustomerWatcher::Follow(const Morvane::Customer& customer, CustomerRecord& record) {
    const auto& items = customer.GetOrderItems();
    const bool allDone = !items.empty() && std::all_of(items.begin(), items.end(), [](const auto& item) {
        return item->IsDone();
    });
    if (allDone && !record.paid) {
        record.paid = true;
        record.moodAtPayment = customer.GetMood();
        record.price = customer.GetPrice();
        record.tip = customer.GetTip();
    }
    if (customer.GetState() >= Morvane::kShowingRating) record.rating = static_cast<int>(customer.GetRating());
}

}  // namespace replay
