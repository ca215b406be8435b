#pragma once
// Where one layer of the house background shows which picture of the house pack: one
// entry of the placement file "data\house\house_upgrades.hsu".

#include <cstdint>
#include <string>

namespace Morvane {

struct HouseTextureEntry {
    std::string textureName;
    float x = 0.0f;
    float y = 0.0f;
    // Two more fields of each entry; stored, not used.
    std::uint32_t extra[2] = {0, 0};
};

}  // namespace Morvane
