#pragma once
// One distributor of the room: a counter handing out one ingredient, taking part in a
// day only when every machine it requires stands in the room.

#include <string>
#include <vector>

namespace Morvane {

struct DistributorInfo {
    std::string name;
    std::string ingredient;
    std::vector<std::string> requiredMachines;
};

}  // namespace Morvane
