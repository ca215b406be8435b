#pragma once
// The name of one level everywhere in the framework and the game: the stage's index
// and the level's index within it, stage first in memory, in files and in the order
// of keys.

#include <compare>
#include <cstdint>

namespace GameFramework {

struct LevelKey {
    std::uint8_t stage = 0;
    std::uint8_t level = 0;

    friend auto operator<=>(const LevelKey&, const LevelKey&) = default;
};

}  // namespace GameFramework
