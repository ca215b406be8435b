#pragma once
// Gives a step's input the way a player would, through the platform's injection only:
// the pointer moved over the point, a button's down and up edges, a key's down and up,
// a typed character. The engine reads it all at the next frame start. The GUI screen
// (800 x 600 units, y up) fills the client area of the engine's window, whatever its
// size in pixels.

#include <string>

#include "engine/kernel/Vector2.h"
#include "platform/WinUserSeams.h"
#include "tests/game/replay/ReplayStep.h"

namespace replay {

class InputDriver {
public:
    // The point (GUI units, y up) is where the step's target was found; keys need none.
    // False for a key name it does not know.
    static bool Give(const ReplayStep& step, const Vantor::Vector2& point);
    static void MovePointer(const Vantor::Vector2& point);
    // The pointer moved over the point, the button pressed and released there.
    static void Click(const Vantor::Vector2& point,
                      platform::seam::MouseButton button = platform::seam::MouseButton::Left);
    // False for a key name it does not know.
    static bool PressKey(const std::string& name);
    // The character's key pressed with the text it types: a letter, a digit or a blank.
    // False for any other character.
    static bool Type(wchar_t character);
    // The virtual key of a key name, or 0.
    static unsigned VirtualKeyOf(const std::string& name);
};

}  // namespace replay
