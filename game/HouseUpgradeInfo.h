#pragma once
// One house upgrade: its price and the upgrades that must be built before it is offered.

#include <string>
#include <vector>

namespace Morvane {

struct HouseUpgradeInfo {
    std::string name;
    int cost = 0;
    std::vector<std::string> parts;
};

}  // namespace Morvane
