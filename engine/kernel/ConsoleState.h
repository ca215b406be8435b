#pragma once
// Where the console's slide stands.

#include <cstdint>

namespace Vantor {

enum class ConsoleState : int32_t {
    Opening = 0,  // sliding in
    Open = 1,
    Closing = 2,  // sliding out
    Closed = 3,   // hidden above the screen
};

}  // namespace Vantor
