#pragma once
// The figures of the day just played, kept with the profile for the day complete window
// and never saved: a restart always starts with nothing to show.

#include <cstdint>

namespace Morvane {

struct DayResult {
    // Set while there is nothing new to show; cleared when a day has just ended.
    bool shown = true;
    // The day's income less its tips.
    std::int32_t foodSales = 0;
    std::int32_t tips = 0;
    std::int32_t serviceRating = 0;
    std::int32_t customersServed = 0;
    std::int32_t customersCome = 0;
    // 0.0 to 1.0.
    float mood = 0.0f;
};

}  // namespace Morvane
