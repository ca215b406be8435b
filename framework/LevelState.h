#pragma once
// Where a running level stands.

#include <cstdint>

namespace GameFramework {

enum class LevelState : std::int32_t { Running = 0, Paused = 1, Won = 2, Lost = 3 };

}  // namespace GameFramework
