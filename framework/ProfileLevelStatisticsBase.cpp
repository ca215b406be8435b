#include "framework/ProfileLevelStatisticsBase.h"

namespace GameFramework {

void ProfileLevelStatisticsBase::Merge(const ProfileLevelStatisticsBase& other) {
    if (time > other.time) time = other.time;
}

}  // namespace GameFramework
