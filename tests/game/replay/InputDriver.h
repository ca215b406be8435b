#pragma once
// Gives a step's input the way a player would, through the platform's injection only:
// the pointer moved over the point, a button's down and up edges, a key's down and up.
// The engine reads it all at the next frame start. The GUI screen fills the 800 x 600
// client area of the engine's window.

#include <string>

#include "engine/kernel/Vector2.h"
#include "tests/game/replay/ReplayStep.h"

namespace replay {

class InputDriver {
public:
    // The point (GUI units, y up) is where the step's target was found; keys need none.
    // False for a key name it does not know.
    static bool Give(const ReplayStep& step, const Vantor::Vector2& point);
    static void MovePointer(const Vantor::Vector2& point);
    // The virtual key of a key name, or 0.
    static unsigned VirtualKeyOf(const std::string& name);
};

}  // namespace replay
