#pragma once
// One registered variant of a GUI sound name.

#include <cstdint>
#include <string>

namespace Vantor {

class Sound;

struct GUISound {
    std::string name;
    // Never reset, so the variants take turns for the whole run.
    std::uint32_t playCount = 0;
    // Made and destroyed through the engine's sound manager.
    Sound* sound = nullptr;
};

}  // namespace Vantor
