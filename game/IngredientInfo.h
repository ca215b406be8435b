#pragma once
// One ingredient of the provisions: its element name and its cost as read.

#include <string>

namespace Morvane {

struct IngredientInfo {
    std::string name;
    int cost = 0;
};

}  // namespace Morvane
