#pragma once
// The cover a window pulls over the screen before the game tears a day down behind it:
// started, it fades in over half a second; the frame it is full is the one moment the
// window reports its result, once; then it either fades out over another half second or
// stays until a second has passed and goes at once. Until first started it stays hidden.

#include "game/screens/GUICoverWindow.h"

namespace Morvane {

class FadingCover {
public:
    enum class Ending {
        FadeOut,       // out over the second half second
        HideAfterHold  // full until a second has passed, then gone
    };
    // Seconds of the fade in, and of the fade out or the hold.
    static constexpr float kFade = 0.5f;

    FadingCover(const GameTools::DataKeeper& data, Vantor::GUIWindow* parent, Ending ending);

    // From no cover, and the result due again.
    void Start();
    // Steps by the frame time; true in the one frame in which the cover has become full.
    bool Update(float frameTime);

    const GUICoverWindow& GetCover() const { return cover_; }

private:
    GUICoverWindow cover_;
    Ending ending_;
    // Far past any fade until first started.
    float time_ = 1000.0f;
    bool reported_ = true;
};

}  // namespace Morvane
