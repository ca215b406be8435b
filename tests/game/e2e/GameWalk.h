#pragma once
// A player's walk through the whole game object: the game's own frames, a fixed step
// apart on the virtual clock (the longest frame the frame clock allows), with the
// player's input injected between them. Where the player points is taken from the
// game's windows: the middle of the area in which a window takes the pointer. While a
// day is played the walk is the day runner's game, so the harness's steps go through
// the same frames and the same injection.

#include <cstdint>
#include <string>

#include "tests/game/replay/DayHost.h"

namespace Morvane {
class Game;
}

namespace Vantor {
class GUIWindow;
}

namespace e2e {

class GameWalk : public replay::DayHost {
public:
    // A screen that has not come (or gone) within this many frames never will.
    static constexpr unsigned kScreenFrames = 1200;

    explicit GameWalk(Morvane::Game& game) : game_(game) {}

    void PlayFrame() override;
    Morvane::GameLogic* GetDay() const override;
    Morvane::ProfileManager& Profiles() const override;

    // The clock moved on a step, then one frame.
    void Frame();
    // Frames for the seconds of game time.
    void Wait(float seconds);
    // Frames until the condition holds after one, at most the limit; whether it held.
    template <class Condition>
    bool Until(Condition condition, unsigned limit = kScreenFrames) {
        for (unsigned frame = 0; frame < limit; ++frame) {
            Frame();
            if (condition()) return true;
        }
        return false;
    }

    // A left click on the window, taken at the next frame.
    static void Click(const Vantor::GUIWindow& window);
    // A left click on the GUI screen's point (units of 800 x 600, y up).
    static void ClickAt(float x, float y);
    // The text typed one character a frame, as an edit box takes them; false when a
    // character cannot be typed.
    bool Type(const std::wstring& text);

    // Every frame the game ran, the day runner's included.
    unsigned GetFrames() const { return frames_; }

private:
    Morvane::Game& game_;
    unsigned frames_ = 0;
};

}  // namespace e2e
