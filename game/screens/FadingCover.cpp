#include "game/screens/FadingCover.h"

namespace Morvane {

FadingCover::FadingCover(const GameTools::DataKeeper& data, Vantor::GUIWindow* parent, Ending ending)
    : cover_(data, parent), ending_(ending) {}

void FadingCover::Start() {
    time_ = 0.0f;
    reported_ = false;
}

bool FadingCover::Update(float frameTime) {
    time_ += frameTime;
    if (time_ < 0.0f) return false;
    if (time_ < kFade) {
        cover_.Show(time_ / kFade);
        return false;
    }
    if (!reported_) {
        // The day goes behind the full cover, not behind the last frame's nearly full one.
        cover_.Show(1.0f);
        reported_ = true;
        return true;
    }
    if (time_ >= 2.0f * kFade) {
        cover_.Hide();
    } else if (ending_ == Ending::FadeOut) {
        cover_.Show(2.0f - time_ / kFade);
    }
    return false;
}

}  // namespace Morvane
