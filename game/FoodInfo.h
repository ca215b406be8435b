#pragma once
// One recipe of the provisions: a food of a group with its price, made of ingredient
// layers (bottom first), each drawn or not.

#include <string>
#include <vector>

namespace Morvane {

struct FoodInfo {
    std::string name;
    // The food group customer types, orders and layer placement refer to.
    std::string group;
    // Cleared when some machine lists this food among its outputs.
    bool madeByHand = true;
    bool canOrder = true;
    // The price of one item before the cafe class's multiplier; never negative.
    int cost = 0;
    // Parallel lists, one entry per layer.
    std::vector<std::string> ingredientNames;
    std::vector<bool> visibleFlags;
};

}  // namespace Morvane
