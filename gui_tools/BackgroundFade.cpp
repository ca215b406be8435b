#include "gui_tools/BackgroundFade.h"

#include <algorithm>
#include <cmath>

namespace GUITools {

void BackgroundFade::Start(bool show, bool fade, float speed) {
    showing_ = show;
    fading_ = fade;
    speed_ = speed;
    time_ = 0.0f;
}

float BackgroundFade::Advance(float frameTime) {
    time_ += frameTime;
    const float progress = std::clamp(speed_ * time_, 0.0f, 1.0f);
    const float value = showing_ ? progress : 1.0f - progress;
    const float goal = showing_ ? 1.0f : 0.0f;
    if (std::fabs(value - goal) <= kTolerance) fading_ = false;
    return value;
}

}  // namespace GUITools
