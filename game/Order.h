#pragma once
// What one customer asked for: food names in item order.

#include <string>
#include <vector>

namespace Morvane {

class Order {
public:
    Order() = default;
    virtual ~Order() = default;

    // Once per frame; an order has nothing to do yet.
    void Update() {}

    std::vector<std::string> items;
};

}  // namespace Morvane
