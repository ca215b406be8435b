#pragma once
// One customer type: its name (which names its shader) and the food groups it orders,
// each with whether the type needs that group.

#include <string>
#include <vector>

namespace Morvane {

struct CustomerInfo {
    std::string name;
    // Parallel lists.
    std::vector<std::string> groups;
    std::vector<bool> mustOrderFlags;
};

}  // namespace Morvane
