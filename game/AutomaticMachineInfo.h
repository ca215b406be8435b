#pragma once
// One automatic machine of the room: its drawing layer, its productions (production k
// turns the food inputs[k] into outputs[k]) and its animations, whose index is the
// animation range id.

#include <memory>
#include <string>
#include <vector>

#include "game/MachineAnimationInfo.h"

namespace Morvane {

struct AutomaticMachineInfo {
    std::string name;
    int layer = 0;
    // The input item is hidden while the machine works on it.
    bool hideInput = false;
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
    std::vector<std::unique_ptr<MachineAnimationInfo>> animations;
};

}  // namespace Morvane
