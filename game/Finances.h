#pragma once
// The day's money: the income (every sale and every tip, in money units) and the tips
// alone. Both start at 0 with the day; the customers add to them when an order is paid,
// and the in-day display and the day end read them.

#include <cstdint>

namespace Morvane {

class Finances {
public:
    Finances() = default;
    virtual ~Finances() = default;

    std::uint32_t income = 0;
    std::uint32_t tips = 0;
};

}  // namespace Morvane
