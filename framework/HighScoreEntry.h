#pragma once
// One final score of the high-score table.

#include <cstdint>
#include <string>

namespace GameFramework {

struct HighScoreEntry {
    // The player's profile name.
    std::wstring name;
    // The game mode the score belongs to.
    std::int32_t key = 0;
    std::int32_t score = 0;
    // The table's insertion counter when the entry came in: of equal scores the older
    // entry ranks first.
    std::int32_t number = 0;
};

}  // namespace GameFramework
