#pragma once
// The character tables: the cafe's mood changes, the cumulative qualification
// thresholds, the machines for sale and the cafe classes (entry i: i machines bought).

#include <memory>
#include <vector>

#include "game/CafeClassInfo.h"
#include "game/MachineUpgradeInfo.h"

namespace Morvane {

struct CharacterInfo {
    // Applied at a day's end while house upgrades remain to be built.
    float dayChange = 0.0f;
    // Applied when a house upgrade is built.
    float buildChange = 0.0f;
    std::vector<unsigned int> qualificationThresholds;
    std::vector<std::unique_ptr<MachineUpgradeInfo>> machineUpgrades;
    // Never empty after loading.
    std::vector<std::unique_ptr<CafeClassInfo>> cafeClasses;
};

}  // namespace Morvane
