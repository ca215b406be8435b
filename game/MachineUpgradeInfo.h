#pragma once
// A machine the player can buy: its room name, the qualification level it needs and its
// price.

#include <string>

namespace Morvane {

struct MachineUpgradeInfo {
    std::string name;
    int qualification = 0;
    int cost = 0;
};

}  // namespace Morvane
