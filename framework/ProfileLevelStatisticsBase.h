#pragma once
// A profile's record of one level played in one game mode: the time it took. Games
// derive it to keep more.

#include <cstdint>

#include "framework/LevelKey.h"

namespace GameFramework {

class ProfileLevelStatisticsBase {
public:
    virtual ~ProfileLevelStatisticsBase() = default;

    // Keeps the better (smaller) of the two times.
    virtual void Merge(const ProfileLevelStatisticsBase& other);

    std::uint8_t mode = 0;
    LevelKey level;
    float time = 0.0f;
};

}  // namespace GameFramework
