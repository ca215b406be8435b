#pragma once
// The names every part of the program uses for keys and mouse buttons, in their
// fixed order: the eight mouse buttons first (device buttons 0 to 7), then the
// keyboard. All are upper case; the right-bracket key is the empty name.

#include <array>
#include <cstddef>

namespace Vantor {

inline constexpr size_t KeyNameCount = 108;
inline constexpr size_t MouseButtonCount = 8;

inline constexpr std::array<const char*, KeyNameCount> KeyNames = {
    "MOUSE1", "MOUSE2", "MOUSE3", "MOUSE4", "MOUSE5", "MOUSE6", "MOUSE7", "MOUSE8",
    "CAPS_LOCK", "NUM_LOCK", "SCROLL_LOCK",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    "BACKSPACE", "TAB", "SPACE", "ENTER", "ESCAPE",
    "RSHIFT", "LSHIFT", "RCTRL", "LCTRL", "RALT", "LALT",
    "PAGEUP", "PAGEDOWN", "END", "HOME", "PRINTSCRN", "INSERT", "DELETE", "PAUSE",
    "LEFTARROW", "UPARROW", "RIGHTARROW", "DOWNARROW",
    "NUMPAD_0", "NUMPAD_1", "NUMPAD_2", "NUMPAD_3", "NUMPAD_4",
    "NUMPAD_5", "NUMPAD_6", "NUMPAD_7", "NUMPAD_8", "NUMPAD_9",
    "NUMPAD_MULTIPLY", "NUMPAD_PLUS", "NUMPAD_MINUS", "NUMPAD_DELETE", "NUMPAD_DIVIDE",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "~", ";", "=", ",", "-", ".", "/", "[", "\\", "", "'",
};

}  // namespace Vantor
