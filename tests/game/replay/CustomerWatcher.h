#pragma once
// Watches the customers of a running day after each frame and keeps a record of each:
// when and where it came, its type and order, what it paid and at which mood (read in
// the frame of the payment, after which the patience stands still) and its rating.

#include <map>
#include <vector>

#include "tests/game/replay/DayLog.h"

namespace Morvane {
class Customer;
class CustomerManager;
}  // namespace Morvane

namespace replay {

class CustomerWatcher {
public:
    void Observe(unsigned frame, const Morvane::CustomerManager& customers);
    const std::vector<CustomerRecord>& GetRecords() const { return records_; }

private:
    void Follow(const Morvane::Customer& customer, CustomerRecord& record);

    std::vector<CustomerRecord> records_;
    // Present customers and their records' index.
    std::map<const Morvane::Customer*, std::size_t> present_;
};

}  // namespace replay
